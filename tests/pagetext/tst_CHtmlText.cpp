#include "pagetext/CHtmlText.h"

#include "util/FileUtil.h"

#include "../support/TempDir.h"
#include "../support/TestFiles.h"
#include "ReferenceSearch.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

namespace {

struct FindCase
{
    const char *name;
    std::string text;
    std::string pattern;
    int from;
    bool forward;
    int start;
    int end; // last character of the match
};

void PrintTo(const FindCase &c, std::ostream *os)
{
    *os << c.name;
}

class FindTest : public testing::TestWithParam<FindCase>
{};

TEST_P(FindTest, MatchesAsSpecified)
{
    const FindCase &c = GetParam();
    std::string text = c.text;
    CHtmlText html(text);
    int end = -2;
    EXPECT_EQ(html.FindSpan(c.pattern, c.from, c.forward, &end), c.start);
    EXPECT_EQ(end, c.end);
    EXPECT_EQ(html.Find(c.pattern, c.from, c.forward), c.start);
}

const FindCase kFindCases[] = {
    {"restart-on-second-lt", "<</head>", "</head>", 0, true, 1, 7},
    {"no-back-off", "aaab", "aab", 0, true, -1, -1},
    {"found-without-run-in", "xaab", "aab", 0, true, 1, 3},
    {"space-before-close", "a</head >b", "</head>", 0, true, 1, 8},
    {"space-after-lt", "< TITLE>", "<TITLE>", 0, true, 0, 7},
    {"newline-inside-tag", "<TI\r\nTLE>", "<TITLE>", 0, true, 0, 8},
    {"space-in-title-tag", "x<TITLE >", "<TITLE>", 0, true, 1, 8},
    {"case-sensitive", "<title>", "<TITLE>", 0, true, -1, -1},
    {"other-char-inside", "<TIT-LE>", "<TITLE>", 0, true, -1, -1},
    {"from-skips-earlier", "<b><b>", "<b>", 1, true, 3, 5},
    {"from-is-last-char", "ab", "b", 1, true, 1, 1},
    {"from-past-end", "abc", "c", 3, true, -1, -1},
    {"negative-from-forward-starts-at-0", "abc", "a", -5, true, 0, 0},
    {"empty-text", "", "a", 0, true, -1, -1},
    {"empty-pattern", "abc", "", 0, true, -1, -1},
    {"pattern-space-needs-same-char", "a\tb", "a b", 0, true, -1, -1},
    {"pattern-space-matched", "a  b", "a b", 0, true, 0, 3},
    {"match-at-end", "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxx</head>", "</head>", 0, true, 30, 36},
    {"run-off-end", "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxx</hea", "</head>", 0, true, -1, -1},
    {"backward-nearest", "abc abc", "abc", 6, false, 4, 6},
    {"backward-from-inside", "abc abc", "abc", 5, false, 0, 2},
    {"backward-white-space", "a b\tc", "abc", 4, false, 0, 4},
    {"backward-restart-on-last", "xbcc", "bc", 3, false, 1, 2},
    {"backward-single-char", "<a><b>", "<", 4, false, 3, 3},
    {"backward-none-before", "abc", "<", 2, false, -1, -1},
    {"backward-negative-from", "abc", "a", -1, false, -1, -1},
    {"backward-run-off-start", "bc", "abc", 1, false, -1, -1},
};

INSTANTIATE_TEST_SUITE_P(CHtmlText, FindTest, testing::ValuesIn(kFindCases), [](const auto &info) {
    std::string name = info.param.name;
    for (char &c : name)
        if (c == '-')
            c = '_';
    return name;
});

// The fast search scans 16 bytes at a time and hands over to a byte loop; random texts over a
// small alphabet (so that partial matches, restarts and white space are frequent) of lengths on
// both sides of the block size must give what the plain algorithm gives.
TEST(CHtmlText, SearchAgreesWithReferenceOnRandomTexts)
{
    std::mt19937 rng(20000703);
    const std::string alphabet = "aab<</>  \t\nAB";
    const auto randomText = [&](size_t length) {
        std::string s;
        for (size_t i = 0; i < length; ++i)
            s += alphabet[rng() % alphabet.size()];
        return s;
    };
    for (int round = 0; round < 40000; ++round) {
        const std::string text = randomText(rng() % 90);
        const std::string pattern = randomText(1 + rng() % 4);
        const int from = static_cast<int>(rng() % (text.size() + 3)) - 1;
        for (const bool forward : {true, false}) {
            int end = 0, expectedEnd = 0;
            const int got = FindTolerant(text, pattern, from, forward, &end);
            const int expected = reference::find(text, pattern, from, forward, &expectedEnd);
            ASSERT_EQ(got, expected) << "text '" << text << "' pattern '" << pattern << "' from "
                                     << from << (forward ? " forward" : " backward");
            ASSERT_EQ(end, expectedEnd) << "text '" << text << "' pattern '" << pattern << "'";
        }
        std::string lowerPattern = reference::lower(pattern);
        for (const bool after : {false, true}) {
            std::string mine = text;
            std::string theirs = text;
            CHtmlText html(mine);
            const bool got = after ? html.InsertAfterTag(lowerPattern, "[X]")
                                   : html.InsertBefore(lowerPattern, "[X]");
            const bool expected = after ? reference::insertAfterTag(theirs, lowerPattern, "[X]")
                                        : reference::insertBefore(theirs, lowerPattern, "[X]");
            ASSERT_EQ(got, expected) << "text '" << text << "' tag '" << lowerPattern << "'";
            ASSERT_EQ(mine, theirs) << "text '" << text << "' tag '" << lowerPattern << "'";
        }
    }
}

TEST(CHtmlText, BindsToTheCallersString)
{
    std::string text = "<head></head>";
    CHtmlText html(text);
    EXPECT_EQ(html.rangeStart, -1);
    EXPECT_EQ(html.rangeEnd, -1);
    EXPECT_TRUE(html.InsertBefore("</head>", "X"));
    EXPECT_EQ(text, "<head>X</head>");
    EXPECT_EQ(&html.Text(), &text);
}

TEST(CHtmlText, ReplaceRange)
{
    struct Row
    {
        const char *name;
        int start, end;
        const char *result;
        bool ok;
    };
    const Row rows[] = {
        {"unset-appends", -1, -1, "0123456789NEW", true},
        {"start-unset-appends", -1, 3, "0123456789NEW", true},
        {"both-ends-replaced", 2, 4, "01NEW56789", true},
        {"whole-text", 0, 9, "NEW", true},
        {"empty-range-inserts", 5, 4, "01234NEW56789", true},
        {"empty-range-at-end", 10, 9, "0123456789NEW", true},
        {"runs-backwards", 6, 2, "0123456789", false},
        {"end-beyond-text", 8, 10, "0123456789", false},
        {"start-beyond-text", 11, 12, "0123456789", false},
        {"negative-start", -3, 2, "0123456789", false},
    };
    for (const Row &row : rows) {
        std::string text = "0123456789";
        CHtmlText html(text);
        html.rangeStart = row.start;
        html.rangeEnd = row.end;
        EXPECT_EQ(html.ReplaceRange("NEW"), row.ok) << row.name;
        EXPECT_EQ(text, row.result) << row.name;
    }
}

TEST(CHtmlText, InsertBeforeIgnoresCaseAndKeepsIt)
{
    std::string text = "<HTML><HEAD><TITLE>A</TITLE></HEAD ><BODY></BODY></HTML>";
    CHtmlText html(text);
    EXPECT_TRUE(html.InsertBefore("</head>", "<X>"));
    EXPECT_EQ(text, "<HTML><HEAD><TITLE>A</TITLE><X></HEAD ><BODY></BODY></HTML>");

    std::string noHead = "<HTML><BODY></BODY></HTML>";
    CHtmlText other(noHead);
    EXPECT_FALSE(other.InsertBefore("</head>", "<X>"));
    EXPECT_EQ(noHead, "<HTML><BODY></BODY></HTML>");
}

TEST(CHtmlText, InsertAfterTagGoesAfterTheClosingBracket)
{
    struct Row
    {
        const char *name;
        const char *text;
        const char *result;
        bool ok;
    };
    const Row rows[] = {
        {"attributes", "<HEAD></HEAD><BODY bgColor=#ffffff link=red>\r\n<P>",
         "<HEAD></HEAD><BODY bgColor=#ffffff link=red>[X]\r\n<P>", true},
        {"plain", "<body>text", "<body>[X]text", true},
        {"space-inside-tag", "< Body\n>text", "< Body\n>[X]text", true},
        {"no-body", "<html><head></head></html>", "<html><head></head></html>", false},
        {"no-closing-bracket", "<html><body class=x", "<html><body class=x", false},
    };
    for (const Row &row : rows) {
        std::string text = row.text;
        CHtmlText html(text);
        EXPECT_EQ(html.InsertAfterTag("<body", "[X]"), row.ok) << row.name;
        EXPECT_EQ(text, row.result) << row.name;
    }
}

TEST(CHtmlText, ReplaceMacro)
{
    struct Row
    {
        const char *name;
        const char *text;
        const char *macro;
        std::optional<std::string_view> value;
        bool once;
        const char *result;
        bool found;
    };
    const Row rows[] = {
        {"builtin-all", "$(Windows)/a.exe $(Windows)", "Windows", std::nullopt, false,
         "/usr/a.exe /usr", true},
        {"builtin-once", "$(Windows)/a.exe $(Windows)", "Windows", std::nullopt, true,
         "/usr/a.exe $(Windows)", true},
        {"system", "$(System)/sh", "System", std::nullopt, false, "/usr/bin/sh", true},
        {"unknown-name-vanishes", "a$(Foo)b$(Foo)c", "Foo", std::nullopt, false, "abc", true},
        {"other-case-untouched", "a$(foo)b", "Foo", std::nullopt, false, "a$(foo)b", false},
        {"value-with-own-token", "[$(L0)][$(L0)]", "L0", "$(L0)$(L0)", false,
         "[$(L0)$(L0)][$(L0)$(L0)]", true},
        {"empty-value", "x$(SrcValue)y", "SrcValue", "", false, "xy", true},
        {"given-value", "<embed src=\"$(SrcValue)\">", "SrcValue", "a.swf", false,
         "<embed src=\"a.swf\">", true},
        {"not-found", "no macros", "L1", "v", false, "no macros", false},
        {"incomplete-token", "$(L1 $(L1", "L1", "v", false, "$(L1 $(L1", false},
    };
    for (const Row &row : rows) {
        std::string text = row.text;
        CHtmlText html(text);
        EXPECT_EQ(html.ReplaceMacro(row.macro, row.value, row.once), row.found) << row.name;
        EXPECT_EQ(text, row.result) << row.name;
    }
}

TEST(CHtmlText, ExpandMacroBuiltins)
{
    std::tm date{};
    date.tm_year = 100;
    date.tm_mon = 6;
    date.tm_mday = 3;
    date.tm_hour = 12;
    ASSERT_NE(std::mktime(&date), -1); // fills in tm_wday
    EXPECT_EQ(CHtmlText::DateText(date), "Monday, July 3, 2000");
    date.tm_mon = 11;
    date.tm_mday = 31;
    date.tm_year = 99;
    std::mktime(&date);
    EXPECT_EQ(CHtmlText::DateText(date), "Friday, December 31, 1999");

    const auto today = [] {
        const std::time_t now = std::time(nullptr);
        std::tm local{};
        localtime_r(&now, &local);
        return CHtmlText::DateText(local);
    };
    const std::string before = today();
    const std::string expanded = CHtmlText::ExpandMacro("Date");
    const std::string after = today(); // the day may turn in between
    EXPECT_TRUE(expanded == before || expanded == after) << expanded;

    EXPECT_EQ(CHtmlText::ExpandMacro("App"), util::ProgramFolder());
    EXPECT_EQ(CHtmlText::ExpandMacro("Windows"), "/usr");
    EXPECT_EQ(CHtmlText::ExpandMacro("System"), "/usr/bin");
    EXPECT_EQ(CHtmlText::ExpandMacro("date"), "");
}

TEST(CHtmlText, SaveToFileStopsAtCopyMarker)
{
    TempDir dir;
    const std::string path = dir.file("page.html");
    std::string text = "<html>\r\n\xe9t\xe9</html>\r\n$(Copy ignored)\r\nmore";
    EXPECT_TRUE(CHtmlText(text).SaveToFile(path));
    EXPECT_EQ(readAll(path), "<html>\r\n\xe9t\xe9</html>\r\n");

    std::string whole = "a\nb\r\n\x01\xff$(copy is not the marker)";
    EXPECT_TRUE(CHtmlText(whole).SaveToFile(path));
    EXPECT_EQ(readAll(path), whole);
}

TEST(CHtmlText, SaveToFileFailureKeepsTheOldFile)
{
    TempDir dir;
    const std::string path = dir.file("page.html");
    ASSERT_TRUE(util::WriteFileAtomic(path, "the user's page"));
    std::string text = "replacement that fails half way";
    util::SetWriteFaultHook([](const std::string &) { return false; });
    std::string why;
    EXPECT_FALSE(CHtmlText(text).SaveToFile(path, &why));
    util::SetWriteFaultHook(nullptr);
    EXPECT_FALSE(why.empty());
    EXPECT_EQ(readAll(path), "the user's page");
    EXPECT_EQ(util::ListFiles(dir.path(), "*").size(), 1u) << "temporary file left behind";

    EXPECT_FALSE(CHtmlText(text).SaveToFile(dir.file("missing/folder/page.html")));
    EXPECT_FALSE(WriteTextFile("x", dir.path()));
}

TEST(CHtmlText, SaveWritesThroughSymbolicLink)
{
    TempDir dir;
    ASSERT_TRUE(util::WriteFileAtomic(dir.file("real.html"), "old"));
    std::filesystem::create_symlink("real.html", dir.file("link.html"));
    std::string text = "new";
    EXPECT_TRUE(CHtmlText(text).SaveToFile(dir.file("link.html")));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link.html")));
    EXPECT_EQ(readAll(dir.file("real.html")), "new");
}

TEST(TextFiles, ReadAndWrite)
{
    TempDir dir;
    std::string out = "stale";
    EXPECT_FALSE(ReadTextFile(dir.file("missing.html"), out));
    EXPECT_TRUE(out.empty());
    EXPECT_FALSE(ReadTextFile(dir.path(), out)); // a folder

    ASSERT_TRUE(WriteTextFile(std::string_view("abc\0def", 7), dir.file("zero.bin")));
    EXPECT_EQ(readAll(dir.file("zero.bin")).size(), 7u);
    bool cut = false;
    EXPECT_TRUE(ReadTextFile(dir.file("zero.bin"), out, &cut));
    EXPECT_EQ(out, "abc");
    EXPECT_TRUE(cut);

    ASSERT_TRUE(WriteTextFile("line\r\n", dir.file("page.html")));
    EXPECT_TRUE(ReadTextFile(dir.file("page.html"), out, &cut));
    EXPECT_EQ(out, "line\r\n");
    EXPECT_FALSE(cut);
    ASSERT_TRUE(WriteTextFile("", dir.file("empty.html")));
    EXPECT_TRUE(ReadTextFile(dir.file("empty.html"), out));
    EXPECT_EQ(out, "");
}

TEST(TextFiles, ToCrLf)
{
    EXPECT_EQ(ToCrLf(""), "");
    EXPECT_EQ(ToCrLf("no line feed"), "no line feed");
    EXPECT_EQ(ToCrLf("a\nb\r\nc\n"), "a\r\nb\r\r\nc\r\n");
    EXPECT_EQ(ToCrLf("\n\n"), "\r\n\r\n");
}

TEST(TextFiles, ExtractBlock)
{
    TempDir dir;
    const std::string page = dir.file("page.html");
    ASSERT_TRUE(WriteTextFile("<HTML><HEAD><TITLE>My page</TITLE>\r\n"
                              "<meta content=\"a b\" http-equiv=description>\r\n"
                              "</HEAD><BODY>",
                              page));
    EXPECT_EQ(ExtractBlock("<TITLE>", "<", "", page), "My page");
    EXPECT_EQ(ExtractBlock("http-equiv=description", ">", "<", page),
              "meta content=\"a b\" http-equiv=description");
    EXPECT_EQ(ExtractBlock("http-equiv=keywords", ">", "<", page), "");
    EXPECT_EQ(ExtractBlock("<TITLE>", "<", "", dir.file("missing.html")), "");

    EXPECT_EQ(ExtractBlockFromText("<HEAD></HEAD>", "<TITLE>", "<", ""), "");
    EXPECT_EQ(ExtractBlockFromText("<TITLE></TITLE>", "<TITLE>", "<", ""), "");
    EXPECT_EQ(ExtractBlockFromText("<TITLE>no end", "<TITLE>", "<", ""), "");
    // No tagOpen before the marker: the piece starts at the text's beginning.
    EXPECT_EQ(ExtractBlockFromText("BODY x>", "BODY", ">", "<"), "BODY x");
    // The piece starts after the marker as it was matched, white space included.
    EXPECT_EQ(ExtractBlockFromText("< TITLE >My page</TITLE>", "<TITLE>", "<", ""), "My page");
}

TEST(TextFiles, ExtractAttribute)
{
    struct Row
    {
        const char *tag;
        const char *prefix;
        const char *value;
    };
    const Row rows[] = {
        {"meta content=\"a b\" http-equiv=keywords", "content=", "a b"},
        {"BODY link=#0000ff bgColor=#ffffff", "link=", "#0000ff"},
        {"BODY link=#0000ff bgColor=#ffffff", "bgColor=", ""},      // unquoted value ends the tag
        {"BODY vlink=#ff0000 link=#0000ff x", "link=", "#ff0000"},  // the tail of vlink comes first
        {"BODY vLink=#ff0000 link=#0000ff x", "link=", "#0000ff"},  // case-sensitive
        {"meta content=\"a b http-equiv=keywords", "content=", ""}, // no closing quote
        {"meta content=\"\" http-equiv=keywords", "content=", ""},
        {"BGSOUND src=\"s.wav\" LOOP=\"infinite\"", "src=", "s.wav"},
        {"meta http-equiv=keywords", "content=", ""},
        {"meta content=", "content=", ""},
        {"meta content =\"a b\" x", "content=", "a b"},
        {"", "content=", ""},
    };
    for (const Row &row : rows)
        EXPECT_EQ(ExtractAttribute(row.tag, row.prefix), row.value)
            << row.tag << " / " << row.prefix;
}

TEST(TextFiles, SetHeadTag)
{
    struct Row
    {
        const char *name;
        const char *page;
        const char *marker;
        const char *newTag;
        const char *result;
    };
    const Row rows[] = {
        {"replace-bgsound", "<HEAD><BGSOUND src=\"old.wav\" LOOP=\"infinite\"></HEAD>", "<BGSOUND",
         "<bgsound src=\"new.wav\">", "<HEAD><bgsound src=\"new.wav\"></HEAD>"},
        {"insert-bgsound-any-case", "<HEAD><TITLE>t</TITLE></HEAD><BODY>", "<BGSOUND",
         "<bgsound\nsrc=\"new.wav\">",
         "<HEAD><TITLE>t</TITLE><bgsound\r\nsrc=\"new.wav\"></HEAD><BODY>"},
        {"replace-keywords", "<head><meta content=\"old\" http-equiv=keywords></head>",
         "http-equiv=keywords>", "<meta content=\"k1, k2\" ",
         "<head><meta content=\"k1, k2\" http-equiv=keywords></head>"},
        {"insert-keywords", "<head></head>", "http-equiv=keywords>", "<meta content=\"\" ",
         "<head><meta content=\"\" http-equiv=keywords></head>"},
        {"no-head-unchanged", "<body>x</body>", "<BGSOUND", "<bgsound src=\"a\">",
         "<body>x</body>"},
        {"no-tag-start-unchanged", "http-equiv=keywords> rest</head>", "http-equiv=keywords>",
         "<meta content=\"k\" ", "http-equiv=keywords> rest</head>"},
        // A page's "$(Copy" is its own text (only a template's content ends there).
        {"copy-marker-kept", "<head></head>$(Copy x)", "<BGSOUND", "<bgsound src=\"a\">",
         "<head><bgsound src=\"a\"></head>$(Copy x)"},
    };
    TempDir dir;
    for (const Row &row : rows) {
        const std::string path = dir.file(std::string(row.name) + ".html");
        ASSERT_TRUE(WriteTextFile(row.page, path));
        EXPECT_TRUE(SetHeadTag(row.marker, row.newTag, path, "</head>")) << row.name;
        EXPECT_EQ(readAll(path), row.result) << row.name;
    }

    EXPECT_FALSE(SetHeadTag("<BGSOUND", "<bgsound>", dir.file("missing.html"), "</head>"));
    EXPECT_FALSE(util::FileExists(dir.file("missing.html")));

    const std::string binary = dir.file("binary.html");
    const std::string bytes("<head>\0</head>more", 18);
    ASSERT_TRUE(WriteTextFile(bytes, binary));
    EXPECT_FALSE(SetHeadTag("<BGSOUND", "<bgsound>", binary, "</head>"));
    EXPECT_EQ(readAll(binary), bytes);
}

} // namespace
