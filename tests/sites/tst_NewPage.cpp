#include "sites/NewPage.h"

#include "util/FileUtil.h"
#include "util/ProfileFile.h"

#include "../support/TempDir.h"
#include "../support/TestFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

const char *const kDefaultTemplate =
    "<HTML>\r\n<HEAD>\r\n<TITLE></TITLE>\r\n</HEAD>\r\n<BODY>\r\n"
    "</BODY>\r\n</HTML>\r\n$(Copy)\r\nnotes for template authors\r\n";

// A program folder of our own with the library files and the default template.
class NewPageTest : public testing::Test
{
protected:
    void SetUp() override
    {
        program = dir.file("program/");
        ASSERT_TRUE(writeFile(program + "Bin/qxlib.js", "// script library"));
        ASSERT_TRUE(writeFile(program + "Bin/qxlib.css", "/* styles */"));
        ASSERT_TRUE(writeFile(program + "Bin/default.htt", kDefaultTemplate));
        util::SetProgramFolder(program);
        site = dir.file("site");
        ASSERT_TRUE(util::MakeFolders(site));
    }
    void TearDown() override { util::SetProgramFolder(""); }

    NewPageResult create(const std::string &name, const std::string &title,
                         const std::string &templateName = {})
    {
        return CreateNewPage({site, name, title, templateName});
    }

    TempDir dir;
    std::string program;
    std::string site;
};

TEST_F(NewPageTest, ProposedNames)
{
    EXPECT_EQ(ProposeFileName(site), "index.html");
    ASSERT_TRUE(writeFile(site + "/index.html", ""));
    EXPECT_EQ(ProposeFileName(site), "page0002.html");
    ASSERT_TRUE(writeFile(site + "/page0002.html", ""));
    ASSERT_TRUE(writeFile(site + "/page0004.html", ""));
    ASSERT_TRUE(writeFile(site + "/page0001.html", "")); // number 1 is never proposed or needed
    EXPECT_EQ(ProposeFileName(site), "page0003.html");
    EXPECT_EQ(ProposeFileName(dir.file("missing")), "index.html");
}

TEST_F(NewPageTest, ProposalKeepsTheNameWhenAllNumbersAreTaken)
{
    ASSERT_TRUE(writeFile(site + "/index.html", ""));
    for (int n = 2; n <= 9999; ++n) {
        char name[32];
        std::snprintf(name, sizeof name, "/page%04d.html", n);
        std::FILE *file = std::fopen((site + name).c_str(), "w");
        ASSERT_NE(file, nullptr);
        std::fclose(file);
    }
    EXPECT_EQ(ProposeFileName(site, "mine.html"), "mine.html");
}

TEST_F(NewPageTest, CreatesTitledPageAndLibraryFiles)
{
    const NewPageResult result = create("index.html", "My title");
    ASSERT_EQ(result.error, NewPageError::None) << result.detail;
    EXPECT_EQ(result.createdPath, site + "/index.html");
    // Titled, cut at "$(Copy", every other byte as in the template.
    EXPECT_EQ(readAll(result.createdPath),
              "<HTML>\r\n<HEAD>\r\n<TITLE>My title</TITLE>\r\n</HEAD>\r\n"
              "<BODY>\r\n</BODY>\r\n</HTML>\r\n");
    EXPECT_EQ(readAll(site + "/qxlib.js"), "// script library");
    EXPECT_EQ(readAll(site + "/qxlib.css"), "/* styles */");
}

TEST_F(NewPageTest, FileNameRules)
{
    struct Row
    {
        const char *typed;
        const char *created;
    };
    const Row rows[] = {
        {"about", "about.html"}, {"about.htm", "about.htm"}, {"my.page", "my.page"}};
    for (const Row &row : rows) {
        const NewPageResult result = create(row.typed, "t");
        EXPECT_EQ(result.error, NewPageError::None) << row.typed;
        EXPECT_EQ(result.createdPath, site + "/" + row.created) << row.typed;
        EXPECT_TRUE(util::FileExists(site + "/" + row.created)) << row.typed;
    }
}

