// Image library speed on a 4000 x 3000 picture: our readers (from memory and through Load),
// JPEG writing against the libjpeg API called directly, and PCX writing against ImageMagick's
// convert. Pictures are photo-like: smooth gradients with a little noise, so that run-length
// and LZW coding see realistic data. Throughput is reported as pixels per second.
#include "imagelib/CBmp.h"
#include "imagelib/ImageBytes.h"
#include "imagelib/ImageCodecs.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <jpeglib.h>
#include <spawn.h>
#include <sys/wait.h>

extern char **environ;

namespace {

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;
constexpr int64_t kPixels = int64_t(kWidth) * kHeight;

// A temporary folder for the files the benchmarks read and write, removed at exit.
struct BenchFolder
{
    std::string path;
    BenchFolder()
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "pelion-bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            std::abort();
        path = pattern + "/";
    }
    ~BenchFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
};

std::string benchDir()
{
    static const BenchFolder folder;
    return folder.path;
}

uint32_t noise(uint32_t &state)
{
    state = state * 1664525u + 1013904223u;
    return state >> 24;
}

const CDib &photo24()
{
    static const CDib dib = [] {
        CDib d;
        if (!d.Create(kWidth, kHeight, 24))
            std::abort();
        uint32_t state = 1;
        for (int y = 0; y < kHeight; ++y) {
            uint8_t *row = d.RowFromTop(y);
            for (int x = 0; x < kWidth; ++x) {
                const int n = static_cast<int>(noise(state) & 15) - 8;
                row[3 * x] = static_cast<uint8_t>(std::clamp((x * 255) / kWidth + n, 0, 255));
                row[3 * x + 1] = static_cast<uint8_t>(std::clamp((y * 255) / kHeight + n, 0, 255));
                row[3 * x + 2] = static_cast<uint8_t>(
                    std::clamp(((x + y) * 255) / (kWidth + kHeight) - n, 0, 255));
            }
        }
        return d;
    }();
    return dib;
}

// The photo reduced to 256 colours (3-3-2 bits), as a GIF would hold it.
std::vector<uint8_t> photoIndices()
{
    const CDib &p = photo24();
    std::vector<uint8_t> out(static_cast<size_t>(kPixels));
    for (int y = 0; y < kHeight; ++y) {
        const uint8_t *row = p.RowFromTop(y);
        for (int x = 0; x < kWidth; ++x)
            out[static_cast<size_t>(y) * kWidth + x] = static_cast<uint8_t>(
                (row[3 * x + 2] & 0xE0) | ((row[3 * x + 1] >> 3) & 0x1C) | (row[3 * x] >> 6));
    }
    return out;
}

// A plain LZW GIF encoder (8-bit codes, clear when the table is full).
std::string makeGif()
{
    const std::vector<uint8_t> px = photoIndices();
    std::string out = "GIF89a";
    const auto u16 = [&](int v) {
        out.push_back(static_cast<char>(v & 255));
        out.push_back(static_cast<char>(v >> 8));
    };
    u16(kWidth);
    u16(kHeight);
    out += std::string("\xF7\x00\x00", 3);
    for (int i = 0; i < 256; ++i) {
        out.push_back(static_cast<char>(i & 0xE0));
        out.push_back(static_cast<char>((i & 0x1C) << 3));
        out.push_back(static_cast<char>((i & 3) << 6));
    }
    out.push_back(0x2C);
    u16(0);
    u16(0);
    u16(kWidth);
    u16(kHeight);
    out.push_back(0);
    out.push_back(8);
    std::string data;
    uint32_t bits = 0;
    int count = 0, codeSize = 9;
    const auto put = [&](unsigned code) {
        bits |= code << count;
        count += codeSize;
        while (count >= 8) {
            data.push_back(static_cast<char>(bits & 255));
            bits >>= 8;
            count -= 8;
        }
    };
    std::vector<int> table(4096 * 256, -1);
    unsigned next = 258;
    put(256);
    int prefix = px[0];
    for (size_t i = 1; i < px.size(); ++i) {
        const int k = px[i];
        const int found = table[static_cast<size_t>(prefix) * 256 + k];
        if (found >= 0) {
            prefix = found;
            continue;
        }
        put(static_cast<unsigned>(prefix));
        if (next < 4096) {
            table[static_cast<size_t>(prefix) * 256 + k] = static_cast<int>(next);
            if (next == (1u << codeSize) && codeSize < 12)
                ++codeSize;
            ++next;
        } else {
            put(256);
            std::fill(table.begin(), table.end(), -1);
            next = 258;
            codeSize = 9;
        }
        prefix = k;
    }
    put(static_cast<unsigned>(prefix));
    put(257);
    if (count)
        data.push_back(static_cast<char>(bits & 255));
    for (size_t at = 0; at < data.size(); at += 255) {
        const size_t n = std::min<size_t>(255, data.size() - at);
        out.push_back(static_cast<char>(n));
        out += data.substr(at, n);
    }
    out.push_back(0);
    out.push_back(0x3B);
    return out;
}

