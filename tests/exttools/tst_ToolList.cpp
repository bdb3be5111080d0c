#include "exttools/ToolList.h"
#include "util/FileUtil.h"
#include "util/ProfileFile.h"

#include <gtest/gtest.h>

namespace {

std::string Value(const ProfileFile &profile, const std::string &section, const std::string &key)
{
    std::string value;
    return profile.GetString(section, key, value) ? value : std::string("<missing>");
}

ProfileFile WithNames(const std::vector<std::string> &names)
{
    ProfileFile profile;
    ToolList::Store(profile, names);
    return profile;
}

} // namespace

TEST(ToolList, StoreWritesCountNamesAndRemovesTheKeyAfterTheLast)
{
    ProfileFile profile = WithNames({"Gimp", "Check links", "Spell"});
    ToolList::WriteTool(profile, "Spell", {"/usr/bin/aspell", "$(FileName)"});

    ToolList::Store(profile, {"Check links"});

    EXPECT_EQ(Value(profile, "Tools", "Items"), "1");
    EXPECT_EQ(Value(profile, "Tools", "0"), "Check links");
    EXPECT_EQ(Value(profile, "Tools", "1"), "<missing>");
    // Only the key right after the last name goes; the one beyond is simply not read any more.
    EXPECT_EQ(Value(profile, "Tools", "2"), "Spell");
    EXPECT_EQ(ToolList::MenuNames(profile), std::vector<std::string>{"Check links"});
    // A removed tool keeps its section.
    EXPECT_EQ(Value(profile, "Spell", "Cmd"), "/usr/bin/aspell");
    EXPECT_EQ(Value(profile, "Spell", "Arg"), "$(FileName)");

    ToolList::Store(profile, {});
    EXPECT_EQ(Value(profile, "Tools", "Items"), "0");
    EXPECT_EQ(Value(profile, "Tools", "0"), "<missing>");
    EXPECT_TRUE(ToolList::Load(profile).empty());
}

TEST(ToolList, LoadFollowsItemsAndTheMenuFollowsTheNames)
{
    ProfileFile profile;
    EXPECT_TRUE(ToolList::Load(profile).empty());

    // Items smaller than the names: the dialog lists Items names, the menu every name.
    profile.SetIndexed("Tools", 0, "A");
    profile.SetIndexed("Tools", 1, "B");
    profile.SetIndexed("Tools", 2, "C");
    profile.SetInt("Tools", "Items", 2);
    EXPECT_EQ(ToolList::Load(profile), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(ToolList::MenuNames(profile), (std::vector<std::string>{"A", "B", "C"}));

    // Items larger than the names: the list ends at the first missing name.
    profile.SetInt("Tools", "Items", 9);
    EXPECT_EQ(ToolList::Load(profile), (std::vector<std::string>{"A", "B", "C"}));
}

TEST(ToolList, TheMenuHoldsTheFirst26ToolsAndTheListAllOfThem)
{
    std::vector<std::string> names;
    for (int i = 0; i < 30; ++i)
        names.push_back("Tool " + std::to_string(i));
    const ProfileFile profile = WithNames(names);

    EXPECT_EQ(ToolList::Load(profile), names);
    const std::vector<std::string> menu = ToolList::MenuNames(profile);
    ASSERT_EQ(menu.size(), 26u);
    EXPECT_EQ(menu.back(), "Tool 25");
}

struct CommandCase
{
    const char *label;
    const char *cmd; // nullptr: no "Cmd" key
    const char *arg; // nullptr: no "Arg" key
    const char *page;
    ToolList::Result result;
    const char *line;
};

class ToolCommandLine : public testing::TestWithParam<CommandCase>
{
protected:
    void SetUp() override { util::SetProgramFolder("/opt/pelion/"); }
    void TearDown() override { util::SetProgramFolder(""); }
};

TEST_P(ToolCommandLine, BuildsTheLine)
{
    const CommandCase &c = GetParam();
    ProfileFile profile = WithNames({"Other", "Tool"});
    if (c.cmd)
        profile.SetString("Tool", "Cmd", c.cmd);
    if (c.arg)
        profile.SetString("Tool", "Arg", c.arg);

    std::string line = "<untouched>";
    EXPECT_EQ(ToolList::CommandLine(profile, 1, c.page, line), c.result);
    EXPECT_EQ(line, c.line);
}

using R = ToolList::Result;
INSTANTIATE_TEST_SUITE_P(
    Cases, ToolCommandLine,
    testing::Values(
        CommandCase{"PagePathQuoted", "/usr/bin/gimp", "$(FileName)", "/site/a b.html", R::Ready,
                    "/usr/bin/gimp \"/site/a b.html\""},
        CommandCase{"QuoteInPathTripled", "ed", "$(FileName)", "/s/it\"s.html", R::Ready,
                    "ed \"/s/it\"\"\"s.html\""},
        CommandCase{"FileNameInsideArgUnchanged", "tidy", "-f $(FileName)", "/s/a.html", R::Ready,
                    "tidy -f $(FileName)"},
        CommandCase{"AppExpanded", "$(App)tool", "x", "/s/a.html", R::Ready, "/opt/pelion/tool x"},
        CommandCase{"OnlyFirstOfEachMacro", "$(App)t", "$(App) $(Windows) $(System) $(System)", "",
                    R::Ready, "/opt/pelion/t $(App) /usr /usr/bin $(System)"},
        CommandCase{"MacroInPageNameKept", "v", "$(FileName)", "/s/$(App).html", R::Ready,
                    "v \"/s/$(App).html\""},
        CommandCase{"NoArgument", "/bin/true", nullptr, "/s/a.html", R::Ready, "/bin/true "},
        CommandCase{"NoCommand", nullptr, "$(FileName)", "/s/a.html", R::NoCommand, "<untouched>"}),
    [](const testing::TestParamInfo<CommandCase> &info) { return std::string(info.param.label); });

TEST(ToolList, AnUnlistedIndexIsNoTool)
{
    ProfileFile profile = WithNames({"Only"});
    profile.SetString("Only", "Cmd", "/bin/true");
    std::string line;
    EXPECT_EQ(ToolList::CommandLine(profile, 1, "/a.html", line), ToolList::Result::NoTool);
    EXPECT_EQ(ToolList::CommandLine(profile, -1, "/a.html", line), ToolList::Result::NoTool);
    EXPECT_EQ(ToolList::CommandLine(profile, 0, "/a.html", line), ToolList::Result::Ready);
}

TEST(ToolList, AProgramFolderWithSpacesIsQuotedAsOneWord)
{
    util::SetProgramFolder("/opt/my tools/");
    ProfileFile profile = WithNames({"T"});
    profile.SetString("T", "Cmd", "$(App)prog");
    std::string line;
    EXPECT_EQ(ToolList::CommandLine(profile, 0, "/a.html", line), ToolList::Result::Ready);
    util::SetProgramFolder("");
    EXPECT_EQ(line, "\"/opt/my tools/\"prog ");
}
