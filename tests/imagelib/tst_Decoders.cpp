// The BMP, PCX and TGA readers against fixtures made with ImageMagick (see
// tests/data/imagelib/make-fixtures.py), and their behaviour on cut and hostile files.
#include "ImageTestUtil.h"

#include "imagelib/ImageBytes.h"
#include "imagelib/ImageCodecs.h"
#include "imagelib/ImageServices.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

using namespace imagelib;
using imagetest::compareOpaque;
using imagetest::dataDir;
using imagetest::readBytes;

namespace {

using Decoder = bool (*)(const uint8_t *, size_t, CDib &, CodecError &);

bool decodeGif(const uint8_t *data, size_t size, CDib &dib, CodecError &error)
{
    int transparent = -1;
    return DecodeGif(data, size, dib, error, transparent);
}

Decoder decoderFor(const std::string &file)
{
    const std::string ext = file.substr(file.rfind('.') + 1);
    if (ext == "bmp")
        return DecodeBmp;
    if (ext == "pcx")
        return DecodePcx;
    if (ext == "tga")
        return DecodeTga;
    return decodeGif;
}

bool decode(const std::string &bytes, Decoder decoder, CDib &dib, CodecError &error)
{
    return decoder(reinterpret_cast<const uint8_t *>(bytes.data()), bytes.size(), dib, error);
}

struct Fixture
{
    const char *file;
    int bitCount; // what the picture holds after reading
};

void PrintTo(const Fixture &f, std::ostream *os)
{
    *os << f.file;
}

const Fixture kFixtures[] = {
    {"bmp1.bmp", 1},      {"bmp4.bmp", 4},     {"bmp4rle.bmp", 4},    {"bmp4-os2.bmp", 4},
    {"bmp8.bmp", 8},      {"bmp8rle.bmp", 8},  {"bmp16-555.bmp", 16}, {"bmp16-565.bmp", 24},
    {"bmp24.bmp", 24},    {"bmp32.bmp", 32},   {"bmp32-v5.bmp", 32},  {"pcx1.pcx", 1},
    {"pcx4.pcx", 4},      {"pcx8.pcx", 8},     {"pcx24.pcx", 24},     {"tga1.tga", 8},
    {"tga9.tga", 8},      {"tga2-24.tga", 24}, {"tga10-24.tga", 24},  {"tga2-24-bottom.tga", 24},
    {"tga2-32.tga", 32},  {"tga3.tga", 8},     {"tga11.tga", 8},      {"tga2-15.tga", 24},
    {"tga10-16.tga", 24},
};

class FixtureTest : public testing::TestWithParam<Fixture>
{};

TEST_P(FixtureTest, DecodesToTheReferencePixels)
{
    const Fixture &f = GetParam();
    const std::string bytes = readBytes(dataDir() + f.file);
    ASSERT_FALSE(bytes.empty()) << "missing fixture " << f.file;
    CDib dib;
    CodecError error;
    ASSERT_TRUE(decode(bytes, decoderFor(f.file), dib, error)) << error.text;
    EXPECT_EQ(dib.BitCount(), f.bitCount);
    const imagetest::Rgba reference = imagetest::readPpm(dataDir() + f.file + ".ppm");
    ASSERT_GT(reference.width, 0);
    EXPECT_EQ(compareOpaque(dib, reference), "");
}

// Every cut of a fixture must be read without touching memory past the cut; files without
// run-length coding must then fail, since their rows are simply missing.
TEST_P(FixtureTest, CutFilesFailCleanly)
{
    const Fixture &f = GetParam();
    const std::string bytes = readBytes(dataDir() + f.file);
    const bool compressed = std::strstr(f.file, "rle") || std::strstr(f.file, "pcx") ||
                            std::strstr(f.file, "tga9") || std::strstr(f.file, "tga10") ||
                            std::strstr(f.file, "tga11");
    for (size_t cut = 0; cut < bytes.size(); ++cut) {
        // exact-size heap copies, so that the sanitizer build sees any read past the end
        std::vector<uint8_t> prefix(bytes.begin(), bytes.begin() + static_cast<long>(cut));
        CDib dib;
        CodecError error;
        const bool ok = decoderFor(f.file)(prefix.data(), prefix.size(), dib, error);
        if (!ok) {
            EXPECT_TRUE(dib.IsEmpty());
            EXPECT_FALSE(error.text.empty());
        }
        if (!compressed) {
            EXPECT_FALSE(ok) << "cut at " << cut << " of " << bytes.size();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Imagelib, FixtureTest, testing::ValuesIn(kFixtures),
                         [](const testing::TestParamInfo<Fixture> &info) {
                             std::string name = info.param.file;
                             for (char &c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return name;
                         });

// A bottom-up bitmap turned top-down (negative height, rows reversed) shows the same picture.
TEST(BmpDecoder, TopDownRowsGiveTheSamePicture)
{
    std::string bytes = readBytes(dataDir() + "bmp24.bmp");
    auto *p = reinterpret_cast<uint8_t *>(bytes.data());
    const int w = static_cast<int>(Le32(p + 18)), h = static_cast<int>(Le32(p + 22));
    const size_t offset = Le32(p + 10), stride = CDib::StrideFor(w, 24);
    std::string flipped = bytes;
    for (int y = 0; y < h; ++y)
        std::memcpy(flipped.data() + offset + stride * y,
                    bytes.data() + offset + stride * (h - 1 - y), stride);
    PutLe32(reinterpret_cast<uint8_t *>(flipped.data()) + 22, static_cast<uint32_t>(-h));
    CDib dib;
    CodecError error;
    ASSERT_TRUE(decode(flipped, DecodeBmp, dib, error)) << error.text;
    EXPECT_EQ(compareOpaque(dib, imagetest::readPpm(dataDir() + "bmp24.bmp.ppm")), "");
}

// RLE8 escapes: a delta skips pixels (they stay index 0), runs past the right edge are dropped,
// and an end of bitmap leaves the rest at index 0.
TEST(BmpDecoder, Rle8EscapesAndClipping)
{
    const uint8_t rle[] = {
        3, 1,             // row 0: 1 1 1
        0, 2, 1, 1,       // delta: x 4, row 1
        5, 2,             // 2 2 2 2 2 from x 4, only 4 and 5 fit in a width of 6
        0, 0,             // end of line: row 2
        0, 3, 7, 8, 9, 0, // absolute: 7 8 9, padded
        0, 1,             // end of bitmap
    };
    std::string file(14 + 40 + 16, '\0');
    auto *p = reinterpret_cast<uint8_t *>(file.data());
    p[0] = 'B';
    p[1] = 'M';
    PutLe32(p + 10, 14 + 40 + 16);
    PutLe32(p + 14, 40);
    PutLe32(p + 18, 6);
    PutLe32(p + 22, 4);
    PutLe16(p + 26, 1);
    PutLe16(p + 28, 8);
    PutLe32(p + 30, 1);
    PutLe32(p + 46, 4); // four colours used
    file.append(reinterpret_cast<const char *>(rle), sizeof rle);
    CDib dib;
    CodecError error;
    ASSERT_TRUE(decode(file, DecodeBmp, dib, error)) << error.text;
    ASSERT_EQ(dib.BitCount(), 8);
    const auto row = [&](int fromBottom) {
        return std::vector<int>(dib.Row(fromBottom), dib.Row(fromBottom) + 6);
    };
    EXPECT_EQ(row(0), (std::vector<int>{1, 1, 1, 0, 0, 0}));
    EXPECT_EQ(row(1), (std::vector<int>{0, 0, 0, 0, 2, 2}));
    EXPECT_EQ(row(2), (std::vector<int>{7, 8, 9, 0, 0, 0}));
    EXPECT_EQ(row(3), (std::vector<int>{0, 0, 0, 0, 0, 0}));
}

// Headers that claim more than the limits allow, or sizes that would overflow, are refused
// before anything is allocated for them.
struct Hostile
{
    const char *name;
    std::string bytes;
    Decoder decoder;
};

void PrintTo(const Hostile &h, std::ostream *os)
{
    *os << h.name;
}

std::string bmpHeader(int32_t width, int32_t height, int bits, uint32_t compression = 0)
{
    std::string file(14 + 40, '\0');
    auto *p = reinterpret_cast<uint8_t *>(file.data());
    p[0] = 'B';
    p[1] = 'M';
    PutLe32(p + 10, 14 + 40);
    PutLe32(p + 14, 40);
    PutLe32(p + 18, static_cast<uint32_t>(width));
    PutLe32(p + 22, static_cast<uint32_t>(height));
    PutLe16(p + 26, 1);
    PutLe16(p + 28, static_cast<unsigned>(bits));
    PutLe32(p + 30, compression);
    file += std::string(64, '\x55');
    return file;
}

std::string pcxHeader(int w, int h, int bpp, int planes, int bytesPerLine)
{
    std::string file(128, '\0');
    auto *p = reinterpret_cast<uint8_t *>(file.data());
    p[0] = 10;
    p[1] = 5;
    p[2] = 1;
    p[3] = static_cast<uint8_t>(bpp);
    PutLe16(p + 8, static_cast<unsigned>(w - 1));
    PutLe16(p + 10, static_cast<unsigned>(h - 1));
    p[65] = static_cast<uint8_t>(planes);
    PutLe16(p + 66, static_cast<unsigned>(bytesPerLine));
    file += std::string(64, '\x01');
    return file;
}

std::string tgaHeader(int type, int w, int h, int depth)
{
    std::string file(18, '\0');
    auto *p = reinterpret_cast<uint8_t *>(file.data());
    p[2] = static_cast<uint8_t>(type);
    PutLe16(p + 12, static_cast<unsigned>(w));
    PutLe16(p + 14, static_cast<unsigned>(h));
    p[16] = static_cast<uint8_t>(depth);
    file += std::string(64, '\x01');
    return file;
}

std::string gifHeader(int screenW, int screenH, int frameW, int frameH)
{
    std::string file = "GIF89a";
    file.resize(13 + 6, '\0');
    auto *p = reinterpret_cast<uint8_t *>(file.data());
    PutLe16(p + 6, static_cast<unsigned>(screenW));
    PutLe16(p + 8, static_cast<unsigned>(screenH));
    p[10] = 0x80; // 2-entry global table
    std::string image(10, '\0');
    auto *q = reinterpret_cast<uint8_t *>(image.data());
    q[0] = 0x2C;
    PutLe16(q + 5, static_cast<unsigned>(frameW));
    PutLe16(q + 7, static_cast<unsigned>(frameH));
    return file + image + std::string("\x02\x02\x4C\x01\x00\x3B", 6);
}

std::vector<Hostile> hostileFiles()
{
    std::string palette200 = bmpHeader(4, 4, 8);
    PutLe32(reinterpret_cast<uint8_t *>(palette200.data()) + 46, 0xFFFFFFFF); // clrUsed
    PutLe32(reinterpret_cast<uint8_t *>(palette200.data()) + 10, 0);          // rows after it
    return {
        {"bmp_huge_24", bmpHeader(60000, 60000, 24), DecodeBmp},
        {"bmp_width_over_limit", bmpHeader(70000, 1, 24), DecodeBmp},
        {"bmp_int_min_height", bmpHeader(10, INT32_MIN, 24), DecodeBmp},
        {"bmp_negative_width", bmpHeader(-10, 10, 24), DecodeBmp},
        {"bmp_rle8_huge", bmpHeader(65536, 65536, 8, 1), DecodeBmp},
        {"bmp_rle4_with_8_bits", bmpHeader(4, 4, 8, 2), DecodeBmp},
        {"bmp_bit_count_7", bmpHeader(4, 4, 7), DecodeBmp},
        {"bmp_colours_used_huge", palette200, DecodeBmp},
        {"pcx_huge", pcxHeader(65535, 65535, 8, 3, 65535), DecodePcx},
        {"pcx_line_too_short", pcxHeader(100, 2, 8, 1, 10), DecodePcx},
        {"pcx_depth_16", pcxHeader(4, 4, 8, 2, 4), DecodePcx},
        {"tga_huge", tgaHeader(2, 65535, 65535, 32), DecodeTga},
        {"tga_type_32", tgaHeader(32, 4, 4, 8), DecodeTga},
        {"tga_grey_16", tgaHeader(3, 4, 4, 16), DecodeTga},
        {"tga_mapped_without_map", tgaHeader(1, 4, 4, 8), DecodeTga},
        {"gif_huge_screen", gifHeader(65535, 65535, 1, 1), decodeGif},
        {"gif_huge_frame", gifHeader(1, 1, 65535, 65535), decodeGif},
    };
}

class HostileTest : public testing::TestWithParam<Hostile>
{
protected:
    void SetUp() override
    {
        saved = GetImageLimits();
        ImageLimits small = saved;
        small.maxBytes = 64u << 20;
        SetImageLimits(small);
    }
    void TearDown() override { SetImageLimits(saved); }
    ImageLimits saved;
};

TEST_P(HostileTest, IsRefused)
{
    CDib dib;
    CodecError error;
    EXPECT_FALSE(decode(GetParam().bytes, GetParam().decoder, dib, error));
    EXPECT_TRUE(dib.IsEmpty());
    EXPECT_FALSE(error.text.empty());
}

INSTANTIATE_TEST_SUITE_P(Imagelib, HostileTest, testing::ValuesIn(hostileFiles()),
                         [](const testing::TestParamInfo<Hostile> &info) {
                             return std::string(info.param.name);
                         });

TEST(CDib, CreateChecksTheLimits)
{
    CDib dib;
    std::string why;
    EXPECT_FALSE(dib.Create(0, 5, 24, &why));
    EXPECT_FALSE(dib.Create(5, 5, 2, &why));
    EXPECT_FALSE(dib.Create(65537, 1, 8, &why));
    EXPECT_EQ(why, "picture too large");
    EXPECT_TRUE(dib.Create(5, 3, 24, &why));
    EXPECT_EQ(dib.Stride(), 16u); // 15 bytes padded to 16
    EXPECT_TRUE(dib.Create(3, 1, 1, &why));
    EXPECT_EQ(dib.Stride(), 4u);
    EXPECT_EQ(dib.Palette().size(), 2u);
}

} // namespace

namespace {

// The files kept for the fuzz replays as "must fail" are refused by their reader, every one.
TEST(MustFail, EveryFileIsRefused)
{
    const std::pair<const char *, Decoder> folders[] = {
        {"bmp", DecodePackedDib}, {"pcx", DecodePcx},   {"gif", decodeGif},   {"tga", DecodeTga},
        {"png", DecodePng},       {"jpeg", DecodeJpeg}, {"tiff", DecodeTiff},
    };
    int files = 0;
    for (const auto &[folder, decoder] : folders) {
        const std::string dir = std::string(PELION_TEST_DATA_DIR) + "/must-fail/" + folder;
        std::error_code ec;
        for (const auto &entry : std::filesystem::directory_iterator(dir, ec)) {
            const std::string bytes = readBytes(entry.path().string());
            const std::vector<uint8_t> exact(bytes.begin(), bytes.end());
            CDib dib;
            CodecError error;
            EXPECT_FALSE(decoder(exact.data(), exact.size(), dib, error)) << entry.path();
            EXPECT_TRUE(dib.IsEmpty());
            ++files;
        }
    }
    EXPECT_GT(files, 20);
}

} // namespace
