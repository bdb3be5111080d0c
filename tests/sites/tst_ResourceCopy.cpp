#include "sites/ResourceCopy.h"

#include "sites/PagePath.h"
#include "sites/SiteDefinitions.h"
#include "util/FileUtil.h"
#include "util/ProfileFile.h"

#include "../support/TempDir.h"
#include "../support/TestFiles.h"

#include <gtest/gtest.h>

namespace {

class ResourceCopyTest : public testing::Test
{
protected:
    void SetUp() override
    {
        site = dir.file("Site");
        plain = dir.file("Plain");
        ASSERT_TRUE(util::MakeFolders(site));
        ASSERT_TRUE(util::MakeFolders(plain));
        SiteDefinitions(profile).Add("Site", site, "media");
        ASSERT_TRUE(writeFile(dir.file("Clip/sun.gif"), "sun"));
        ASSERT_TRUE(writeFile(dir.file("Other/sun.gif"), "another sun"));
    }

    TempDir dir;
    ProfileFile profile;
    std::string site;
    std::string plain;
};

TEST_F(ResourceCopyTest, SiteRootCopiesIntoTheResourceFolder)
{
    // "media" does not exist yet: it is made for the first resource.
    EXPECT_EQ(CopyResourceToSite(site + "/index.html", dir.file("Clip/sun.gif"), profile),
              "media/sun.gif");
    EXPECT_EQ(readAll(site + "/media/sun.gif"), "sun");

    // A different file of the same name: the first copy stays, the reference is the same.
    EXPECT_EQ(CopyResourceToSite(site + "/page0002.html", dir.file("Other/sun.gif"), profile),
              "media/sun.gif");
    EXPECT_EQ(readAll(site + "/media/sun.gif"), "sun");
}

TEST_F(ResourceCopyTest, OtherFoldersCopyBesideThePage)
{
    EXPECT_EQ(CopyResourceToSite(plain + "/page.html", dir.file("Clip/sun.gif"), profile),
              "sun.gif");
    EXPECT_EQ(readAll(plain + "/sun.gif"), "sun");
    // A page in a sub-folder of a site root is not in the root.
    ASSERT_TRUE(util::MakeFolders(site + "/sub"));
    EXPECT_EQ(CopyResourceToSite(site + "/sub/a.html", dir.file("Clip/sun.gif"), profile),
              "sun.gif");
    EXPECT_TRUE(util::FileExists(site + "/sub/sun.gif"));
    // A file: URL names the same folder.
    ASSERT_TRUE(writeFile(dir.file("Clip/moon.png"), "moon"));
    EXPECT_EQ(
        CopyResourceToSite("file://" + plain + "/page.html", dir.file("Clip/moon.png"), profile),
        "moon.png");
    EXPECT_TRUE(util::FileExists(plain + "/moon.png"));
}

TEST_F(ResourceCopyTest, PagesWithoutAFolderReferToTheSource)
{
    const std::string source = dir.file("Clip/sun.gif");
    for (const std::string &page : {std::string(), std::string("http://example.com/a/index.html"),
                                    dir.file("missing/index.html"), std::string("about:blank")}) {
        EXPECT_EQ(CopyResourceToSite(page, source, profile), source) << page;
        EXPECT_EQ(CopyResourceToSite(page, source, profile, true), "") << page;
    }
    EXPECT_FALSE(util::FolderExists(dir.file("missing")));
    EXPECT_EQ(util::ListFiles("/", "sun.gif").size(), 0u);
}

TEST_F(ResourceCopyTest, ShortSourcesAndOddNames)
{
    EXPECT_EQ(CopyResourceToSite(plain + "/p.html", "ab", profile), "");
    EXPECT_EQ(CopyResourceToSite(plain + "/p.html", "", profile), "");
    // A file without extension keeps its name (no trailing dot).
    ASSERT_TRUE(writeFile(dir.file("Clip/README"), "read me"));
    EXPECT_EQ(CopyResourceToSite(plain + "/p.html", dir.file("Clip/README"), profile), "README");
    EXPECT_TRUE(util::FileExists(plain + "/README"));
    // A missing source: nothing copied, the reference all the same.
    EXPECT_EQ(CopyResourceToSite(plain + "/p.html", dir.file("Clip/none.gif"), profile),
              "none.gif");
    EXPECT_FALSE(util::FileExists(plain + "/none.gif"));
}

TEST_F(ResourceCopyTest, DestinationName)
{
    ASSERT_TRUE(writeFile(dir.file("Bin/Template.wav"), "RIFF"));
    std::string destination = "Recording.wav";
    EXPECT_EQ(CopyResourceToSite(site + "/index.html", dir.file("Bin/Template.wav"), profile, false,
                                 &destination),
              "media/Recording.wav");
    EXPECT_EQ(destination, site + "/media/Recording.wav");
    EXPECT_EQ(readAll(destination), "RIFF");

    // Never overwritten: a second recording of that name keeps the first file.
    ASSERT_TRUE(writeFile(dir.file("Bin/Other.wav"), "other"));
    destination = "Recording.wav";
    CopyResourceToSite(site + "/index.html", dir.file("Bin/Other.wav"), profile, false,
                       &destination);
    EXPECT_EQ(readAll(site + "/media/Recording.wav"), "RIFF");
}

TEST_F(ResourceCopyTest, NumberedSets)
{
    for (int n = 1; n <= 5; ++n)
        ASSERT_TRUE(
            writeFile(dir.file("My.Pics/star000" + std::to_string(n) + ".gif"), std::to_string(n)));
    EXPECT_EQ(
        CopyResourceToSite(site + "/index.html", dir.file("My.Pics/star0002.gif"), profile, true),
        "");
    EXPECT_EQ(util::ListFiles(site + "/media", "star*.gif"),
              (std::vector<std::string>{"star0001.gif", "star0002.gif", "star0003.gif",
                                        "star0004.gif", "star0005.gif"}));
    EXPECT_EQ(readAll(site + "/media/star0004.gif"), "4");

    // The set stops at the first missing number.
    ASSERT_TRUE(writeFile(dir.file("Gap/dot0001.png"), "1"));
    ASSERT_TRUE(writeFile(dir.file("Gap/dot0002.png"), "2"));
    ASSERT_TRUE(writeFile(dir.file("Gap/dot0004.png"), "4"));
    CopyResourceToSite(plain + "/p.html", dir.file("Gap/dot0004.png"), profile, true);
    EXPECT_EQ(util::ListFiles(plain, "dot*"),
              (std::vector<std::string>{"dot0001.png", "dot0002.png"}));

    // Without number 1 nothing is copied.
    ASSERT_TRUE(writeFile(dir.file("NoOne/ring0002.gif"), "2"));
    CopyResourceToSite(plain + "/p.html", dir.file("NoOne/ring0002.gif"), profile, true);
    EXPECT_TRUE(util::ListFiles(plain, "ring*").empty());

    // A name that does not end in four digits is no set: the file alone is copied.
    CopyResourceToSite(plain + "/p.html", dir.file("Clip/sun.gif"), profile, true);
    EXPECT_TRUE(util::FileExists(plain + "/sun.gif"));
}

TEST(ResourceType, TableAndFolderWords)
{
    struct Row
    {
        const char *path;
        bool isExtension;
        int kind;
    };
    const Row rows[] = {
        {"sun.GIF", false, ResourceAnimation},
        {"/clip/photo.JPEG", false, ResourceImage},
        {"a.bmp", false, 1},
        {"a.pcx", false, 1},
        {"a.tga", false, 1},
        {"a.jpg", false, 1},
        {"a.tif", false, 1},
        {"a.tiff", false, 1},
        {"a.dib", false, 1},
        {"a.png", false, 1},
        {"a.rle", false, 1},
        {"a.avi", false, 4},
        {"a.mpg", false, 4},
        {"a.mpeg", false, 4},
        {"a.MOV", false, 4},
        {"tune.MID", false, ResourceSound},
        {"a.wav", false, 2},
        {"a.rmi", false, 2},
        {"/clip/Sounds/readme.txt", false, ResourceSound},
        {"/clip/readme.txt", false, ResourceUnknown},
        {"/clip/Videos/Sounds/a.txt", false, ResourceVideo}, // folder words in table order
        {"/clip/Images/Animations/a.txt", false, ResourceImage},
        {"/clip/animations/a", false, ResourceAnimation},
        {"/clip/Sounds/a.png", false, ResourceImage}, // the extension comes first
        {"/clip/images", false, ResourceUnknown},     // a word needs its "/"
        {"/clip.gif/readme", false, ResourceUnknown},
        {"gif", true, ResourceAnimation},
        {".WAV", true, ResourceSound},
        {"txt", true, ResourceUnknown},
    };
    for (const Row &row : rows)
        EXPECT_EQ(GetResourceType(row.path, row.isExtension), row.kind) << row.path;
    EXPECT_STREQ(ResourceKindName(ResourceAnimation), "animation");
    EXPECT_STREQ(ResourceKindName(42), "unknown");
}

TEST(LocalPagePath, PathsAndUrls)
{
    EXPECT_EQ(LocalPagePath("/a/b.html"), "/a/b.html");
    EXPECT_EQ(LocalPagePath("file:///a/my%20page.html"), "/a/my page.html");
    EXPECT_EQ(LocalPagePath("FILE://localhost/a/b.html#top"), "/a/b.html");
    EXPECT_EQ(LocalPagePath("file:/a/b.html"), "/a/b.html");
    EXPECT_EQ(LocalPagePath("file://server/share/b.html"), "");
    EXPECT_EQ(LocalPagePath("http://example.com/b.html"), "");
    EXPECT_EQ(LocalPagePath(""), "");
}

} // namespace
