// CBmp: the reader chosen by the extension alone, messages through the reporter, the program's
// own pictures through the provider, and the picture's life cycle.
#include "../support/TempDir.h"
#include "ImageTestUtil.h"

#include "imagelib/CBmp.h"
#include "imagelib/ImageCodecs.h"
#include "imagelib/ImageServices.h"

#include <gtest/gtest.h>

#include <map>

#include <jpeglib.h>
#include <tiffio.h>

using namespace imagelib;

namespace {

// Collects what would be shown in message boxes.
class ReporterFixture : public testing::Test
{
protected:
    void SetUp() override
    {
        SetErrorReporter([this](const std::string &title, const std::string &text) {
            messages.push_back({title, text});
        });
    }
    void TearDown() override { SetErrorReporter(nullptr); }

    std::vector<std::pair<std::string, std::string>> messages;
    TempDir dir;
};

// A small JPEG written with libjpeg directly: 4 x 2, left half red, right half blue.
std::string referenceJpeg()
{
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = 16;
    cinfo.image_height = 16;
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 100, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    uint8_t row[16 * 3];
    for (int x = 0; x < 16; ++x) {
        row[3 * x] = x < 8 ? 255 : 0;
        row[3 * x + 1] = 0;
        row[3 * x + 2] = x < 8 ? 0 : 255;
    }
    while (cinfo.next_scanline < 16) {
        JSAMPROW p = row;
        jpeg_write_scanlines(&cinfo, &p, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::string out(reinterpret_cast<char *>(buffer), size);
    free(buffer);
    return out;
}

TEST_F(ReporterFixture, TheExtensionAloneChoosesTheReader)
{
    const std::string jpeg = referenceJpeg();
    struct Case
    {
        const char *name;
        bool loads;
    };
    for (const Case c :
         {Case{"a.JpG", true}, Case{"b.jpeg", true}, Case{"c.JPEG", true}, Case{"d.img", false},
          Case{"e", false}, Case{"f.png", false}, Case{"g.jpg.bak", false}}) {
        ASSERT_TRUE(imagetest::writeBytes(dir.file(c.name), jpeg));
        CBmp bmp;
        EXPECT_EQ(bmp.Load(dir.file(c.name)), c.loads) << c.name;
        EXPECT_EQ(bmp.IsEmpty(), !c.loads) << c.name;
        if (c.loads) {
            int w = 0, h = 0;
            ASSERT_TRUE(bmp.GetSize(w, h));
            EXPECT_EQ(w, 16);
            EXPECT_EQ(h, 16);
            EXPECT_EQ(bmp.GetInfo().bitsPerPixel, 24);
            const RgbQuad left = bmp.Dib().PixelColour(1, 1), right = bmp.Dib().PixelColour(14, 1);
            EXPECT_GT(left.red, 240);
            EXPECT_LT(left.blue, 15);
            EXPECT_GT(right.blue, 240);
            EXPECT_LT(right.red, 15);
        } else {
            EXPECT_FALSE(bmp.LastError().empty());
        }
    }
    // the PNG reader refused JPEG bytes without a message box
    EXPECT_TRUE(messages.empty());
}

TEST_F(ReporterFixture, JpegReaderMessagesGoToTheReporter)
{
    CBmp bmp;
    const std::string missing = dir.file("missing.jpg");
    EXPECT_FALSE(bmp.Load(missing));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].second, "JPEG :\nCan't open " + missing + "\n");

    // a fatal library error comes back as a failed load with the library's text
    std::string broken = referenceJpeg();
    broken[1] = '\x00'; // no start-of-image marker: libjpeg gives up
    ASSERT_TRUE(imagetest::writeBytes(dir.file("broken.jpg"), broken));
    EXPECT_FALSE(bmp.Load(dir.file("broken.jpg")));
    EXPECT_TRUE(bmp.IsEmpty());
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].first, "JPG Fatal Error");
    EXPECT_FALSE(messages[1].second.empty());

    // other readers stay silent
    EXPECT_FALSE(bmp.Load(dir.file("missing.png")));
    EXPECT_EQ(bmp.LastError(), "Can't open file: " + dir.file("missing.png"));
    EXPECT_FALSE(bmp.Load(dir.file("missing.gif")));
    EXPECT_EQ(messages.size(), 2u);
}

