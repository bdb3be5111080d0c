#include "gallery/ObjectGallery.h"

#include "util/FileUtil.h"
#include "util/ProfileFile.h"

#include "../support/TempDir.h"
#include "../support/TestFiles.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> names(const std::vector<gallery::ObjectEntry> &objects)
{
    std::vector<std::string> out;
    for (const auto &object : objects)
        out.push_back(object.name);
    return out;
}

ProfileFile iniWith(const std::map<std::string, std::string> &keys)
{
    ProfileFile ini;
    for (const auto &[key, value] : keys)
        ini.SetString("clock", key, value);
    return ini;
}

TEST(ObjectGalleryTest, ListsIconFilesSortedByNameWithoutTheLastExtension)
{
    TempDir dir;
    for (const char *file : {"menu.ico", "clock.ico", "a.b.ico", "Objects.ini", "clock.js"})
        ASSERT_TRUE(writeFile(dir.file(std::string("Cat/") + file), "x"));
    ASSERT_TRUE(util::MakeFolders(dir.file("Cat/sub.ico")));
    const auto objects = gallery::ListObjects(dir.file("Cat"));
    EXPECT_EQ(names(objects), (std::vector<std::string>{"a.b", "clock", "menu"}));
    EXPECT_EQ(objects[1].iconPath, dir.file("Cat/clock.ico"));

    EXPECT_TRUE(gallery::ListObjects(dir.file("Missing")).empty());
    EXPECT_TRUE(gallery::ObjectCategories(dir.file("Missing")).empty());
    ASSERT_TRUE(util::MakeFolders(dir.file("Objects/Zeta")));
    ASSERT_TRUE(util::MakeFolders(dir.file("Objects/Alpha")));
    EXPECT_EQ(gallery::ObjectCategories(dir.file("Objects")),
              (std::vector<std::string>{"Alpha", "Zeta"}));
}

TEST(ObjectGalleryTest, JoinsPiecesUpToTheFirstGap)
{
    struct Case
    {
        std::map<std::string, std::string> keys;
        std::string html;
        size_t resources;
    } cases[] = {
        {{{"0", "<div>\r\n"}, {"1", "</div>"}}, "<div>\r\n</div>", 0},
        {{{"0", "<b>"}, {"2", "</b>"}}, "<b>", 0},
        {{{"1", "<b>"}}, "", 0},
        {{{"0", "x"}, {"L0", "a.js"}, {"L1", "b.js"}, {"L3", "d.js"}}, "x", 2},
        {{}, "", 0},
    };
    for (const Case &c : cases) {
        const auto section = gallery::ReadObjectSection(iniWith(c.keys), "clock");
        EXPECT_EQ(section.html, c.html);
        EXPECT_EQ(section.resources.size(), c.resources);
        EXPECT_FALSE(section.hasMessage);
    }
    const auto section =
        gallery::ReadObjectSection(iniWith({{"Desc", "A clock"}, {"Message", "Done"}}), "clock");
    EXPECT_EQ(section.desc, "A clock");
    EXPECT_TRUE(section.hasMessage);
    EXPECT_EQ(section.message, "Done");
    EXPECT_EQ(gallery::ReadObjectSection(iniWith({{"Desc", "A clock"}}), "menu").desc, "");
}

TEST(ObjectGalleryTest, ReplacesEachPlaceholderByItsOwnNumber)
{
    int next = 4711;
    const auto draw = [&next] { return next++; };
    EXPECT_EQ(
        gallery::ReplaceResourcePlaceholders("<i id=\"$(L0)\"></i>$(L1) $(L0) $(L2)", 2, draw),
        "<i id=\"R4711\"></i>R4712 R4711 $(L2)");
    // Without L keys a placeholder stays in the text.
    EXPECT_EQ(gallery::ReplaceResourcePlaceholders("$(L0)", 0, draw), "$(L0)");
    // The library's generator: a name "R" and a number.
    const std::string drawn = gallery::ReplaceResourcePlaceholders("$(L0)", 1);
    ASSERT_GE(drawn.size(), 2u);
    EXPECT_EQ(drawn[0], 'R');
    EXPECT_EQ(drawn.find_first_not_of("0123456789", 1), std::string::npos);
    EXPECT_LE(std::stoi(drawn.substr(1)), 32767);
}

TEST(ObjectGalleryTest, PreparingCopiesTheResourcesFromTheProgramFolder)
{
    TempDir dir;
    util::SetProgramFolder(dir.file("App/"));
    ASSERT_TRUE(writeFile(dir.file("App/Bin/Objects/Cat/clock.js"), "tick()"));
    ASSERT_TRUE(util::MakeFolders(dir.file("Site")));
    ProfileFile ini;
    ini.SetString("clock", "0", "<div id=\"$(L0)\">\r\n");
    ini.SetString("clock", "1", "</div>");
    ini.SetString("clock", "L0", "$(App)Bin/Objects/Cat/clock.js");
    ini.SetString("clock", "L1", "$(App)Bin/Objects/Cat/missing.js");
    const auto section = gallery::ReadObjectSection(ini, "clock");
    const std::string html = gallery::PrepareObjectHtml(section, dir.file("Site/page.html"),
                                                        ProfileFile(), [] { return 42; });
    util::SetProgramFolder("");
    EXPECT_EQ(html, "<div id=\"R42\">\r\n</div>");
    EXPECT_EQ(readAll(dir.file("Site/clock.js")), "tick()");
    EXPECT_FALSE(util::FileExists(dir.file("Site/missing.js")));
}

} // namespace
