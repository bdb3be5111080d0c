#include "util/FileUtil.h"
#include "util/ProfileFile.h"

#include "../support/TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

static void writeRaw(const std::string &path, const std::string &text)
{
    ASSERT_TRUE(util::WriteFileAtomic(path, text));
}

static std::string readRaw(const std::string &path)
{
    std::string text;
    util::ReadFile(path, text);
    return text;
}

TEST(ProfileFile, LoadsSectionsEntriesAndBareLines)
{
    TempDir dir;
    writeRaw(dir.file("t.ini"), "orphan=1\n[A]\nx=1\n[B]\ny\nName\n; comment\n\n  [C]junk\r\n"
                                "a = b\r\n[]\nlost=1\n[A]\nx=2\n[D\nk=v\n");
    ProfileFile profile;
    ASSERT_TRUE(profile.Load(dir.file("t.ini")));
    EXPECT_FALSE(profile.IsDirty());
    std::string value;
    EXPECT_TRUE(profile.GetString("A", "x", value));
    EXPECT_EQ(value, "2") << "a repeated key keeps the last value";
    EXPECT_TRUE(profile.GetString("B", "y", value));
    EXPECT_EQ(value, "y");
    EXPECT_TRUE(profile.GetString("B", "name", value));
    EXPECT_EQ(value, "Name");
    EXPECT_TRUE(profile.GetString("C", "a ", value)) << "keys are not trimmed";
    EXPECT_EQ(value, " b");
    EXPECT_TRUE(profile.GetString("D", "k", value)) << "a header without ] names the rest";
    EXPECT_FALSE(profile.GetString("A", "orphan", value));
    EXPECT_TRUE(value.empty());
    EXPECT_EQ(profile.Sections().count(""), 0u);
    EXPECT_EQ(profile.Sections().size(), 4u);
    EXPECT_FALSE(profile.GetString("B", "lost", value)) << "[] means no current section";
    EXPECT_FALSE(profile.GetString("Z", "x", value));
    EXPECT_FALSE(profile.GetString("a", "x", value)) << "section names are case-sensitive";
}

TEST(ProfileFile, MissingFileLeavesStoreEmptyButRemembersPath)
{
    TempDir dir;
    ProfileFile profile;
    EXPECT_FALSE(profile.Load(dir.file("missing.ini")));
    EXPECT_TRUE(profile.Sections().empty());
    profile.SetString("S", "k", "v");
    EXPECT_TRUE(profile.Save());
    EXPECT_EQ(readRaw(dir.file("missing.ini")), "[S]\r\nk=v\r\n");
}

TEST(ProfileFile, SaveWritesMapOrderWithCrLfAndDropsEmptiedKeys)
{
    TempDir dir;
    ProfileFile profile;
    profile.Load(dir.file("o.ini"));
    profile.SetString("b", "z", "1");
    profile.SetString("b", "a", "2");
    profile.SetString("a", "k", "v");
    profile.SetString("b", "gone", "x");
    profile.SetString("b", "gone", "");
    ASSERT_TRUE(profile.Save());
    EXPECT_EQ(readRaw(dir.file("o.ini")), "[a]\r\nk=v\r\n[b]\r\na=2\r\nz=1\r\n");
}

TEST(ProfileFile, NewlineEncoding)
{
    ProfileFile profile;
    profile.SetString("T", "cmd", "line one\nline two", true);
    std::string value;
    profile.GetString("T", "cmd", value);
    EXPECT_EQ(value, "line one`line two");
    profile.GetString("T", "cmd", value, true);
    EXPECT_EQ(value, "line one\nline two");
    EXPECT_EQ(profile.ToText(), "[T]\r\ncmd=line one`line two\r\n");
}

struct IntCase
{
    const char *name;
    int stored;
    int readBack;
};

static void PrintTo(const IntCase &c, std::ostream *os)
{
    *os << c.name;
}

class ProfileFileInt : public ::testing::TestWithParam<IntCase>
{};

TEST_P(ProfileFileInt, KeepsSigned16Bits)
{
    ProfileFile profile;
    profile.SetInt("N", "n", GetParam().stored);
    int out = 0;
    ASSERT_TRUE(profile.GetInt("N", "n", out));
    EXPECT_EQ(out, GetParam().readBack);
}