TEST_F(ReporterFixture, JpegWriterReportsAFileItCannotWrite)
{
    CBmp bmp;
    ASSERT_TRUE(bmp.Load(imagetest::dataDir() + "bmp24.bmp"));
    const std::string path = dir.file("no/such/folder/out.jpg");
    EXPECT_FALSE(bmp.SaveAs(path));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].second, "Can't open " + path + "\n");
}

TEST(CBmp, LoadCopyReleaseAndAFailedLoad)
{
    CBmp a;
    EXPECT_TRUE(a.IsEmpty());
    int w = 1, h = 1;
    EXPECT_FALSE(a.GetSize(w, h));
    EXPECT_EQ(a.GetInfo().bitsPerPixel, 0);

    ASSERT_TRUE(a.Load(imagetest::dataDir() + "bmp8.bmp"));
    a.SetTransparent(true);
    a.SetTransparentColour(0x123456);
    CBmp b;
    b.Copy(a);
    EXPECT_EQ(b.GetInfo().width, 21);
    EXPECT_EQ(b.GetInfo().height, 11);
    EXPECT_EQ(b.GetInfo().bitsPerPixel, 8);
    EXPECT_TRUE(b.IsTransparent());
    EXPECT_EQ(b.TransparentColour(), 0x123456u);
    EXPECT_EQ(b.Dib().ToRgba(), a.Dib().ToRgba());
    EXPECT_EQ(b.Dib().Palette(), a.Dib().Palette());

    a.Release();
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_FALSE(a.IsTransparent());
    EXPECT_FALSE(b.IsEmpty()); // the copy owns its own picture

    // a failed load empties the object it was loaded into
    EXPECT_FALSE(b.Load(imagetest::dataDir() + "make-fixtures.py.bmp"));
    EXPECT_TRUE(b.IsEmpty());
    EXPECT_FALSE(b.IsTransparent());
    EXPECT_FALSE(b.Load(imagetest::dataDir() + "bmp8.bmp.ppm"));
}

// Pictures of the program itself, "NAME.P" (PCX), "NAME.B4" and "NAME.B8" (bitmaps), come from
// the provider the UI registers.
class TestProvider : public CPictureProvider
{
public:
    bool GetPicture(const std::string &name, PictureResource kind, std::string &bytes) override
    {
        asked.push_back({name, kind});
        const auto found = pictures.find(name);
        if (found == pictures.end())
            return false;
        bytes = found->second;
        return true;
    }
    std::map<std::string, std::string> pictures;
    std::vector<std::pair<std::string, PictureResource>> asked;
};

TEST(CBmp, ProgramPicturesComeFromTheProvider)
{
    CBmp bmp;
    EXPECT_FALSE(bmp.Load("TOOLBAR.P")); // no provider yet

    TestProvider provider;
    const std::string bmpFile = imagetest::readBytes(imagetest::dataDir() + "bmp8.bmp");
    provider.pictures["TOOLBAR"] = imagetest::readBytes(imagetest::dataDir() + "pcx8.pcx");
    provider.pictures["LOGO"] = bmpFile;
    provider.pictures["<BUTTON"] = bmpFile.substr(14); // a packed DIB, as a resource holds it
    SetPictureProvider(&provider);

    EXPECT_TRUE(bmp.Load("TOOLBAR.P"));
    EXPECT_EQ(bmp.GetInfo().bitsPerPixel, 8);
    EXPECT_TRUE(bmp.Load("LOGO.b4"));
    EXPECT_TRUE(bmp.Load("<BUTTON.B8"));
    EXPECT_EQ(imagetest::compareOpaque(bmp.Dib(),
                                       imagetest::readPpm(imagetest::dataDir() + "bmp8.bmp.ppm")),
              "");
    EXPECT_FALSE(bmp.Load("NOTHERE.B8"));
    EXPECT_TRUE(bmp.IsEmpty());
    SetPictureProvider(nullptr);

    ASSERT_EQ(provider.asked.size(), 4u);
    EXPECT_EQ(provider.asked[0], std::make_pair(std::string("TOOLBAR"), PictureResource::Pcx));
    EXPECT_EQ(provider.asked[1], std::make_pair(std::string("LOGO"), PictureResource::Bitmap));
    EXPECT_EQ(provider.asked[2],
              std::make_pair(std::string("<BUTTON"), PictureResource::Bitmap256));
}

