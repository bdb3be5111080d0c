#include "insert/ObjectNames.h"

#include "util/FileUtil.h"
#include "util/StringUtil.h"

#include "../support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <ostream>

namespace {

struct NameCase
{
    const char *label;
    std::string input;
    std::vector<std::string> names;
    std::string expected;
};

void PrintTo(const NameCase &c, std::ostream *os)
{
    *os << c.label;
}

const std::vector<std::string> kLogo = {"logo"};
const std::vector<std::string> kLogos = {"logo1", "logo"};

const NameCase kValidNames[] = {
    {"BlanksAndPunctuation", "my pic!", {}, "my_pic_"},
    {"LeadingDigitReplaced", "2nd", {}, "and"},
    {"TrimmedBlanksAndTabs", " \t pic 1\t ", {}, "pic_1"},
    {"NonAsciiBytesBecomeUnderscores", "caf\xc3\xa9", {}, "caf__"},
    {"FirstNonAsciiByteReplaced", "\xc3\xa9t\xc3\xa9", {}, "a_t__"},
    {"CaseMatters", "Logo", kLogo, "Logo"},
    {"ExistingNameNumbered", "logo", kLogo, "logo1"},
    {"NumberedPastTakenNames", "logo", kLogos, "logo2"},
    {"NumberedFromItsDigits", "img9", {"img9"}, "img10"},
    {"TextAfterDigitsDropped", "a1b2", {"a1b2"}, "a2"},
};

class ValidName : public ::testing::TestWithParam<NameCase>
{};

TEST_P(ValidName, MakesValidName)
{
    EXPECT_EQ(MakeValidName(GetParam().input, &GetParam().names), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(ObjectNames, ValidName, ::testing::ValuesIn(kValidNames),
                         [](const auto &info) { return std::string(info.param.label); });

TEST(ObjectNames, EmptyNameGetsRandomNameNotCompared)
{
    for (const char *empty : {"", " \t "}) {
        for (int i = 0; i < 50; ++i) {
            const std::string name = MakeValidName(empty, nullptr);
            ASSERT_GE(name.size(), 2u) << name;
            ASSERT_EQ(name[0], 'R') << name;
            ASSERT_EQ(name.find_first_not_of("0123456789", 1), std::string::npos) << name;
            EXPECT_LE(std::stol(name.substr(1)), 32767);
        }
    }
    std::srand(7);
    const std::string taken = MakeValidName("", nullptr);
    std::srand(7);
    const std::vector<std::string> names = {taken};
    EXPECT_EQ(MakeValidName("", &names), taken);
}

TEST(ObjectNames, WithoutListNoNumbering)
{
    EXPECT_EQ(MakeValidName("My Clip", nullptr), "My_Clip");
}

TEST(ObjectNames, NextNumberedName)
{
    EXPECT_EQ(NextNumberedName("img"), "img1");
    EXPECT_EQ(NextNumberedName("img1"), "img2");
    EXPECT_EQ(NextNumberedName("img9"), "img10");
    EXPECT_EQ(NextNumberedName("a1b2"), "a2");
    EXPECT_EQ(NextNumberedName("img007"), "img8");
    EXPECT_EQ(NextNumberedName("x000"), "x1");
    EXPECT_EQ(NextNumberedName("7up"), "8");
    EXPECT_EQ(NextNumberedName(""), "1");
    // Beyond any integer type the count still goes on instead of wrapping.
    EXPECT_EQ(NextNumberedName("a99999999999999999999"), "a100000000000000000000");
}

TEST(ObjectNames, NameExistsIsExact)
{
    const std::vector<std::string> names = {"logo", ""};
    EXPECT_TRUE(NameExists("logo", names));
    EXPECT_TRUE(NameExists("", names));
    EXPECT_FALSE(NameExists("Logo", names));
    EXPECT_FALSE(NameExists("logo ", names));
    EXPECT_FALSE(NameExists("logo", {}));
}

TEST(ObjectNames, UniqueNameFromPath)
{
    EXPECT_EQ(UniqueNameFromPath("/clips/My Clip.avi", {}), "My_Clip");
    EXPECT_EQ(MakeValidName(UniqueNameFromPath("/clips/My Clip.avi", {}), nullptr), "My_Clip");
    EXPECT_EQ(UniqueNameFromPath("/clips/ \tMy  Clip\t .avi", {}), "My__Clip");
    EXPECT_EQ(UniqueNameFromPath("/my.pics/logo.gif", kLogo), "logo1");
    EXPECT_EQ(UniqueNameFromPath("/my.pics/logo.gif", kLogos), "logo2");
    EXPECT_EQ(UniqueNameFromPath("/a/archive.tar.gz", {}), "archive.tar");
    EXPECT_EQ(UniqueNameFromPath("noext", {"noext", "noext2"}), "noext1");
    EXPECT_EQ(UniqueNameFromPath("", {}), "");
    // Unnamed page images give empty names; an empty title then counts on from them.
    EXPECT_EQ(UniqueNameFromPath("/a/.gif", {"", "1"}), "2");
}

class RandomSet : public ::testing::Test
{
protected:
    void touch(const std::string &name)
    {
        ASSERT_TRUE(util::MakeFolders(util::PathFolder(m_dir.file(name))));
        // A plain write: the large set would spend seconds in the fsync of an atomic write.
        std::ofstream(m_dir.file(name)) << "GIF89a";
        ASSERT_TRUE(util::FileExists(m_dir.file(name)));
    }
    std::string path(const std::string &name) const { return m_dir.file(name); }

    TempDir m_dir;
};

TEST_F(RandomSet, CountsTheRunFromOne)
{
    for (int n = 1; n <= 5; ++n)
        touch(util::Format("Coin%04d.gif", n));
    touch("Coin0007.gif");
    EXPECT_EQ(CountRandomSet(path("Coin0003.gif")), 5);
    EXPECT_EQ(CountRandomSet(path("Coin0009.gif")), 5); // the source itself need not exist
    EXPECT_EQ(CountRandomSet(path("Coin0003.png")), 0); // the extension is part of the set
    EXPECT_EQ(CountRandomSet(path("Cash0001.gif")), 0);
}

TEST_F(RandomSet, SplitsAtTheFileNamesOwnDot)
{
    touch("my.pics/Set0001.gif");
    touch("my.pics/Set0002.gif");
    EXPECT_EQ(CountRandomSet(path("my.pics/Set0001.gif")), 2);
    touch("my.pics/Raw0001");
    EXPECT_EQ(CountRandomSet(path("my.pics/Raw0001")), 1);
}

TEST_F(RandomSet, NeedsFourDigitsBeforeTheExtension)
{
    // Without its four digits a name would reach into other files: "Coin.gif" must not count
    // 0001.gif, and "ab.gif" must not cut into the folder name.
    touch("0001.gif");
    touch("sets0001.gif");
    EXPECT_EQ(CountRandomSet(path("Coin.gif")), 0);
    EXPECT_EQ(CountRandomSet(path("sets/ab.gif")), 0);
    EXPECT_EQ(CountRandomSet(path("Coin12x4.gif")), 0);
    EXPECT_EQ(CountRandomSet(""), 0);
}

TEST_F(RandomSet, StopsAtTheLastFourDigitNumber)
{
    for (int n = 1; n <= 9999; ++n)
        touch(util::Format("Big%04d.gif", n));
    touch("Big10000.gif");
    EXPECT_EQ(CountRandomSet(path("Big0001.gif")), 9999);
}

} // namespace
