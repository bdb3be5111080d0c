#include "insert/ImageInsertion.h"

#include "sites/SiteDefinitions.h"
#include "util/FileUtil.h"
#include "util/ProfileFile.h"

#include "../support/TempDir.h"

#include <gtest/gtest.h>

namespace {

struct PresetCase
{
    const char *name;
    const char *file;
    bool clickFromPath;
    int clickAction;
    const char *imageName;
};

void PrintTo(const PresetCase &c, std::ostream *os)
{
    *os << c.name;
}

class GalleryPreset : public testing::TestWithParam<PresetCase>
{};

TEST_P(GalleryPreset, ClickActionAndName)
{
    const PresetCase &c = GetParam();
    const std::vector<std::string> names = {"Home", "ball", "ball1"};
    const ImagePreset preset = GalleryImagePreset(c.file, names, c.clickFromPath);
    EXPECT_EQ(preset.source, c.file);
    EXPECT_EQ(preset.clickAction, c.clickAction);
    EXPECT_EQ(preset.name, c.imageName);
}

INSTANTIATE_TEST_SUITE_P(
    Files, GalleryPreset,
    testing::Values(
        PresetCase{"home", "/opt/p/Clipart/Buttons/Home.gif", true, ClickGoHome, "Home1"},
        PresetCase{"next", "/opt/p/Clipart/Buttons/NextPage.gif", true, ClickGoNext, "NextPage"},
        PresetCase{"home_before_prev", "/opt/p/Clipart/Buttons/homeprev.gif", true, ClickGoHome,
                   "homeprev"},
        PresetCase{"prev", "/opt/p/Clipart/Arrows/PREVIOUS.png", true, ClickGoPrevious, "PREVIOUS"},
        // Every file below a folder whose name holds "next" goes to the next page.
        PresetCase{"folder_next", "/opt/p/Clipart/Next buttons/ball.gif", true, ClickGoNext,
                   "ball2"},
        PresetCase{"none", "/opt/p/Clipart/Animals/cat.jpg", true, ClickNothing, "cat"},
        PresetCase{"next_and_home", "/opt/p/Clipart/Images/nexthome.gif", true, ClickGoHome,
                   "nexthome"},
        // The folders above the clip-art folder are not the picture's: a program below a user's
        // home folder, or a file outside the gallery, keeps its own name's action.
        PresetCase{"program_below_home", "/home/ann/pelion/Clipart/Images/ball.gif", true,
                   ClickNothing, "ball2"},
        PresetCase{"outside_gallery", "/home/ann/pictures/next/arrow.gif", true, ClickNothing,
                   "arrow"},
        // Preview and Insert never takes the action from the path.
        PresetCase{"preview_and_insert", "/opt/p/Clipart/Buttons/Home.gif", false, ClickNothing,
                   "Home1"},
        PresetCase{"blanks", "/opt/p/Clipart/my pic .gif", false, ClickNothing, "my_pic"}),
    [](const testing::TestParamInfo<PresetCase> &info) { return std::string(info.param.name); });

TEST(OpensImageDialog, ImagesAndAnimationsOutsideBackgrounds)
{
    EXPECT_TRUE(OpensImageDialog("/c/Clipart/Animations/spin.GIF"));
    EXPECT_TRUE(OpensImageDialog("/c/Clipart/Images/photo.jpeg"));
    EXPECT_TRUE(OpensImageDialog("/c/Clipart/Images/readme")); // the folder word says image
    EXPECT_FALSE(OpensImageDialog("/c/Clipart/Backgrounds/paper.jpg"));
    EXPECT_FALSE(OpensImageDialog("/c/Clipart/Sounds/ding.wav"));
    EXPECT_FALSE(OpensImageDialog("/c/Clipart/Videos/clip.avi"));
}

class BuildInsertedImageTest : public testing::Test
{
protected:
    void SetUp() override
    {
        site = dir.file("Site");
        ASSERT_TRUE(util::MakeFolders(site));
        SiteDefinitions(profile).Add("Site", site, "media");
        page = site + "/index.html";
        for (const char *name :
             {"Art/logo.gif", "Art/logo2.gif", "Art/ding.wav", "Doc/info.html",
              "My.Set/star0001.gif", "My.Set/star0002.gif", "My.Set/star0003.gif"})
            write(dir.file(name));
    }
    void write(const std::string &path)
    {
        ASSERT_TRUE(util::MakeFolders(util::PathFolder(path)));
        ASSERT_TRUE(util::WriteFileAtomic(path, path));
    }

    TempDir dir;
    ProfileFile profile;
    std::string site;
    std::string page;
};

TEST_F(BuildInsertedImageTest, FilesAreCopiedAndTheTagNamesTheCopies)
{
    ImageDialogValues values;
    values.name = "logo";
    values.source = dir.file("Art/logo.gif");
    values.rollover = dir.file("Art/logo2.gif");
    values.sound = dir.file("Art/ding.wav");
    values.clickAction = ClickPlaySound;
    values.alt = "Our logo";
    values.link = dir.file("Doc/info.html");
    values.invisible = true;
    values.hoverPopup = "tip";
    EXPECT_EQ(BuildInsertedImage(values, page, profile),
              "<a href=\"media/info.html\"><img src=\"media/logo.gif\" align=baseline alt=\"Our "
              "logo\" name=\"logo\"  class=\"showhand\" onClick=\"qxSound('media/ding.wav')\""
              "onMouseOver=\"qxRollPopOver(logo, 'media/logo2.gif', tip)\"onMouseOut=\""
              "qxMousePopOut(logo, 'media/logo.gif', tip)\" Style=\"Visibility:hidden\" border=0 "
              "hspace=0></a>");
    for (const char *copy : {"logo.gif", "logo2.gif", "ding.wav", "info.html"})
        EXPECT_TRUE(util::FileExists(site + "/media/" + copy)) << copy;
}

TEST_F(BuildInsertedImageTest, AddressLinksAndMissingFilesAreWrittenAsGiven)
{
    ImageDialogValues values;
    values.name = "x";
    values.source = dir.file("Art/missing.gif");
    values.link = "http://example.org/a b";
    const std::string html = BuildInsertedImage(values, page, profile);
    EXPECT_EQ(html, "<a href=\"http://example.org/a b\"><img src=\"media/missing.gif\" "
                    "align=baseline name=\"x\"  border=0 hspace=0></a>");
    EXPECT_FALSE(util::FileExists(site + "/media/missing.gif"));
    // A relative link is a page name, never a file of the program's working folder.
    values.link = "info.html";
    EXPECT_NE(BuildInsertedImage(values, page, profile).find("href=\"info.html\""),
              std::string::npos);
}

TEST_F(BuildInsertedImageTest, RandomSetIsCopiedWholeOnlyWhenCounted)
{
    ImageDialogValues values;
    values.name = "star";
    values.source = dir.file("My.Set/star0002.gif");
    values.clickAction = ClickRandomImage;
    values.randomSetSize = 0;
    EXPECT_NE(BuildInsertedImage(values, page, profile).find("qxGoRandom(star, 0)"),
              std::string::npos);
    EXPECT_FALSE(util::FileExists(site + "/media/star0001.gif"));
    EXPECT_TRUE(util::FileExists(site + "/media/star0002.gif")); // the source itself

    values.randomSetSize = 3;
    EXPECT_NE(BuildInsertedImage(values, page, profile).find("qxGoRandom(star, 3)"),
              std::string::npos);
    for (const char *member : {"star0001.gif", "star0002.gif", "star0003.gif"})
        EXPECT_TRUE(util::FileExists(site + "/media/" + member)) << member;
}

} // namespace