TEST_F(NewPageTest, Errors)
{
    struct Row
    {
        const char *name;
        std::string siteFolder;
        const char *fileName;
        NewPageError error;
        std::string_view message;
    };
    const Row rows[] = {
        {"no-site", "", "a.html", NewPageError::SiteFolderNotFound, "Error: Site folder not found"},
        {"missing-site", dir.file("gone"), "a.html", NewPageError::SiteFolderNotFound,
         "Error: Site folder not found"},
        {"no-name", site, "", NewPageError::InvalidFileName, "Error: invalid file name"},
        {"path-name", site, "../escape.html", NewPageError::InvalidFileName,
         "Error: invalid file name"},
        {"dot-dot", site, "..", NewPageError::InvalidFileName, "Error: invalid file name"},
        {"no-template", site, "a.html", NewPageError::FileWritingFailed,
         "Error: file writing failed"},
    };
    for (const Row &row : rows) {
        const NewPageResult result =
            CreateNewPage({row.siteFolder, row.fileName, "t",
                           row.error == NewPageError::FileWritingFailed ? "none.htt" : ""});
        EXPECT_EQ(result.error, row.error) << row.name;
        EXPECT_EQ(NewPageMessage(result.error), row.message) << row.name;
        EXPECT_FALSE(result.detail.empty()) << row.name;
        EXPECT_TRUE(result.createdPath.empty()) << row.name;
    }
    EXPECT_FALSE(util::FileExists(site + "/a.html"));
    EXPECT_FALSE(util::FileExists(dir.file("escape.html")));
}

TEST_F(NewPageTest, TemplatesOfTheSiteFolder)
{
    EXPECT_TRUE(ListTemplates(site).empty());
    ASSERT_TRUE(writeFile(site + "/Plain.htt",
                          "<html><head><title>Old</title></head><body>plain</body></html>"));
    ASSERT_TRUE(writeFile(site + "/fancy.htt", "<TITLE>Old</TITLE><BODY>fancy</BODY>$(Copy) rest"));
    ASSERT_TRUE(writeFile(site + "/sub/deeper.htt", "x"));
    ASSERT_TRUE(writeFile(site + "/page.html", "x"));
    EXPECT_EQ(ListTemplates(site), (std::vector<std::string>{"Plain.htt", "fancy.htt"}));
    EXPECT_TRUE(ListTemplates(dir.file("missing")).empty());

    NewPageResult result = create("a.html", "New", "fancy.htt");
    ASSERT_EQ(result.error, NewPageError::None) << result.detail;
    EXPECT_EQ(readAll(result.createdPath), "<TITLE>New</TITLE><BODY>fancy</BODY>");
    // Lower-case title tags are found as well.
    result = create("b.html", "New", "Plain.htt");
    EXPECT_EQ(readAll(result.createdPath),
              "<html><head><title>New</title></head><body>plain</body></html>");
}

TEST_F(NewPageTest, TitleStep)
{
    struct Row
    {
        const char *name;
        const char *text;
        const char *result;
        bool placed;
    };
    const Row rows[] = {
        {"empty-title", "<TITLE></TITLE>", "<TITLE>My title</TITLE>", true},
        {"old-title", "<TITLE>Old</TITLE>", "<TITLE>My title</TITLE>", true},
        {"spaces-in-tags", "< TITLE >Old</TITLE >", "< TITLE >My title</TITLE >", true},
        {"no-title-with-head", "<HEAD>\r\n</HEAD>", "<HEAD>\r\n<TITLE>My title</TITLE>\r\n</HEAD>",
         true},
        {"reversed-tags", "<HEAD></TITLE>x<TITLE></HEAD>",
         "<HEAD></TITLE>x<TITLE><TITLE>My title</TITLE>\r\n</HEAD>", true},
        {"only-closing-tag", "<p>x</TITLE></p>", "<p>x</TITLE></p>", false},
        {"nothing", "<p>fragment</p>", "<p>fragment</p>", false},
        {"placeholder-kept-unescaped", "<TITLE>x</TITLE>",
         "<TITLE>*** Enter Page Title ***</TITLE>", true},
    };
    for (const Row &row : rows) {
        std::string text = row.text;
        const std::string title = std::string(row.name) == "placeholder-kept-unescaped"
                                      ? std::string(kTitlePlaceholder)
                                      : "My title";
        EXPECT_EQ(SetPageTitle(text, title), row.placed) << row.name;
        EXPECT_EQ(text, row.result) << row.name;
    }
}

