// The PNG reader against PngSuite: every image decodes to the expected pixels (colours where
// the reference is opaque; 16-bit samples are reduced to their high byte), and the corrupt
// "x" files are refused. Also the row limit for interlaced pictures.
#include "ImageTestUtil.h"

#include "imagelib/ImageCodecs.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace imagelib;

namespace {

std::string suiteDir()
{
    return imagetest::sharedDir() + "pngsuite/";
}

std::vector<std::string> suiteFiles()
{
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto &entry : std::filesystem::directory_iterator(suiteDir() + "png", ec))
        if (entry.path().extension() == ".png")
            names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    if (names.empty())
        names.push_back("absent"); // one row that skips with a message
    return names;
}

// The JSON files are one flat array of numbers: RGBA per pixel, 8 or 16 bits a value.
std::vector<unsigned> readNumbers(const std::string &path)
{
    std::vector<unsigned> values;
    const std::string text = imagetest::readBytes(path);
    unsigned v = 0;
    bool inNumber = false;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            v = v * 10 + static_cast<unsigned>(c - '0');
            inNumber = true;
        } else if (inNumber) {
            values.push_back(v);
            v = 0;
            inNumber = false;
        }
    }
    return values;
}

class PngSuiteTest : public testing::TestWithParam<std::string>
{};

TEST_P(PngSuiteTest, MatchesTheReference)
{
    const std::string name = GetParam();
    if (name == "absent")
        PELION_SUITE_ABSENT("PngSuite not found in " + suiteDir());
    const std::string bytes = imagetest::readBytes(suiteDir() + "png/" + name + ".png");
    CDib dib;
    CodecError error;
    const bool ok =
        DecodePng(reinterpret_cast<const uint8_t *>(bytes.data()), bytes.size(), dib, error);
    if (name[0] == 'x') {
        EXPECT_FALSE(ok) << "corrupt file accepted";
        EXPECT_TRUE(dib.IsEmpty());
        EXPECT_EQ(error.text, "This is not a valid PNG File!");
        return;
    }
    ASSERT_TRUE(ok) << error.text;
    const std::vector<unsigned> expected = readNumbers(suiteDir() + "json/" + name + ".json");
    ASSERT_EQ(expected.size(), static_cast<size_t>(dib.Width()) * dib.Height() * 4);
    const bool sixteen = name.find("16") != std::string::npos;
    imagetest::Rgba reference;
    reference.width = dib.Width();
    reference.height = dib.Height();
    for (unsigned v : expected)
        reference.pixels.push_back(static_cast<uint8_t>(sixteen ? v >> 8 : v));
    if (sixteen) // alpha 65535 became 255 above
        for (size_t i = 3; i < reference.pixels.size(); i += 4)
            reference.pixels[i] = expected[i] == 65535 ? 255 : 0;
    EXPECT_EQ(imagetest::compareOpaque(dib, reference), "");
}

INSTANTIATE_TEST_SUITE_P(Imagelib, PngSuiteTest, testing::ValuesIn(suiteFiles()),
                         [](const testing::TestParamInfo<std::string> &info) {
                             return info.param;
                         });

// A grey PNG of 1 x rows written with libpng, interlaced or not.
std::string greyPng(png_uint_32 rows, bool interlaced)
{
    std::string out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(
        png, &out,
        [](png_structp p, png_bytep data, size_t n) {
            static_cast<std::string *>(png_get_io_ptr(p))
                ->append(reinterpret_cast<char *>(data), n);
        },
        nullptr);
    png_set_IHDR(png, info, 1, rows, 8, PNG_COLOR_TYPE_GRAY,
                 interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    const int passes = png_set_interlace_handling(png);
    for (int pass = 0; pass < passes; ++pass)
        for (png_uint_32 y = 0; y < rows; ++y) {
            png_byte v = static_cast<png_byte>(y);
            png_write_row(png, &v);
        }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

TEST(PngDecoder, InterlacedPicturesOfMoreThan10000RowsAreRefused)
{
    struct Case
    {
        png_uint_32 rows;
        bool interlaced;
        bool loads;
    };
    for (const Case c :
         {Case{10001, true, false}, Case{10001, false, true}, Case{10000, true, true}}) {
        const std::string file = greyPng(c.rows, c.interlaced);
        ASSERT_FALSE(file.empty());
        CDib dib;
        CodecError error;
        const bool ok =
            DecodePng(reinterpret_cast<const uint8_t *>(file.data()), file.size(), dib, error);
        EXPECT_EQ(ok, c.loads) << c.rows << (c.interlaced ? " interlaced" : "");
        if (!ok) {
            EXPECT_EQ(error.text, "Sorry!\nThis File is toooo big for me.");
        } else {
            ASSERT_EQ(dib.Height(), static_cast<int>(c.rows));
            EXPECT_EQ(dib.PixelColour(0, 300).red, 300 & 255); // rows stored bottom-up
        }
    }
}

} // namespace