// CMYK (Adobe's inverted ink values) and grey JPEG files, made by ImageMagick from bmp24.bmp,
// come out as 24-bit colour close to that picture.
TEST(CBmp, CmykAndGreyJpegFiles)
{
    const imagetest::Rgba reference = imagetest::readPpm(imagetest::dataDir() + "bmp24.bmp.ppm");
    ASSERT_GT(reference.width, 0);
    for (const char *name : {"cmyk.jpg", "grey.jpg"}) {
        CBmp bmp;
        ASSERT_TRUE(bmp.Load(imagetest::dataDir() + name)) << bmp.LastError();
        ASSERT_EQ(bmp.GetInfo().bitsPerPixel, 24);
        const std::vector<uint8_t> got = bmp.Dib().ToRgba();
        ASSERT_EQ(got.size(), reference.pixels.size());
        const bool grey = name[0] == 'g';
        double error = 0;
        for (size_t i = 0; i < got.size(); i += 4) {
            for (int c = 0; c < 3; ++c) {
                const double want = grey ? 0.2126 * reference.pixels[i] +
                                               0.7152 * reference.pixels[i + 1] +
                                               0.0722 * reference.pixels[i + 2]
                                         : reference.pixels[i + c];
                error += std::abs(got[i + c] - want);
            }
            if (grey) {
                EXPECT_EQ(got[i], got[i + 1]);
                EXPECT_EQ(got[i], got[i + 2]);
            }
        }
        error /= static_cast<double>(got.size() / 4 * 3);
        EXPECT_LT(error, 12.0) << name; // mean error per sample, out of 255
    }
}

// A TIFF written with libtiff: RGB or grey, LZW-compressed, several rows a strip.
bool writeTiff(const std::string &path, const imagetest::Rgba &picture, bool grey)
{
    TIFF *tif = TIFFOpen(path.c_str(), "w");
    if (!tif)
        return false;
    const int channels = grey ? 1 : 3;
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, picture.width);
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, picture.height);
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, channels);
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, grey ? PHOTOMETRIC_MINISBLACK : PHOTOMETRIC_RGB);
    TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_LZW);
    TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, 3);
    std::vector<uint8_t> row(static_cast<size_t>(picture.width) * channels);
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x)
            for (int c = 0; c < channels; ++c)
                row[static_cast<size_t>(x) * channels + c] =
                    picture.pixels[(static_cast<size_t>(y) * picture.width + x) * 4 + c];
        if (TIFFWriteScanline(tif, row.data(), static_cast<uint32_t>(y), 0) < 0) {
            TIFFClose(tif);
            return false;
        }
    }
    TIFFClose(tif);
    return true;
}

TEST(CBmp, TiffFilesLoadThroughLibtiff)
{
    TempDir dir;
    imagetest::Rgba picture = imagetest::readPpm(imagetest::dataDir() + "bmp24.bmp.ppm");
    ASSERT_GT(picture.width, 0);
    for (const bool grey : {false, true}) {
        imagetest::Rgba expected = picture;
        if (grey) // the grey file holds the red samples
            for (size_t i = 0; i < expected.pixels.size(); i += 4)
                expected.pixels[i + 1] = expected.pixels[i + 2] = expected.pixels[i];
        const std::string tif = dir.file(grey ? "g.TIFF" : "p.tif");
        ASSERT_TRUE(writeTiff(tif, picture, grey));
        CBmp bmp;
        ASSERT_TRUE(bmp.Load(tif)) << bmp.LastError();
        EXPECT_EQ(bmp.GetInfo().bitsPerPixel, 24);
        EXPECT_EQ(imagetest::compareOpaque(bmp.Dib(), expected), "") << tif;

        // cut short: refused, not a crash
        std::string bytes = imagetest::readBytes(tif);
        bytes.resize(bytes.size() / 2);
        ASSERT_TRUE(imagetest::writeBytes(dir.file("cut.tif"), bytes));
        EXPECT_FALSE(bmp.Load(dir.file("cut.tif")));
        EXPECT_TRUE(bmp.IsEmpty());
    }
}

} // namespace
