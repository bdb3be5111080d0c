#include "insert/PastedPicture.h"

#include "imagelib/CBmp.h"
#include "sites/SiteDefinitions.h"
#include "util/FileUtil.h"
#include "util/ProfileFile.h"

#include "../support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

CBmp SolidPicture(int width, int height, RgbQuad colour)
{
    CDib dib;
    EXPECT_TRUE(dib.Create(width, height, 24));
    for (int y = 0; y < height; ++y) {
        uint8_t *row = dib.Row(y);
        for (int x = 0; x < width; ++x) {
            row[3 * x] = colour.blue;
            row[3 * x + 1] = colour.green;
            row[3 * x + 2] = colour.red;
        }
    }
    CBmp picture;
    picture.SetDib(std::move(dib));
    return picture;
}

TEST(PastedPictureName, FirstFreeNumberFromOne)
{
    TempDir dir;
    EXPECT_EQ(NextPastedPictureName(dir.path()), "img0001.jpg");
    // Gaps are filled first; a folder of that name counts as taken.
    ASSERT_TRUE(util::WriteFileAtomic(dir.file("img0001.jpg"), "x"));
    ASSERT_TRUE(util::MakeFolders(dir.file("img0002.jpg")));
    ASSERT_TRUE(util::WriteFileAtomic(dir.file("img0004.jpg"), "x"));
    EXPECT_EQ(NextPastedPictureName(dir.path()), "img0003.jpg");
    // Other spellings are other files on this platform.
    ASSERT_TRUE(util::WriteFileAtomic(dir.file("IMG0003.JPG"), "x"));
    EXPECT_EQ(NextPastedPictureName(dir.path()), "img0003.jpg");
}

TEST(PastedPictureName, PastNineThousandNineHundredNinetyNine)
{
    TempDir dir;
    for (int n = 1; n <= 9999; ++n) {
        char name[16];
        std::snprintf(name, sizeof name, "img%04d.jpg", n);
        std::FILE *f = std::fopen(dir.file(name).c_str(), "w");
        ASSERT_NE(f, nullptr);
        std::fclose(f);
    }
    EXPECT_EQ(NextPastedPictureName(dir.path()), "img10000.jpg");
}

struct SizeCase
{
    int width, height, expectedWidth, expectedHeight;
};

class PastedPictureSizes : public testing::TestWithParam<SizeCase>
{};

TEST_P(PastedPictureSizes, TinyPicturesGetTheFallback)
{
    const SizeCase &c = GetParam();
    const PastedPictureSize size = PastedPictureSizeFor(c.width, c.height);
    EXPECT_EQ(size.width, c.expectedWidth);
    EXPECT_EQ(size.height, c.expectedHeight);
}

INSTANTIATE_TEST_SUITE_P(Sizes, PastedPictureSizes,
                         testing::Values(SizeCase{3, 4, 200, 200}, SizeCase{4, 4, 200, 200},
                                         SizeCase{0, 0, 200, 200}, SizeCase{-3, 2, 200, 200},
                                         SizeCase{3, 40, 3, 40}, SizeCase{5, 1, 5, 1},
                                         SizeCase{640, 480, 640, 480}, SizeCase{0, 40, 1, 40},
                                         SizeCase{30, -2, 30, 1}));

TEST(PastedPictureHtml, ReferenceWithAndWithoutSubFolder)
{
    EXPECT_EQ(PastedPictureHtml("images", "img0001.jpg"),
              "<img align=baseline alt=\"\" border=0 hspace=0 src=\"images/img0001.jpg\">\n");
    EXPECT_EQ(PastedPictureHtml("", "img0001.jpg"),
              "<img align=baseline alt=\"\" border=0 hspace=0 src=\"img0001.jpg\">\n");
    EXPECT_EQ(PastedPictureHtml("art/pics", "my picture"),
              "<img align=baseline alt=\"\" border=0 hspace=0 src=\"art/pics/my picture\">\n");
    // A typed name cannot end the attribute early.
    EXPECT_EQ(PastedPictureHtml("", "a\"b&c.jpg"),
              "<img align=baseline alt=\"\" border=0 hspace=0 src=\"a&quot;b&amp;c.jpg\">\n");
    // Nor start a query or a fragment: the reference names the file as typed.
    EXPECT_EQ(PastedPictureHtml("images", "no#1?x=100%.jpg"),
              "<img align=baseline alt=\"\" border=0 hspace=0 "
              "src=\"images/no%231%3Fx=100%25.jpg\">\n");
}

