#include "util/FileUtil.h"
#include "util/StringUtil.h"

#include "../support/TempDir.h"

#include <gtest/gtest.h>

#include <climits>
#include <sys/stat.h>
#include <vector>

TEST(FileUtil, PathParts)
{
    EXPECT_EQ(util::PathDrive("/home/a/b.htm"), "");
    EXPECT_EQ(util::PathFolder("/home/a/b.htm"), "/home/a/");
    EXPECT_EQ(util::PathFolder("b.htm"), "");
    EXPECT_EQ(util::PathFileName("/home/a/b.htm"), "b.htm");
    EXPECT_EQ(util::PathFileTitle("/home/a.d/b.tar.gz"), "b.tar");
    EXPECT_EQ(util::PathFileTitle("/home/a.d/noext"), "noext");
    EXPECT_EQ(util::PathExtension("/home/a.d/b.HTM"), "HTM");
    EXPECT_EQ(util::PathExtension("/home/a.d/noext"), "");
    EXPECT_EQ(util::JoinPath("/a/", "/b"), "/a/b");
    EXPECT_EQ(util::JoinPath("/a", "b"), "/a/b");
}

TEST(FileUtil, ProgramFolderEndsWithSlashAndCanBeOverridden)
{
    const std::string real = util::ProgramFolder();
    ASSERT_FALSE(real.empty());
    EXPECT_EQ(real.back(), '/');
    EXPECT_TRUE(util::FolderExists(real));
    util::SetProgramFolder("/tmp/x");
    EXPECT_EQ(util::ProgramFolder(), "/tmp/x/");
    util::SetProgramFolder("");
    EXPECT_EQ(util::ProgramFolder(), real);
}

// The build tree keeps the data beside the executable, an installed program in share/pelion/
// beside bin/; anything else falls back to the executable's own folder.
TEST(FileUtil, ProgramFolderForExecutableFindsTheDataOfBuildAndInstalledLayouts)
{
    struct Case
    {
        const char *name;
        std::vector<const char *> folders;
        const char *exeFolder;
        const char *expected;
        bool installed;
    };
    const Case cases[] = {
        {"build tree", {"program/Bin"}, "program", "program/", false},
        {"installed", {"usr/bin", "usr/share/pelion/Bin"}, "usr/bin", "usr/share/pelion/", true},
        {"installed, exe folder with slash",
         {"p/bin", "p/share/pelion/Bin"},
         "p/bin/",
         "p/share/pelion/",
         true},
        {"data beside wins over share",
         {"p/bin/Bin", "p/share/pelion/Bin"},
         "p/bin",
         "p/bin/",
         false},
        {"share folder without data", {"q/bin", "q/share/pelion"}, "q/bin", "q/bin/", false},
        {"no data anywhere", {"r/bin"}, "r/bin", "r/bin/", false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        for (const char *folder : c.folders)
            ASSERT_TRUE(util::MakeFolders(dir.file(folder)));
        bool installed = !c.installed;
        EXPECT_EQ(util::ProgramFolderForExecutable(dir.file(c.exeFolder), &installed),
                  dir.file(c.expected));
        EXPECT_EQ(installed, c.installed);
    }
}

TEST(FileUtil, AnOverriddenProgramFolderIsNeverTakenForAnInstalledOne)
{
    TempDir dir;
    util::SetProgramFolder(dir.path());
    EXPECT_FALSE(util::ProgramFolderIsInstalled());
    EXPECT_TRUE(util::IsProgramFolderWritable(dir.path()));
    util::SetProgramFolder("");
}

TEST(FileUtil, ListFilesMatchesPatternIgnoringCaseAndSkipsFolders)
{
    TempDir dir;
    for (const char *name : {"a.htt", "B.HTT", "c.html", "page0002.html"})
        ASSERT_TRUE(util::WriteFileAtomic(dir.file(name), "x"));
    ASSERT_TRUE(util::MakeFolders(dir.file("sub.htt/deeper")));
    EXPECT_EQ(util::ListFiles(dir.path(), "*.htt"), (std::vector<std::string>{"B.HTT", "a.htt"}));
    EXPECT_EQ(util::ListFiles(dir.path(), "page????.html"), (std::vector<std::string>{"page0002.html"}));
    EXPECT_EQ(util::ListFolders(dir.path()), (std::vector<std::string>{"sub.htt"}));
    EXPECT_TRUE(util::ListFiles(dir.file("missing"), "*").empty());
}

TEST(FileUtil, AtomicWriteReplacesKeepsModeAndFailsCleanly)
{
    TempDir dir;
    const std::string path = dir.file("page.htm");
    ASSERT_TRUE(util::WriteFileAtomic(path, "old"));
    ::chmod(path.c_str(), 0640);
    ASSERT_TRUE(util::WriteFileAtomic(path, "new text"));
    std::string text;
    ASSERT_TRUE(util::ReadFile(path, text));
    EXPECT_EQ(text, "new text");
    struct stat st {};
    ::stat(path.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u);

    std::string why;
    EXPECT_FALSE(util::WriteFileAtomic(dir.file("none/x.htm"), "x", &why));
    EXPECT_FALSE(why.empty());
    EXPECT_FALSE(util::WriteFileAtomic(dir.path(), "x", &why)) << "a folder is never replaced";
    EXPECT_TRUE(util::FolderExists(dir.path()));

    util::SetWriteFaultHook([](const std::string &) { return false; });
    EXPECT_FALSE(util::WriteFileAtomic(path, std::string(4096, 'z'), &why));
    util::SetWriteFaultHook(nullptr);
    ASSERT_TRUE(util::ReadFile(path, text));
    EXPECT_EQ(text, "new text");
    EXPECT_EQ(util::ListFiles(dir.path(), "*").size(), 1u);
}

TEST(FileUtil, ReadFileReportsMissingAndFolders)
{
    TempDir dir;
    std::string text = "stale";
    std::string why;
    EXPECT_FALSE(util::ReadFile(dir.file("missing"), text, &why));
    EXPECT_TRUE(text.empty());
    EXPECT_FALSE(why.empty());
    EXPECT_FALSE(util::ReadFile(dir.path(), text));
}

TEST(FileUtil, CopyNeverOverwrites)
{
    TempDir dir;
    util::WriteFileAtomic(dir.file("a"), "A");
    util::WriteFileAtomic(dir.file("b"), "B");
    EXPECT_FALSE(util::CopyFileNoOverwrite(dir.file("a"), dir.file("b")));
    std::string text;
    util::ReadFile(dir.file("b"), text);
    EXPECT_EQ(text, "B");
    EXPECT_TRUE(util::CopyFileNoOverwrite(dir.file("a"), dir.file("c")));
    util::ReadFile(dir.file("c"), text);
    EXPECT_EQ(text, "A");
}

TEST(StringUtil, FormatCaseAndDecimal)
{
    EXPECT_EQ(util::Format("page%04d.html", 2), "page0002.html");
    EXPECT_EQ(util::Format("%s-%d", "a", -3), "a--3");
    EXPECT_EQ(util::ToLowerAscii("AbC\xC3\x89"), "abc\xC3\x89");
    EXPECT_TRUE(util::StartsWithIgnoreCaseAscii("Index.HTML", "index"));
    EXPECT_EQ(util::ParseDecimal("12abc"), 12);
    EXPECT_EQ(util::ParseDecimal(""), 0);
    EXPECT_EQ(util::ParseDecimal("  -7"), -7);
    EXPECT_EQ(util::ParseDecimal("99999999999999999999999"), LONG_MAX);
}
