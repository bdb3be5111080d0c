#include "gallery/PreviewPage.h"

#include "util/FileUtil.h"

#include "../support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string readAll(const std::string &path)
{
    std::string text;
    util::ReadFile(path, text);
    return text;
}

TEST(MakePreviewPage, OnlyTheFirstMacroTakesTheFragment)
{
    EXPECT_EQ(MakePreviewPage("<p>$(ImageDef)</p><p>$(ImageDef)</p>", "<img src=\"a.gif\">", ""),
              "<p><img src=\"a.gif\"></p><p>$(ImageDef)</p>");
    // The fragment is put in unchanged, even when it looks like a macro itself.
    EXPECT_EQ(MakePreviewPage("[$(ImageDef)]", "$(ImageDef) \\x", ""), "[$(ImageDef) \\x]");
    EXPECT_EQ(MakePreviewPage("no macro", "<img>", ""), "no macro");
}

TEST(MakePreviewPage, BaseFolderGoesIntoTheHeadEscaped)
{
    EXPECT_EQ(MakePreviewPage("<html><HEAD lang=en><title>t</title></HEAD>$(ImageDef)", "x",
                              "/opt/my pel#ion/Bin/"),
              "<html><HEAD lang=en><base href=\"file:///opt/my%20pel%23ion/Bin/\"><title>t"
              "</title></HEAD>x");
    // Without a head the base still comes before everything that refers to a file.
    EXPECT_EQ(MakePreviewPage("<img src=\"$(ImageDef)\">", "a.gif", "/opt/Bin"),
              "<base href=\"file:///opt/Bin/\"><img src=\"a.gif\">");
}

class WritePreviewPageTest : public testing::Test
{
protected:
    void SetUp() override
    {
        const char *cache = std::getenv("XDG_CACHE_HOME");
        m_oldCache = cache ? cache : "";
        m_hadCache = cache != nullptr;
        ::setenv("XDG_CACHE_HOME", dir.file("cache").c_str(), 1);
        util::SetProgramFolder(dir.file("program/"));
    }
    void TearDown() override
    {
        util::SetProgramFolder("");
        if (m_hadCache)
            ::setenv("XDG_CACHE_HOME", m_oldCache.c_str(), 1);
        else
            ::unsetenv("XDG_CACHE_HOME");
    }

    TempDir dir;

private:
    std::string m_oldCache;
    bool m_hadCache = false;
};

TEST_F(WritePreviewPageTest, OutputBesideTheTemplateHoldsOnlyTheLastFragment)
{
    ASSERT_TRUE(util::MakeFolders(dir.file("program/Bin")));
    ASSERT_TRUE(util::WriteFileAtomic(dir.file("program/Bin/Preview.htm"),
                                      "<head></head><body>$(ImageDef)</body>"));
    std::string output;
    ASSERT_TRUE(WritePreviewPage("<img src=\"first.gif\">", &output));
    ASSERT_TRUE(WritePreviewPage("<img src=\"second.gif\">"));
    EXPECT_EQ(output, dir.file("program/Bin/Temp.htm"));
    EXPECT_EQ(readAll(output), "<head></head><body><img src=\"second.gif\"></body>");
    // The template is read afresh every time.
    ASSERT_TRUE(util::WriteFileAtomic(dir.file("program/Bin/Preview.htm"), "[$(ImageDef)]"));
    ASSERT_TRUE(WritePreviewPage("third"));
    EXPECT_EQ(readAll(output), "[third]");
}

TEST_F(WritePreviewPageTest, MissingTemplateGivesAnEmptyPageInTheCacheFolder)
{
    // No "Bin/" in the program folder: it cannot take the output, the user's cache does.
    std::string output;
    ASSERT_TRUE(WritePreviewPage("<img src=\"a.gif\">", &output));
    EXPECT_EQ(output, dir.file("cache/Torvane/Temp.htm"));
    EXPECT_TRUE(util::FileExists(output));
    // An empty template has no head; only the base of the program's "Bin/" is written.
    EXPECT_EQ(readAll(output), "<base href=\"file://" + dir.file("program/Bin/") + "\">");
}

TEST_F(WritePreviewPageTest, ReadOnlyProgramFolderSendsTheOutputToTheCache)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "folder permissions do not bind the superuser";
    ASSERT_TRUE(util::MakeFolders(dir.file("program/Bin")));
    ASSERT_TRUE(
        util::WriteFileAtomic(dir.file("program/Bin/Preview.htm"), "<head></head>$(ImageDef)"));
    ASSERT_EQ(::chmod(dir.file("program/Bin").c_str(), 0555), 0);
    std::string output;
    const bool written = WritePreviewPage("x", &output);
    ::chmod(dir.file("program/Bin").c_str(), 0755);
    ASSERT_TRUE(written);
    EXPECT_EQ(output, dir.file("cache/Torvane/Temp.htm"));
    EXPECT_EQ(readAll(output),
              "<head><base href=\"file://" + dir.file("program/Bin/") + "\"></head>x");
}

TEST_F(WritePreviewPageTest, UnwritableOutputKeepsThePreviousFile)
{
    ASSERT_TRUE(util::MakeFolders(dir.file("program/Bin")));
    ASSERT_TRUE(util::WriteFileAtomic(dir.file("program/Bin/Preview.htm"), "$(ImageDef)"));
    ASSERT_TRUE(WritePreviewPage("old"));
    util::SetWriteFaultHook([](const std::string &) { return false; });
    const bool written = WritePreviewPage("new");
    util::SetWriteFaultHook({});
    EXPECT_FALSE(written);
    EXPECT_EQ(readAll(dir.file("program/Bin/Temp.htm")), "old");
}

} // namespace
