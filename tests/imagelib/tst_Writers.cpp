// SaveAs: BMP, PCX and JPEG files that other readers (libjpeg, ImageMagick when present, and
// our own readers) decode to the saved picture.
#include "../support/TempDir.h"
#include "ImageTestUtil.h"

#include "imagelib/CBmp.h"
#include "imagelib/ImageBytes.h"
#include "imagelib/ImageCodecs.h"
#include "imagelib/ImageServices.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <jpeglib.h>

using namespace imagelib;

namespace {

// Runs a program found on PATH with exactly these arguments (no shell parses them, so a path
// with quotes or spaces stays one argument), its output discarded; true when it ran and exited
// with status 0.
bool runQuietly(const std::vector<std::string> &args)
{
    std::vector<char *> argv;
    for (const std::string &arg : args)
        argv.push_back(const_cast<char *>(arg.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return false;
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR)
            return false;
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool haveImageMagick()
{
    static const bool have = runQuietly({"convert", "-version"});
    return have;
}

// ImageMagick's reading of a file as a top-down PPM, or an empty picture without ImageMagick.
imagetest::Rgba imageMagickRead(const std::string &path, const std::string &ppm)
{
    if (!runQuietly({"convert", path, "-depth", "8", "-type", "truecolor", "ppm:" + ppm}))
        return {};
    return imagetest::readPpm(ppm);
}

CBmp picture(int width, int height, int bitCount)
{
    CDib dib;
    EXPECT_TRUE(dib.Create(width, height, bitCount));
    for (size_t i = 0; i < dib.Palette().size(); ++i)
        dib.Palette()[i] = RgbQuad{uint8_t(i * 7), uint8_t(255 - i), uint8_t(i * 13 + 5), 0};
    for (int y = 0; y < height; ++y) {
        uint8_t *row = dib.RowFromTop(y);
        const size_t used = (static_cast<size_t>(width) * bitCount + 7) / 8;
        for (size_t i = 0; i < used; ++i)
            row[i] = static_cast<uint8_t>((i * 31 + y * 17 + (i / 5)) & 0xFF);
        if (bitCount == 16) // keep the unused top bit clear
            for (size_t i = 1; i < used; i += 2)
                row[i] &= 0x7F;
        if (bitCount == 32)
            for (size_t i = 3; i < used; i += 4)
                row[i] = 0;
    }
    CBmp bmp;
    bmp.SetDib(std::move(dib));
    return bmp;
}

struct Depth
{
    int bitCount;
    int bmpBits; // what the BMP file holds
    int pcxBits; // what the PCX file holds
};

void PrintTo(const Depth &d, std::ostream *os)
{
    *os << d.bitCount << " bits";
}

const Depth kDepths[] = {{1, 1, 1}, {4, 4, 4}, {8, 8, 8}, {16, 16, 24}, {24, 24, 24}, {32, 24, 24}};

class WriterTest : public testing::TestWithParam<Depth>
{
protected:
    TempDir dir;
};

TEST_P(WriterTest, BmpFileReadsBackTheSame)
{
    const Depth d = GetParam();
    const CBmp bmp = picture(13, 5, d.bitCount);
    const std::string path = dir.file("out.bmp");
    ASSERT_TRUE(bmp.SaveAs(path)) << bmp.LastError();
    const std::string bytes = imagetest::readBytes(path);
    const auto *p = reinterpret_cast<const uint8_t *>(bytes.data());
    ASSERT_GT(bytes.size(), 54u);
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    EXPECT_EQ(Le32(p + 2), bytes.size());
    EXPECT_EQ(Le32(p + 6), 0u);
    const size_t table = d.bmpBits <= 8 ? (4u << d.bmpBits) : 0;
    EXPECT_EQ(Le32(p + 10), 14 + 40 + table);
    EXPECT_EQ(Le16(p + 28), d.bmpBits);
    EXPECT_EQ(Le32(p + 34), CDib::StrideFor(13, d.bmpBits) * 5); // image size
    EXPECT_EQ(bytes.size(), 14 + 40 + table + CDib::StrideFor(13, d.bmpBits) * 5);

    CBmp back;
    ASSERT_TRUE(back.Load(path));
    EXPECT_EQ(back.GetInfo().bitsPerPixel, d.bmpBits);
    const std::vector<uint8_t> expected = bmp.Dib().ToRgba();
    EXPECT_EQ(back.Dib().ToRgba(), expected);
    const imagetest::Rgba im = imageMagickRead(path, dir.file("im.ppm"));
    if (im.width) {
        EXPECT_EQ(im.pixels, expected);
    }
}

TEST_P(WriterTest, PcxFileReadsBackTheSame)
{
    const Depth d = GetParam();
    const CBmp bmp = picture(13, 5, d.bitCount);
    const std::string path = dir.file("out.PcX");
    // more than 8 bits: the file is complete, so SaveAs reports success
    ASSERT_TRUE(bmp.SaveAs(path)) << bmp.LastError();
    const std::string bytes = imagetest::readBytes(path);
    const auto *p = reinterpret_cast<const uint8_t *>(bytes.data());
    ASSERT_GT(bytes.size(), 128u);
    EXPECT_EQ(p[0], 10);
    EXPECT_EQ(p[1], 5);
    EXPECT_EQ(p[2], 1);
    const int planes = d.pcxBits == 4 ? 4 : d.pcxBits == 24 ? 3 : 1;
    EXPECT_EQ(p[3] * p[65], d.pcxBits);
    EXPECT_EQ(p[65], planes);
    EXPECT_EQ(Le16(p + 8), 12);
    EXPECT_EQ(Le16(p + 10), 4);
    EXPECT_EQ(Le16(p + 66), (p[3] * 13 + 15) / 16 * 2);
    EXPECT_EQ(Le16(p + 68), 1);
    EXPECT_EQ(Le16(p + 12), ScreenWidth());
    EXPECT_EQ(Le16(p + 72), ScreenHeight());
    EXPECT_EQ(bytes.substr(118, 10), "PCXW 2.01 ");

    CBmp back;
    ASSERT_TRUE(back.Load(path));
    EXPECT_EQ(back.GetInfo().bitsPerPixel, d.pcxBits);
    const std::vector<uint8_t> expected = bmp.Dib().ToRgba();
    EXPECT_EQ(back.Dib().ToRgba(), expected);
    // ImageMagick reads 1-bit PCX files as black on white whatever their palette says
    if (d.pcxBits != 1) {
        const imagetest::Rgba im = imageMagickRead(path, dir.file("im.ppm"));
        if (im.width) {
            EXPECT_EQ(im.pixels, expected);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Imagelib, WriterTest, testing::ValuesIn(kDepths),
                         [](const testing::TestParamInfo<Depth> &info) {
                             return std::to_string(info.param.bitCount) + "bits";
                         });

TEST(PcxWriter, A256ColourPictureEndsWithTheMarkerAndPalette)
{
    TempDir dir;
    const CBmp bmp = picture(10, 3, 8);
    const std::string path = dir.file("pal.pcx");
    ASSERT_TRUE(bmp.SaveAs(path));
    const std::string bytes = imagetest::readBytes(path);
    ASSERT_GT(bytes.size(), 128u + 769u);
    EXPECT_EQ(bytes.substr(118, 10), "PCXW 2.01 ");
    const auto *tail = reinterpret_cast<const uint8_t *>(bytes.data()) + bytes.size() - 769;
    EXPECT_EQ(tail[0], 12);
    const std::vector<RgbQuad> &palette = bmp.Dib().Palette();
    for (int i = 0; i < 256; ++i) {
        ASSERT_EQ(tail[1 + 3 * i], palette[i].red) << i;
        ASSERT_EQ(tail[2 + 3 * i], palette[i].green) << i;
        ASSERT_EQ(tail[3 + 3 * i], palette[i].blue) << i;
    }
}

// Rows whose encoded end looks like a palette (a 12 and 768 more bytes) must not be taken
// for one: the palette goes after them, and the rows stay intact.
TEST(PcxWriter, RowsEndingLikeAPaletteAreKept)
{
    TempDir dir;
    CDib dib;
    ASSERT_TRUE(dib.Create(769, 1, 8));
    for (int i = 0; i < 256; ++i)
        dib.Palette()[i] = RgbQuad{uint8_t(i), uint8_t(i / 2), uint8_t(255 - i), 0};
    uint8_t *row = dib.Row(0);
    for (int x = 0; x < 769; ++x)
        row[x] = static_cast<uint8_t>(1 + (x % 150)); // no runs, all below 0xC0
    row[1] = 12;
    CBmp bmp;
    bmp.SetDib(dib);
    const std::string path = dir.file("tricky.pcx");
    ASSERT_TRUE(bmp.SaveAs(path));
    const std::string bytes = imagetest::readBytes(path);
    EXPECT_EQ(bytes.size(), 128u + 770u + 769u); // the row (with its pad byte) unencoded
    EXPECT_EQ(static_cast<uint8_t>(bytes[128 + 1]), 12);
    CBmp back;
    ASSERT_TRUE(back.Load(path));
    EXPECT_EQ(back.Dib().ToRgba(), dib.ToRgba());
}

TEST(SaveAs, OtherExtensionsWriteNothing)
{
    TempDir dir;
    const CBmp bmp = picture(4, 4, 8);
    for (const char *name : {"x.gif", "x.png", "x.tga", "x", "x.bmp.tmp"}) {
        EXPECT_FALSE(bmp.SaveAs(dir.file(name))) << name;
        EXPECT_FALSE(std::filesystem::exists(dir.file(name))) << name;
    }
    EXPECT_FALSE(CBmp().SaveAs(dir.file("empty.bmp")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("empty.bmp")));
}

// A picture with a distinct colour in each corner, so that swapped channels or flipped rows
// show.
CBmp corners(int width, int height)
{
    CDib dib;
    EXPECT_TRUE(dib.Create(width, height, 24));
    const auto fill = [&](int x0, int y0, RgbQuad c) {
        for (int y = y0; y < y0 + height / 2; ++y)
            for (int x = x0; x < x0 + width / 2; ++x) {
                uint8_t *p = dib.RowFromTop(y) + 3 * x;
                p[0] = c.blue;
                p[1] = c.green;
                p[2] = c.red;
            }
    };
    fill(0, 0, RgbQuad{0, 0, 255, 0});                    // top left red
    fill(width / 2, 0, RgbQuad{255, 0, 0, 0});            // top right blue
    fill(0, height / 2, RgbQuad{0, 255, 0, 0});           // bottom left green
    fill(width / 2, height / 2, RgbQuad{0, 255, 255, 0}); // bottom right yellow
    CBmp bmp;
    bmp.SetDib(std::move(dib));
    return bmp;
}

void expectCorners(const std::vector<uint8_t> &rgb, int width, int height, int channels,
                   const char *who)
{
    const auto at = [&](int x, int y) {
        const uint8_t *p = rgb.data() + (static_cast<size_t>(y) * width + x) * channels;
        return std::vector<int>{p[0], p[1], p[2]};
    };
    const auto near = [](std::vector<int> got, std::vector<int> want) {
        for (int i = 0; i < 3; ++i)
            if (std::abs(got[i] - want[i]) > 8)
                return false;
        return true;
    };
    EXPECT_TRUE(near(at(4, 4), {255, 0, 0})) << who << " top left not red";
    EXPECT_TRUE(near(at(width - 5, 4), {0, 0, 255})) << who << " top right not blue";
    EXPECT_TRUE(near(at(4, height - 5), {0, 255, 0})) << who << " bottom left not green";
    EXPECT_TRUE(near(at(width - 5, height - 5), {255, 255, 0})) << who << " bottom right";
}

TEST(JpegWriter, DecodersSeeTheSameSizeAndColoursTheRightWayRound)
{
    TempDir dir;
    const int w = 48, h = 32;
    const CBmp bmp = corners(w, h);
    // A quote and a space in the name: the file reaches ImageMagick as one argument.
    const std::string path = dir.file("it's pasted.JPG");
    ASSERT_TRUE(bmp.SaveAs(path)) << bmp.LastError();

    // libjpeg itself
    const std::string bytes = imagetest::readBytes(path);
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char *>(bytes.data()), bytes.size());
    ASSERT_EQ(jpeg_read_header(&cinfo, TRUE), JPEG_HEADER_OK);
    EXPECT_EQ(cinfo.num_components, 3);
    EXPECT_FALSE(cinfo.progressive_mode);
    EXPECT_EQ(cinfo.jpeg_color_space, JCS_YCbCr);
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    ASSERT_EQ(cinfo.output_width, static_cast<unsigned>(w));
    ASSERT_EQ(cinfo.output_height, static_cast<unsigned>(h));
    std::vector<uint8_t> rgb(static_cast<size_t>(w) * h * 3);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = rgb.data() + static_cast<size_t>(cinfo.output_scanline) * w * 3;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    // quality 100: every quantisation table entry is 1
    jpeg_destroy_decompress(&cinfo);
    expectCorners(rgb, w, h, 3, "libjpeg");

    // our own reader
    CBmp back;
    ASSERT_TRUE(back.Load(path));
    expectCorners(back.Dib().ToRgba(), w, h, 4, "CBmp");

    // ImageMagick
    const imagetest::Rgba im = imageMagickRead(path, dir.file("read by 'im'.ppm"));
    if (!haveImageMagick())
        GTEST_SKIP() << "ImageMagick's convert is not available";
    ASSERT_EQ(im.width, w);
    ASSERT_EQ(im.height, h);
    expectCorners(im.pixels, w, h, 4, "ImageMagick");
}

TEST(JpegWriter, QualityIs100)
{
    TempDir dir;
    const CBmp bmp = corners(16, 16);
    ASSERT_TRUE(bmp.SaveAs(dir.file("q.jpeg")));
    const std::string bytes = imagetest::readBytes(dir.file("q.jpeg"));
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char *>(bytes.data()), bytes.size());
    ASSERT_EQ(jpeg_read_header(&cinfo, TRUE), JPEG_HEADER_OK);
    for (int t = 0; t < 2; ++t) {
        ASSERT_NE(cinfo.quant_tbl_ptrs[t], nullptr);
        for (int i = 0; i < DCTSIZE2; ++i)
            ASSERT_EQ(cinfo.quant_tbl_ptrs[t]->quantval[i], 1) << "table " << t << " entry " << i;
    }
    // 2x2 chroma subsampling, the library's default
    EXPECT_EQ(cinfo.comp_info[0].h_samp_factor, 2);
    EXPECT_EQ(cinfo.comp_info[0].v_samp_factor, 2);
    jpeg_destroy_decompress(&cinfo);
}

TEST(JpegWriter, PalettePicturesAreWrittenInTheirColours)
{
    TempDir dir;
    CDib dib;
    ASSERT_TRUE(dib.Create(16, 16, 4));
    dib.Palette()[1] = RgbQuad{0, 0, 255, 0}; // red
    std::memset(dib.Bits(), 0x11, dib.ImageSize());
    CBmp bmp;
    bmp.SetDib(dib);
    ASSERT_TRUE(bmp.SaveAs(dir.file("p.jpg")));
    CBmp back;
    ASSERT_TRUE(back.Load(dir.file("p.jpg")));
    const RgbQuad c = back.Dib().PixelColour(8, 8);
    EXPECT_GT(c.red, 245);
    EXPECT_LT(c.blue, 10);
}

} // namespace

namespace {

// PCX keeps the window and the bytes per line in 16-bit fields: a picture whose lines do not
// fit is refused instead of written with a wrapped length.
TEST(PcxWriter, LinesLongerThanTheFieldAreRefused)
{
    TempDir dir;
    CDib dib;
    ASSERT_TRUE(dib.Create(65535, 1, 8)); // 65536 bytes a line once rounded to even
    CBmp wide;
    wide.SetDib(dib);
    EXPECT_FALSE(wide.SaveAs(dir.file("wide.pcx")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("wide.pcx")));
    ASSERT_TRUE(dib.Create(65534, 1, 8));
    wide.SetDib(dib);
    ASSERT_TRUE(wide.SaveAs(dir.file("ok.pcx")));
    CBmp back;
    ASSERT_TRUE(back.Load(dir.file("ok.pcx")));
    EXPECT_EQ(back.GetInfo().width, 65534);
}

} // namespace