TEST(PastedPictureTarget, SiteRootWithSubFolderAndLoosePage)
{
    TempDir dir;
    const std::string site = dir.path() + "Site";
    ProfileFile profile;
    SiteDefinitions(profile).Add("Site", site, "images");

    PastedPictureTarget target = PastedPictureTargetFor(site + "/index.html", profile);
    EXPECT_EQ(target.folder, site + "/images");
    EXPECT_EQ(target.subFolder, "images");

    target = PastedPictureTargetFor(dir.path() + "Loose/page.html", profile);
    EXPECT_EQ(target.folder, dir.path() + "Loose");
    EXPECT_EQ(target.subFolder, "");

    EXPECT_EQ(PastedPictureTargetFor("", profile).folder, "");
    EXPECT_EQ(PastedPictureTargetFor("http://example.org/a.html", profile).folder, "");
}

TEST(WritePastedPicture, JpegUnderAnyNameInANewFolder)
{
    TempDir dir;
    const std::string folder = dir.path() + "Site/images";
    const CBmp picture = SolidPicture(8, 6, {0x20, 0x80, 0xE0, 0});
    std::string error;
    ASSERT_TRUE(WritePastedPicture(picture, folder, "snapshot", &error)) << error;
    ASSERT_TRUE(util::FileExists(folder + "/snapshot"));
    EXPECT_FALSE(util::FileExists(folder + "/snapshot.jpg"));

    std::string bytes;
    ASSERT_TRUE(util::ReadFile(folder + "/snapshot", bytes));
    ASSERT_GE(bytes.size(), 3u);
    EXPECT_EQ(bytes.substr(0, 3), std::string("\xFF\xD8\xFF")); // a JPEG, not a bitmap
}

TEST(WritePastedPicture, FailuresWriteNothing)
{
    TempDir dir;
    const CBmp picture = SolidPicture(4, 4, {0, 0, 0xFF, 0});
    std::string error;
    EXPECT_FALSE(WritePastedPicture(picture, "", "img0001.jpg", &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(util::FileExists("img0001.jpg"));

    // A file where the resource folder should be.
    ASSERT_TRUE(util::WriteFileAtomic(dir.file("images"), "not a folder"));
    EXPECT_FALSE(WritePastedPicture(picture, dir.file("images"), "img0001.jpg", &error));

    // A failing write keeps the old file as it was.
    ASSERT_TRUE(util::WriteFileAtomic(dir.file("img0001.jpg"), "old"));
    util::SetWriteFaultHook([](const std::string &) { return false; });
    EXPECT_FALSE(WritePastedPicture(picture, dir.path(), "img0001.jpg", &error));
    util::SetWriteFaultHook({});
    std::string bytes;
    ASSERT_TRUE(util::ReadFile(dir.file("img0001.jpg"), bytes));
    EXPECT_EQ(bytes, "old");

    EXPECT_FALSE(WritePastedPicture(CBmp(), dir.path(), "empty.jpg", &error));
    EXPECT_FALSE(util::FileExists(dir.file("empty.jpg")));

    // The folders made for a picture that could not be written go again; one that was there
    // stays.
    EXPECT_FALSE(WritePastedPicture(CBmp(), dir.path() + "Site/images", "a.jpg", &error));
    EXPECT_FALSE(util::FolderExists(dir.path() + "Site"));
    ASSERT_TRUE(util::MakeFolders(dir.path() + "Kept"));
    EXPECT_FALSE(WritePastedPicture(CBmp(), dir.path() + "Kept/new", "a.jpg", &error));
    EXPECT_FALSE(util::FolderExists(dir.path() + "Kept/new"));
    EXPECT_TRUE(util::FolderExists(dir.path() + "Kept"));
}

} // namespace
