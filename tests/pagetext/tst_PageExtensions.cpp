#include "pagetext/PageExtensions.h"

#include "pagetext/CHtmlText.h"
#include "util/FileUtil.h"

#include "../support/TempDir.h"
#include "../support/TestFiles.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::string crlfLines(const std::vector<std::string> &lines)
{
    std::string out;
    for (const std::string &line : lines)
        out += line + "\r\n";
    return out;
}

// The blocks as a page receives them, written out line by line independently of the constants.
const std::string kHeadLines = crlfLines({
    "<!-- #Begin \"qxstyle\" -->",
    "<LINK REL=\"STYLESHEET\" TYPE=\"text/css\" HREF=\"qxlib.css\">",
    "<!-- #End \"qxstyle\" -->",
    "<!-- #Begin \"qxlib\" -->",
    "<SCRIPT language=JavaScript1.2 src=\"qxlib.js\">",
    "</SCRIPT>",
    "<!-- #End \"qxlib\" -->",
});

const std::string kBodyLines = crlfLines({
    "<!-- #Begin \"Moveable\" -->",
    "<SCRIPT language=JavaScript1.2>",
    "\tinitClassMoveable();",
    "</SCRIPT>",
    "<!-- #End \"Moveable\" -->",
    "<!-- #Begin \"MPlyr\" -->",
    "<OBJECT ID=\"MPlyr\" CLASSID=\"CLSID:22D6F312-B0F6-11D0-94AB-0080C74C7E95\"",
    "  WIDTH=\"0\" HEIGHT=\"0\" style=\"LEFT: -1px; POSITION: absolute; TOP: -1px; VISIBILITY: "
    "hidden\">",
    "  <PARAM NAME=\"AutoStart\" VALUE=\"false\">",
    "  <PARAM NAME=\"ShowDisplay\" VALUE=\"false\">",
    "  <PARAM NAME=\"ShowControls\" VALUE=\"false\">",
    "  <PARAM NAME=\"ShowTracker\" VALUE=\"false\">",
    "  <PARAM NAME=\"PlayCount\" VALUE=\"1\">",
    "</OBJECT>",
    "<!-- #End \"MPlyr\" -->",
});

TEST(PageExtensions, StoredBlocksUseBareLineFeeds)
{
    EXPECT_EQ(kExtensionHeadBlocks.find('\r'), std::string_view::npos);
    EXPECT_EQ(ToCrLf(kExtensionHeadBlocks), kHeadLines);
    EXPECT_EQ(ToCrLf(kExtensionBodyBlocks), kBodyLines);
}

TEST(PageExtensions, CapitalTagsGetTheBlocksAndEveryOtherByteStays)
{
    TempDir dir;
    const std::string path = dir.file("Page.HTM");
    const std::string before = "<HTML>\r\n<HEAD>\r\n<TITLE>Caf\xe9</TITLE>\r\n";
    const std::string between = "</HEAD>\r\n<BODY bgColor=#ffffff>";
    const std::string after = "\r\n<P>Text\n with bare LF</P>\r\n</BODY>\r\n</HTML>\r\n";
    ASSERT_TRUE(util::WriteFileAtomic(path, before + between + after));
    EXPECT_FALSE(IsExtendedPage(path));

    ExtensionPlacement placed;
    EXPECT_TRUE(AddExtensions(path, nullptr, &placed));
    EXPECT_TRUE(placed.head);
    EXPECT_TRUE(placed.body);
    EXPECT_EQ(readAll(path), before + kHeadLines + between + kBodyLines + after);
    EXPECT_TRUE(IsExtendedPage(path));
}

TEST(PageExtensions, TagsWithWhiteSpaceInside)
{
    std::string text = "<head></head\r\n><body\r\nclass=\"x\" >rest";
    const ExtensionPlacement placed = AddExtensionsToText(text);
    EXPECT_TRUE(placed.head && placed.body);
    EXPECT_EQ(text,
              "<head>" + kHeadLines + "</head\r\n><body\r\nclass=\"x\" >" + kBodyLines + "rest");
}

TEST(PageExtensions, MissingTagsMissTheirBlocksSilently)
{
    std::string fragment = "<p>no head, no body</p>";
    ExtensionPlacement placed = AddExtensionsToText(fragment);
    EXPECT_FALSE(placed.head);
    EXPECT_FALSE(placed.body);
    EXPECT_EQ(fragment, "<p>no head, no body</p>");

    std::string headOnly = "<html><head></head></html>";
    placed = AddExtensionsToText(headOnly);
    EXPECT_TRUE(placed.head);
    EXPECT_FALSE(placed.body);
    EXPECT_EQ(headOnly, "<html><head>" + kHeadLines + "</head></html>");
}

TEST(PageExtensions, UnreadableOrBinaryPagesAreNeverWritten)
{
    TempDir dir;
    std::string why;
    EXPECT_FALSE(AddExtensions(dir.file("missing.html"), &why));
    EXPECT_FALSE(why.empty());
    EXPECT_FALSE(util::FileExists(dir.file("missing.html")));

    // A UTF-16 page reads as text only up to its first zero byte; writing that back would
    // destroy it.
    const std::string utf16("<\0h\0e\0a\0d\0>\0<\0/\0h\0e\0a\0d\0>\0", 26);
    ASSERT_TRUE(util::WriteFileAtomic(dir.file("wide.html"), utf16));
    EXPECT_FALSE(AddExtensions(dir.file("wide.html")));
    EXPECT_EQ(readAll(dir.file("wide.html")), utf16);
}

TEST(PageExtensions, FailedWriteLeavesThePage)
{
    TempDir dir;
    const std::string path = dir.file("page.html");
    const std::string page = "<html><head></head><body></body></html>";
    ASSERT_TRUE(util::WriteFileAtomic(path, page));
    util::SetWriteFaultHook([](const std::string &) { return false; });
    EXPECT_FALSE(AddExtensions(path));
    util::SetWriteFaultHook(nullptr);
    EXPECT_EQ(readAll(path), page);
}

TEST(PageExtensions, SaveKeepsTextAfterACopyMarker)
{
    // "$(Copy" ends a template's content, not a page's: a page's script may say $(CopyButton).
    TempDir dir;
    const std::string path = dir.file("page.html");
    ASSERT_TRUE(util::WriteFileAtomic(path, "<head></head><body>$(CopyButton)tail"));
    EXPECT_TRUE(AddExtensions(path));
    EXPECT_EQ(readAll(path),
              "<head>" + kHeadLines + "</head><body>" + kBodyLines + "$(CopyButton)tail");
}

TEST(PageExtensions, ExtendedPageDetection)
{
    struct Row
    {
        const char *text;
        bool extended;
    };
    const Row rows[] = {
        {"<script src=\"qxlib.js\"></script>", true}, {"<!-- uses \"qxlib.js\" later -->", true},
        {"<script src=qxlib.js></script>", false},    {"<script src=\"QXLIB.JS\"></script>", false},
        {"<script src='qxlib.js'></script>", false},  {"", false},
    };
    for (const Row &row : rows)
        EXPECT_EQ(IsExtendedPageText(row.text), row.extended) << row.text;

    TempDir dir;
    EXPECT_FALSE(IsExtendedPage(dir.file("missing.html")));
}

} // namespace
