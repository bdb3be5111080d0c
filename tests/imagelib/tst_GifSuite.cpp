// The GIF reader against the GIF suite (first frames rendered as PNG) and hand-made files:
// transparency, colour-table sizes, interlacing, frames off the screen and cut data.
#include "ImageTestUtil.h"

#include "../support/TempDir.h"
#include "imagelib/CBmp.h"
#include "imagelib/ImageCodecs.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace imagelib;

namespace {

std::string suiteDir()
{
    return imagetest::sharedDir() + "gifsuite/gifs/";
}

std::vector<std::string> suiteFiles()
{
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto &entry : std::filesystem::directory_iterator(suiteDir(), ec))
        if (entry.path().extension() == ".gif")
            names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    if (names.empty())
        names.push_back("absent");
    return names;
}

class GifSuiteTest : public testing::TestWithParam<std::string>
{};

TEST_P(GifSuiteTest, FirstFrameMatchesTheReference)
{
    const std::string name = GetParam();
    if (name == "absent")
        PELION_SUITE_ABSENT("GIF suite not found in " + suiteDir());
    const std::string bytes = imagetest::readBytes(suiteDir() + name + ".gif");
    std::string frame = suiteDir() + "frames/" + name + "-0.png";
    if (!std::filesystem::exists(frame))
        frame = suiteDir() + "frames/" + name + ".png";
    const imagetest::Rgba reference = imagetest::readPngRgba(frame);
    ASSERT_GT(reference.width, 0) << frame;
    CDib dib;
    CodecError error;
    int transparent = -1;
    ASSERT_TRUE(DecodeGif(reinterpret_cast<const uint8_t *>(bytes.data()), bytes.size(), dib, error,
                          transparent))
        << error.text;
    EXPECT_EQ(imagetest::compareOpaque(dib, reference), "");
    // The suite marks transparency exactly in its "transparent" files.
    EXPECT_EQ(transparent >= 0, name.find("transparent") != std::string::npos &&
                                    name.find("nontransparent") == std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Imagelib, GifSuiteTest, testing::ValuesIn(suiteFiles()),
                         [](const testing::TestParamInfo<std::string> &info) {
                             return info.param;
                         });

// A GIF written by hand. The LZW data sends a clear code before every index, so the code size
// never grows: each index is one code of minCodeSize + 1 bits.
struct GifSpec
{
    int width = 4;
    int height = 3;
    int tableBits = 2; // 2^tableBits entries in the global table
    bool globalTable = true;
    int transparentIndex = -1;
    bool interlaced = false;
    std::vector<uint8_t> indices; // in stored order
};

std::string makeGif(const GifSpec &s)
{
    std::string out = "GIF89a";
    const auto u16 = [&](int v) {
        out.push_back(static_cast<char>(v & 255));
        out.push_back(static_cast<char>(v >> 8));
    };
    u16(s.width);
    u16(s.height);
    out.push_back(static_cast<char>((s.globalTable ? 0x80 : 0) | (s.tableBits - 1)));
    out.push_back(0);
    out.push_back(0);
    if (s.globalTable)
        for (int i = 0; i < (1 << s.tableBits); ++i) {
            out.push_back(static_cast<char>(10 * i)); // red
            out.push_back(static_cast<char>(20 * i)); // green
            out.push_back(static_cast<char>(30 * i)); // blue
        }
    if (s.transparentIndex >= 0) {
        out += std::string("\x21\xF9\x04\x01\x00\x00", 6);
        out.push_back(static_cast<char>(s.transparentIndex));
        out.push_back(0);
    }
    out += std::string("\x21\xFE\x03"
                       "abc\x00",
                       7); // a comment, skipped
    out.push_back(0x2C);
    u16(0);
    u16(0);
    u16(s.width);
    u16(s.height);
    out.push_back(s.interlaced ? 0x40 : 0);
    const int minCode = std::max(2, s.tableBits);
    out.push_back(static_cast<char>(minCode));
    std::string lzw;
    uint32_t bits = 0;
    int count = 0;
    const auto put = [&](unsigned code) {
        bits |= code << count;
        count += minCode + 1;
        while (count >= 8) {
            lzw.push_back(static_cast<char>(bits & 255));
            bits >>= 8;
            count -= 8;
        }
    };
    for (uint8_t v : s.indices) {
        put(1u << minCode);
        put(v);
    }
    put((1u << minCode) + 1);
    if (count)
        lzw.push_back(static_cast<char>(bits & 255));
    for (size_t at = 0; at < lzw.size(); at += 255) {
        const size_t n = std::min<size_t>(255, lzw.size() - at);
        out.push_back(static_cast<char>(n));
        out += lzw.substr(at, n);
    }
    out.push_back(0);
    out.push_back(0x3B);
    return out;
}

bool decodeSpec(const GifSpec &spec, CDib &dib, int &transparent)
{
    const std::string bytes = makeGif(spec);
    CodecError error;
    return DecodeGif(reinterpret_cast<const uint8_t *>(bytes.data()), bytes.size(), dib, error,
                     transparent);
}

TEST(GifDecoder, TransparentIndex3GivesThePaletteColourOfEntry3)
{
    GifSpec spec;
    spec.tableBits = 3;
    spec.transparentIndex = 3;
    spec.indices = {0, 1, 2, 3, 4, 5, 6, 7, 3, 3, 1, 0};
    const std::string bytes = makeGif(spec);
    TempDir dir;
    const std::string path = dir.file("t.gif");
    ASSERT_TRUE(imagetest::writeBytes(path, bytes));
    CBmp bmp;
    ASSERT_TRUE(bmp.Load(path)) << bmp.LastError();
    EXPECT_TRUE(bmp.IsTransparent());
    EXPECT_EQ(bmp.TransparentColour(), 30u | (60u << 8) | (90u << 16)); // entry 3: 30, 60, 90
    EXPECT_EQ(bmp.GetInfo().bitsPerPixel, 4);
    EXPECT_EQ(bmp.Dib().PixelColour(3, 0), (RgbQuad{90, 60, 30, 0}));

    spec.transparentIndex = -1;
    ASSERT_TRUE(imagetest::writeBytes(path, makeGif(spec)));
    ASSERT_TRUE(bmp.Load(path));
    EXPECT_FALSE(bmp.IsTransparent());
}

// Table sizes choose the bit count: 2 entries 1 bit, 4 to 16 entries 4 bits, more 8 bits; no
// global table gives a ramp of that size.
TEST(GifDecoder, BitCountAndRampFollowTheTableSize)
{
    struct Case
    {
        int tableBits;
        bool global;
        int bitCount;
        RgbQuad entry1;
    };
    const Case cases[] = {
        {1, true, 1, {30, 20, 10, 0}},  {2, true, 4, {30, 20, 10, 0}},
        {4, true, 4, {30, 20, 10, 0}},  {5, true, 8, {30, 20, 10, 0}},
        {8, true, 8, {30, 20, 10, 0}},  {1, false, 1, {255, 255, 255, 0}},
        {3, false, 4, {16, 16, 16, 0}}, {8, false, 8, {1, 1, 1, 0}},
    };
    for (const Case &c : cases) {
        GifSpec spec;
        spec.tableBits = c.tableBits;
        spec.globalTable = c.global;
        spec.indices.assign(12, 1);
        CDib dib;
        int transparent = 0;
        ASSERT_TRUE(decodeSpec(spec, dib, transparent));
        EXPECT_EQ(dib.BitCount(), c.bitCount) << c.tableBits;
        EXPECT_EQ(dib.PixelColour(2, 1), c.entry1) << c.tableBits << (c.global ? "" : " ramp");
        EXPECT_EQ(transparent, -1);
    }
}

TEST(GifDecoder, InterlacedRowsArePutBackInOrder)
{
    GifSpec spec;
    spec.width = 1;
    spec.height = 10;
    spec.tableBits = 4;
    spec.interlaced = true;
    // stored order for 10 rows: 0, 8 | 4 | 2, 6 | 1, 3, 5, 7, 9; index = row number
    spec.indices = {0, 8, 4, 2, 6, 1, 3, 5, 7, 9};
    CDib dib;
    int transparent = 0;
    ASSERT_TRUE(decodeSpec(spec, dib, transparent));
    for (int y = 0; y < 10; ++y)
        EXPECT_EQ(dib.PixelColour(0, y).red, 10 * y) << "row " << y;
}

// Indices above what the table's bit count holds widen the picture to 8 bits; the entries past
// the table are black. Missing image data leaves the rest at the background.
TEST(GifDecoder, OutOfTableIndicesAndShortData)
{
    GifSpec spec;
    spec.tableBits = 1; // min code size 2: indices 0..3 can be coded
    spec.indices = {0, 1, 3, 2};
    CDib dib;
    int transparent = 0;
    ASSERT_TRUE(decodeSpec(spec, dib, transparent));
    EXPECT_EQ(dib.BitCount(), 8);
    EXPECT_EQ(dib.PixelColour(1, 0), (RgbQuad{30, 20, 10, 0}));
    EXPECT_EQ(dib.PixelColour(2, 0), RgbQuad{});
    EXPECT_EQ(dib.PixelColour(0, 2), RgbQuad{}); // never coded: background index 0
}

} // namespace