TEST_F(NewPageTest, NeverOverwrites)
{
    ASSERT_TRUE(writeFile(site + "/qxlib.js", "// the site's own version"));
    ASSERT_TRUE(writeFile(site + "/index.html",
                          "<HTML><HEAD><TITLE>Kept</TITLE></HEAD><BODY>my work</BODY></HTML>"));
    const NewPageResult result = create("index.html", "Retitled");
    ASSERT_EQ(result.error, NewPageError::None) << result.detail;
    EXPECT_EQ(readAll(site + "/qxlib.js"), "// the site's own version");
    EXPECT_EQ(readAll(site + "/qxlib.css"), "/* styles */");
    // The existing page is not replaced by the template; only its title changes.
    EXPECT_EQ(readAll(site + "/index.html"),
              "<HTML><HEAD><TITLE>Retitled</TITLE></HEAD><BODY>my work</BODY></HTML>");

    // A page that is not text (a zero byte) is never written back cut short.
    const std::string binary("<TITLE>a</TITLE>\0rest", 21);
    ASSERT_TRUE(writeFile(site + "/data.html", binary));
    EXPECT_EQ(create("data.html", "x").error, NewPageError::FileWritingFailed);
    EXPECT_EQ(readAll(site + "/data.html"), binary);
}

TEST_F(NewPageTest, WriteFailureIsReported)
{
    util::SetWriteFaultHook([](const std::string &) { return false; });
    const NewPageResult result = create("a.html", "t");
    util::SetWriteFaultHook(nullptr);
    EXPECT_EQ(result.error, NewPageError::FileWritingFailed);
    // The copied template is left as it was: a page without its title, never a cut one.
    EXPECT_EQ(readAll(site + "/a.html"), kDefaultTemplate);
}

TEST_F(NewPageTest, CurrentSiteFolder)
{
    ProfileFile profile;
    EXPECT_EQ(CurrentSiteFolder(profile), program + "Pages");
    EXPECT_TRUE(util::FolderExists(program + "Pages"));
    SetCurrentSiteFolder(profile, site + "/");
    std::string stored;
    ASSERT_TRUE(profile.GetString("General", "Site", stored));
    EXPECT_EQ(stored, site);
    EXPECT_EQ(CurrentSiteFolder(profile), site);
    SetCurrentSiteFolder(profile, dir.file("deleted"));
    EXPECT_EQ(CurrentSiteFolder(profile), program + "Pages");
}

TEST_F(NewPageTest, DefaultSiteFolderOfAnInstalledProgram)
{
    // A program folder that cannot be written: the pages go to the user's documents.
    const std::string home = dir.file("home");
    ASSERT_TRUE(util::MakeFolders(home));
    const char *oldHome = std::getenv("HOME");
    const std::string savedHome = oldHome ? oldHome : "";
    ::setenv("HOME", home.c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (home + "/.config").c_str(), 1);
    util::SetProgramFolder(dir.file("not-there"));
    const std::string folder = DefaultSiteFolder();
    ::setenv("HOME", savedHome.c_str(), 1);
    ::unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(folder, home + "/Documents/Pelion Pages");
    EXPECT_TRUE(util::FolderExists(folder));
}

} // namespace