INSTANTIATE_TEST_SUITE_P(Cases, ProfileFileInt,
                         ::testing::ValuesIn(std::vector<IntCase>{
                             {"zero", 0, 0},
                             {"max", 32767, 32767},
                             {"above_max", 32768, -32768},
                             {"forty_thousand", 40000, 40000 - 65536},
                             {"min", -32768, -32768},
                             {"below_min", -32769, 32767},
                         }),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(ProfileFile, GetIntParsesDecimalPrefixAndKeepsLow16Bits)
{
    TempDir dir;
    writeRaw(dir.file("n.ini"), "[N]\na=12abc\nb=\nc=70000\nd=-5\n");
    ProfileFile profile;
    profile.Load(dir.file("n.ini"));
    int out = 99;
    EXPECT_TRUE(profile.GetInt("N", "a", out));
    EXPECT_EQ(out, 12);
    EXPECT_TRUE(profile.GetInt("N", "c", out));
    EXPECT_EQ(out, 70000 - 65536);
    EXPECT_TRUE(profile.GetInt("N", "d", out));
    EXPECT_EQ(out, -5);
    EXPECT_FALSE(profile.GetInt("N", "missing", out));
}

TEST(ProfileFile, IndexedEntriesUseDecimalKeys)
{
    ProfileFile profile;
    profile.SetIndexed("Tools", 0, "first");
    profile.SetIndexed("Tools", 12, "twelfth");
    std::string value;
    EXPECT_TRUE(profile.GetString("Tools", "12", value));
    EXPECT_EQ(value, "twelfth");
    EXPECT_TRUE(profile.GetIndexed("Tools", 0, value));
    EXPECT_EQ(value, "first");
    EXPECT_FALSE(profile.GetIndexed("Tools", 1, value));
}

TEST(ProfileFile, ReadOnlyStoreNeverWrites)
{
    TempDir dir;
    writeRaw(dir.file("ro.ini"), "[A]\nx=1\n");
    ProfileFile profile;
    ASSERT_TRUE(profile.Load(dir.file("ro.ini"), true));
    profile.SetString("A", "x", "2");
    EXPECT_TRUE(profile.IsDirty());
    EXPECT_TRUE(profile.Save());
    EXPECT_EQ(readRaw(dir.file("ro.ini")), "[A]\nx=1\n");
}

TEST(ProfileFile, CleanStoreIsNotWritten)
{
    TempDir dir;
    writeRaw(dir.file("c.ini"), "[A]\n x=1 \n");
    ProfileFile profile;
    profile.Load(dir.file("c.ini"));
    EXPECT_TRUE(profile.Save());
    EXPECT_EQ(readRaw(dir.file("c.ini")), "[A]\n x=1 \n");
}

TEST(ProfileFile, FailedSaveKeepsOldFileAndDirtyFlag)
{
    TempDir dir;
    const std::string path = dir.file("Tandem.ini");
    writeRaw(path, "[Sites]\nold=1\n");
    ProfileFile profile;
    profile.Load(path);
    profile.SetString("Sites", "new", std::string(100000, 'x'));

    util::SetWriteFaultHook([](const std::string &) { return false; });
    const bool saved = profile.Save();
    util::SetWriteFaultHook(nullptr);

    EXPECT_FALSE(saved);
    EXPECT_TRUE(profile.IsDirty());
    EXPECT_EQ(readRaw(path), "[Sites]\nold=1\n");
    EXPECT_EQ(util::ListFiles(dir.path(), "*").size(), 1u) << "no temporary file is left behind";
    std::string value;
    EXPECT_TRUE(profile.GetString("Sites", "new", value)) << "the content survives in memory";

    EXPECT_TRUE(profile.Save());
    EXPECT_FALSE(profile.IsDirty());
    ProfileFile reread;
    reread.Load(path);
    EXPECT_TRUE(reread.GetString("Sites", "new", value));
}

TEST(ProfileFile, SaveIntoMissingFolderFails)
{
    TempDir dir;
    ProfileFile profile;
    profile.Load(dir.file("no/such/folder/x.ini"));
    profile.SetString("A", "b", "c");
    EXPECT_FALSE(profile.Save());
    EXPECT_TRUE(profile.IsDirty());
}

// A process killed at any moment of a save leaves either the old file or the new one, whole.
TEST(ProfileFile, KilledDuringSaveLeavesAWholeFile)
{
    TempDir dir;
    const std::string path = dir.file("Tandem.ini");
    ProfileFile oldStore;
    oldStore.Load(path);
    for (int i = 0; i < 20000; ++i)
        oldStore.SetString("Old", "key" + std::to_string(i), "value " + std::to_string(i));
    ASSERT_TRUE(oldStore.Save());
    const std::string oldText = readRaw(path);

    for (int round = 0; round < 8; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ProfileFile store;
            store.Load(path);
            for (;;) {
                store.SetString("New", "key0", "other value 0");
                store.SaveAs(path);
            }
        }
        ::usleep(static_cast<useconds_t>(2000 + round * 3000));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        const std::string now = readRaw(path);
        ProfileFile reread;
        ASSERT_TRUE(reread.Load(path));
        EXPECT_TRUE(now.size() >= oldText.size() && now.compare(now.size() - 2, 2, "\r\n") == 0)
            << "round " << round;
        // Whatever the child managed, the file holds a complete store: all 20000 old keys.
        ASSERT_NE(reread.Sections().find("Old"), reread.Sections().end());
        EXPECT_EQ(reread.Sections().at("Old").size(), 20000u) << "round " << round;
    }
}