std::string makeBmp()
{
    std::string out;
    imagelib::CodecError error;
    imagelib::EncodeBmp(photo24(), out, error);
    return out;
}

std::string makePcx()
{
    std::string out;
    imagelib::CodecError error;
    imagelib::EncodePcx(photo24(), out, error);
    return out;
}

// A raw 24-bit TGA with the usual bottom-left origin.
std::string makeTga()
{
    std::string out(18, '\0');
    auto *h = reinterpret_cast<uint8_t *>(out.data());
    h[2] = 2;
    imagelib::PutLe16(h + 12, kWidth);
    imagelib::PutLe16(h + 14, kHeight);
    h[16] = 24;
    for (int y = 0; y < kHeight; ++y)
        out.append(reinterpret_cast<const char *>(photo24().Row(y)), kWidth * 3);
    return out;
}

const std::string &fileFor(const char *name, std::string (*make)())
{
    static std::vector<std::pair<std::string, std::string>> files;
    for (const auto &f : files)
        if (f.first == name)
            return f.second;
    const std::string path = benchDir() + name;
    const std::string bytes = make();
    FILE *f = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    files.emplace_back(name, path);
    return files.back().second;
}

void decodeMemory(benchmark::State &state, const std::string &bytes,
                  bool (*decoder)(const uint8_t *, size_t, CDib &, imagelib::CodecError &))
{
    for (auto _ : state) {
        CDib dib;
        imagelib::CodecError error;
        if (!decoder(reinterpret_cast<const uint8_t *>(bytes.data()), bytes.size(), dib, error))
            state.SkipWithError(error.text.c_str());
        benchmark::DoNotOptimize(dib.Bits());
    }
    state.counters["MP/s"] =
        benchmark::Counter(double(kPixels) / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}

bool decodeGif(const uint8_t *data, size_t size, CDib &dib, imagelib::CodecError &error)
{
    int transparent;
    return imagelib::DecodeGif(data, size, dib, error, transparent);
}

void BM_DecodeBmp24(benchmark::State &state)
{
    static const std::string bytes = makeBmp();
    decodeMemory(state, bytes, imagelib::DecodeBmp);
}
void BM_DecodeGif8(benchmark::State &state)
{
    static const std::string bytes = makeGif();
    decodeMemory(state, bytes, decodeGif);
}
void BM_DecodePcx24(benchmark::State &state)
{
    static const std::string bytes = makePcx();
    decodeMemory(state, bytes, imagelib::DecodePcx);
}
void BM_DecodeTga24(benchmark::State &state)
{
    static const std::string bytes = makeTga();
    decodeMemory(state, bytes, imagelib::DecodeTga);
}

// The same readers through CBmp::Load, reading the file (from the page cache).
void loadFile(benchmark::State &state, const std::string &path)
{
    for (auto _ : state) {
        CBmp bmp;
        if (!bmp.Load(path))
            state.SkipWithError(bmp.LastError().c_str());
        benchmark::DoNotOptimize(bmp.Dib().Bits());
    }
    state.counters["MP/s"] =
        benchmark::Counter(double(kPixels) / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_LoadBmp24(benchmark::State &state)
{
    loadFile(state, fileFor("p.bmp", makeBmp));
}
void BM_LoadGif8(benchmark::State &state)
{
    loadFile(state, fileFor("p.gif", makeGif));
}
void BM_LoadPcx24(benchmark::State &state)
{
    loadFile(state, fileFor("p.pcx", makePcx));
}
void BM_LoadTga24(benchmark::State &state)
{
    loadFile(state, fileFor("p.tga", makeTga));
}

// JPEG: SaveAs (BGR bottom-up picture, file written all at once) against the libjpeg API used
// directly on an RGB top-down buffer written through stdio, both quality 100 baseline.
void BM_JpegSaveAs(benchmark::State &state)
{
    CBmp bmp;
    bmp.SetDib(photo24());
    const std::string path = benchDir() + "saveas.jpg";
    for (auto _ : state) {
        if (!bmp.SaveAs(path))
            state.SkipWithError(bmp.LastError().c_str());
    }
    state.counters["MP/s"] =
        benchmark::Counter(double(kPixels) / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_JpegLibjpegDirect(benchmark::State &state)
{
    std::vector<uint8_t> rgb(static_cast<size_t>(kPixels) * 3);
    for (int y = 0; y < kHeight; ++y) {
        const uint8_t *in = photo24().RowFromTop(y);
        uint8_t *out = rgb.data() + static_cast<size_t>(y) * kWidth * 3;
        for (int x = 0; x < kWidth; ++x) {
            out[3 * x] = in[3 * x + 2];
            out[3 * x + 1] = in[3 * x + 1];
            out[3 * x + 2] = in[3 * x];
        }
    }
    const std::string path = benchDir() + "direct.jpg";
    for (auto _ : state) {
        FILE *f = std::fopen(path.c_str(), "wb");
        jpeg_compress_struct cinfo;
        jpeg_error_mgr err;
        cinfo.err = jpeg_std_error(&err);
        jpeg_create_compress(&cinfo);
        jpeg_stdio_dest(&cinfo, f);
        cinfo.image_width = kWidth;
        cinfo.image_height = kHeight;
        cinfo.input_components = 3;
        cinfo.in_color_space = JCS_RGB;
        jpeg_set_defaults(&cinfo);
        jpeg_set_quality(&cinfo, 100, TRUE);
        jpeg_start_compress(&cinfo, TRUE);
        while (cinfo.next_scanline < cinfo.image_height) {
            JSAMPROW row = rgb.data() + static_cast<size_t>(cinfo.next_scanline) * kWidth * 3;
            jpeg_write_scanlines(&cinfo, &row, 1);
        }
        jpeg_finish_compress(&cinfo);
        jpeg_destroy_compress(&cinfo);
        std::fclose(f);
    }
    state.counters["MP/s"] =
        benchmark::Counter(double(kPixels) / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}

// PCX writing: SaveAs of the held picture, the whole conversion BMP file to PCX file through
// CBmp, and ImageMagick's convert doing that same conversion.
void BM_PcxSaveAs(benchmark::State &state)
{
    CBmp bmp;
    bmp.SetDib(photo24());
    const std::string path = benchDir() + "saveas.pcx";
    for (auto _ : state) {
        if (!bmp.SaveAs(path))
            state.SkipWithError(bmp.LastError().c_str());
    }
    state.counters["MP/s"] =
        benchmark::Counter(double(kPixels) / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}

// The PCX writer alone, into memory.
void BM_PcxEncode(benchmark::State &state)
{
    for (auto _ : state) {
        std::string out;
        imagelib::CodecError error;
        imagelib::EncodePcx(photo24(), out, error);
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["MP/s"] =
        benchmark::Counter(double(kPixels) / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_PcxConvertCBmp(benchmark::State &state)
{
    const std::string in = fileFor("p.bmp", makeBmp);
    const std::string out = benchDir() + "cbmp.pcx";
    for (auto _ : state) {
        CBmp bmp;
        if (!bmp.Load(in) || !bmp.SaveAs(out))
            state.SkipWithError(bmp.LastError().c_str());
    }
    state.counters["MP/s"] =
        benchmark::Counter(double(kPixels) / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_PcxConvertImageMagick(benchmark::State &state)
{
    const std::string in = fileFor("p.bmp", makeBmp);
    const std::string out = benchDir() + "im.pcx";
    std::string a0 = "convert", a1 = in, a2 = "pcx:" + out;
    char *argv[] = {a0.data(), a1.data(), a2.data(), nullptr};
    for (auto _ : state) {
        pid_t pid;
        int status = 0;
        if (posix_spawnp(&pid, "convert", nullptr, nullptr, argv, environ) != 0 ||
            waitpid(pid, &status, 0) < 0 || status != 0) {
            state.SkipWithError("ImageMagick's convert did not run");
            break;
        }
    }
    state.counters["MP/s"] =
        benchmark::Counter(double(kPixels) / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}

} // namespace

BENCHMARK(BM_DecodeBmp24)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadBmp24)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeGif8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadGif8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodePcx24)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadPcx24)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeTga24)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadTga24)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JpegLibjpegDirect)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JpegSaveAs)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PcxEncode)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PcxSaveAs)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PcxConvertCBmp)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PcxConvertImageMagick)->Unit(benchmark::kMillisecond)->Iterations(3);
