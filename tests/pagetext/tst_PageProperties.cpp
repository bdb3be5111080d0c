#include "pagetext/PageProperties.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct ColourCase
{
    const char *name;
    const char *value;
    std::int32_t expected; // red low; -2 for "not a colour"
};

void PrintTo(const ColourCase &c, std::ostream *os)
{
    *os << c.name;
}

class ColourTest : public testing::TestWithParam<ColourCase>
{};

TEST_P(ColourTest, ReadsAsBrowsersDo)
{
    const ColourCase &c = GetParam();
    const auto colour = ParseHtmlColour(c.value);
    if (c.expected == -2) {
        EXPECT_FALSE(colour.has_value());
    } else {
        ASSERT_TRUE(colour.has_value());
        EXPECT_EQ(*colour, c.expected);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Forms, ColourTest,
    testing::ValuesIn(std::vector<ColourCase>{
        {"hash6_lower", "#ffc0cb", 0xCBC0FF},
        {"hash6_upper", "#0000FF", 0xFF0000},
        {"hash3", "#f80", 0x0088FF},
        {"named", "red", 0x0000FF},
        {"named_any_case_and_blanks", "  Silver ", 0xC0C0C0},
        {"named_new", "rebeccapurple", 0x993366},
        {"no_hash", "00ff00", 0x00FF00},
        // Letters that are no hex digit count as 0; "chucknorris" is the well-known case.
        {"stray_letters", "chucknorris", 0x0000C0},
        {"long_value", "#00000000ff000000ff", 0x00FF00},
        {"short_value", "#1", 0x000001},
        {"empty", "", -2},
        {"blank", "   ", -2},
        {"transparent", "TRANSPARENT", -2},
    }),
    [](const testing::TestParamInfo<ColourCase> &info) { return std::string(info.param.name); });

TEST(PageProperties, ColourTextIsRedGreenBlue)
{
    EXPECT_EQ(HtmlColourText(0xFF8000), "#0080ff");
    EXPECT_EQ(HtmlColourText(0x0000FF), "#ff0000");
}

// A page written by the program itself: the tags as its writer makes them.
constexpr const char *kProgramPage =
    "<html><head>\r\n<TITLE>My Page</TITLE>\r\n"
    "<meta content=\"words, more\" http-equiv=keywords>"
    "<meta content=\"About it\" http-equiv=description>"
    "<bgsound src=\"sounds/tune.mid\" LOOP=\"infinite\">"
    "</head>\r\n<body background=\"images/bg.gif\" bgProperties=\"fixed\" "
    "bgColor=\"#ffffff\" link=\"#0000ff\" vLink=\"#c0c0c0\" aLink=\"#0080ff\">\r\n"
    "</body></html>";

TEST(PageProperties, ReadsAProgramPage)
{
    PageProperties props;
    props.playSound = 1;
    const unsigned found = ReadPagePropertiesFromText(kProgramPage, props);
    EXPECT_EQ(found, pageprop::All);
    EXPECT_EQ(props.title, "My Page");
    EXPECT_EQ(props.keywords, "words, more");
    EXPECT_EQ(props.description, "About it");
    EXPECT_EQ(props.backgroundSound, "sounds/tune.mid");
    EXPECT_EQ(props.playSound, 0);
    EXPECT_EQ(props.background, "images/bg.gif");
    EXPECT_EQ(props.backgroundStyle, 0);
    EXPECT_EQ(props.backgroundColour, 0xFFFFFF);
    EXPECT_EQ(props.linkColour, 0xFF0000);
    EXPECT_EQ(props.visitedLinkColour, 0xC0C0C0);
    EXPECT_EQ(props.activeLinkColour, 0xFF8000);
}

TEST(PageProperties, ReadsAForeignPage)
{
    // Lower-case tags, name= meta tags, single and no quotes, a named colour, an unquoted value
    // right before ">", upper-case LOOP with a count, and decoys in a comment and a script.
    const char *page = "<!-- <title>Not this</title> <meta name=keywords content=no> -->\n"
                       "<html><head><title>\n  Tom &amp; Jerry\n</title>\n"
                       "<script>var t = '<meta name=\"description\" content=\"no\">';</script>\n"
                       "<META NAME='Description' CONTENT='Cats &quot;and&quot; mice'>\n"
                       "<meta name=\"KEYWORDS\" content=cartoon>\n"
                       "<BGSOUND SRC=Music/Theme.WAV LOOP=3>\n"
                       "</head><BODY BGCOLOR=red Link=#00f vlink=purple bgcolor=blue "
                       "background=Images/Back.JPG alink=#ffffff>text</body></html>";
    PageProperties props;
    const unsigned found = ReadPagePropertiesFromText(page, props);
    EXPECT_EQ(found, pageprop::All);
    EXPECT_EQ(props.title, "Tom & Jerry");
    EXPECT_EQ(props.description, "Cats \"and\" mice");
    EXPECT_EQ(props.keywords, "cartoon");
    EXPECT_EQ(props.backgroundSound, "Music/Theme.WAV");
    EXPECT_EQ(props.playSound, 0);
    EXPECT_EQ(props.background, "Images/Back.JPG");
    EXPECT_EQ(props.backgroundStyle, 1);
    EXPECT_EQ(props.backgroundColour, 0x0000FF); // the first bgcolor counts
    EXPECT_EQ(props.linkColour, 0xFF0000);
    EXPECT_EQ(props.visitedLinkColour, 0x800080);
    EXPECT_EQ(props.activeLinkColour, 0xFFFFFF);
}

TEST(PageProperties, MissingPartsKeepColoursAndEmptyTexts)
{
    PageProperties props;
    props.title = "old";
    props.keywords = "old";
    props.backgroundSound = "old.wav";
    props.playSound = 1;
    props.linkColour = 0x123456;
    const unsigned found = ReadPagePropertiesFromText(
        "<html><body bgcolor=\"\" link=transparent><bgsound src=x.wav></body>", props);
    EXPECT_EQ(found, pageprop::Background | pageprop::BackgroundStyle | pageprop::BackgroundSound |
                         pageprop::PlaySound);
    EXPECT_EQ(props.title, "");
    EXPECT_EQ(props.keywords, "");
    EXPECT_EQ(props.backgroundSound, "x.wav");
    EXPECT_EQ(props.playSound, 1); // no loop: once
    EXPECT_EQ(props.linkColour, 0x123456);
    EXPECT_EQ(props.backgroundColour, 0xFFFFFF);
    EXPECT_EQ(ReadPagePropertiesFromText("", props), 0u);
}

struct PatchCase
{
    const char *name;
    const char *page;
    unsigned changed;
    const char *expected;
};

void PrintTo(const PatchCase &c, std::ostream *os)
{
    *os << c.name;
}

class PatchTest : public testing::TestWithParam<PatchCase>
{};

TEST_P(PatchTest, WritesOnlyWhatChanged)
{
    const PatchCase &c = GetParam();
    PageProperties props;
    props.keywords = "new & \"fresh\"";
    props.description = "said";
    props.backgroundSound = "sounds/Loop.WAV";
    props.playSound = 0;
    std::string text = c.page;
    PatchPageHead(text, props, c.changed);
    EXPECT_EQ(text, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, PatchTest,
    testing::ValuesIn(std::vector<PatchCase>{
        {"program_tag_replaced", "<head><meta content=\"old\" http-equiv=keywords></head>",
         pageprop::Keywords,
         "<head><meta content=\"new &amp; &quot;fresh&quot;\" http-equiv=keywords></head>"},
        {"serialised_quoted_form_replaced",
         "<head><meta content=\"old\" http-equiv=\"keywords\"></head>", pageprop::Keywords,
         "<head><meta content=\"new &amp; &quot;fresh&quot;\" http-equiv=\"keywords\"></head>"},
        {"name_form_keeps_its_text", "<HEAD><META NAME=Description CONTENT='old' lang=en></HEAD>",
         pageprop::Description, "<HEAD><META NAME=Description CONTENT=\"said\" lang=en></HEAD>"},
        {"meta_without_content", "<head><meta name=\"description\"/></head>", pageprop::Description,
         "<head><meta name=\"description\" content=\"said\"/></head>"},
        {"added_before_head_end", "<html><head><title>t</title></HEAD ><body></body></html>",
         pageprop::Description,
         "<html><head><title>t</title><meta content=\"said\" http-equiv=description></HEAD ><body>"
         "</body></html>"},
        {"no_head_goes_before_body", "<html><body>x</body></html>", pageprop::Keywords,
         "<html><meta content=\"new &amp; &quot;fresh&quot;\" http-equiv=keywords><body>x</body>"
         "</html>"},
        {"sound_replaced_in_any_case", "<head><BGSOUND SRC=old.wav></head>", pageprop::PlaySound,
         "<head><bgsound src=\"sounds/Loop.WAV\" LOOP=\"infinite\"></head>"},
        {"sound_added", "<head></head>", pageprop::BackgroundSound,
         "<head><bgsound src=\"sounds/Loop.WAV\" LOOP=\"infinite\"></head>"},
        {"unchanged_left_alone", "<head><meta name=keywords content=old><bgsound src=a.wav></head>",
         pageprop::Title, "<head><meta name=keywords content=old><bgsound src=a.wav></head>"},
        {"only_the_first_tag",
         "<head><meta name=keywords content=a><meta name=keywords content=b></head>",
         pageprop::Keywords,
         "<head><meta name=keywords content=\"new &amp; &quot;fresh&quot;\"><meta "
         "name=keywords content=b></head>"},
    }),
    [](const testing::TestParamInfo<PatchCase> &info) { return std::string(info.param.name); });

TEST(PageProperties, EmptyValuesAsTheProgramWritesThem)
{
    PageProperties props;
    std::string text = "<head></head>";
    PatchPageHead(text, props, pageprop::Keywords);
    EXPECT_EQ(text, "<head><meta content=\"\" http-equiv=keywords></head>");

    // No sound: the tag goes (an empty source would name the page itself) and none is added.
    text = "<head><bgsound src=\"a.wav\" LOOP=\"infinite\"></head>";
    EXPECT_TRUE(PatchPageHead(text, props, pageprop::BackgroundSound));
    EXPECT_EQ(text, "<head></head>");
    EXPECT_FALSE(PatchPageHead(text, props, pageprop::BackgroundSound | pageprop::PlaySound));
    EXPECT_EQ(text, "<head></head>");
}

TEST(PageProperties, PatchedPageReadsBack)
{
    PageProperties wanted;
    wanted.keywords = "a \"b\" & c";
    wanted.description = "d";
    wanted.backgroundSound = "s.wav";
    wanted.playSound = 1;
    std::string text = kProgramPage;
    PatchPageHead(text, wanted, pageprop::HeadTags);
    PageProperties read;
    ReadPagePropertiesFromText(text, read);
    EXPECT_EQ(read.keywords, wanted.keywords);
    EXPECT_EQ(read.description, wanted.description);
    EXPECT_EQ(read.backgroundSound, wanted.backgroundSound);
    EXPECT_EQ(read.playSound, 1);
    EXPECT_EQ(read.title, "My Page");
    EXPECT_EQ(ScanHtmlTags(text).size(), ScanHtmlTags(kProgramPage).size());
}

TEST(PageProperties, ChangedBits)
{
    PageProperties a;
    PageProperties b = a;
    EXPECT_EQ(ChangedPageProperties(a, b), 0u);
    b.title = "x";
    b.activeLinkColour = 0;
    b.playSound = 1;
    EXPECT_EQ(ChangedPageProperties(a, b),
              pageprop::Title | pageprop::ActiveLinkColour | pageprop::PlaySound);
}

TEST(PageProperties, ReferencesRelativeToThePageKeepTheirCase)
{
    EXPECT_EQ(PageRelativeReference("/site/", "/site/Logo.GIF"), "Logo.GIF");
    EXPECT_EQ(PageRelativeReference("/site", "/site/images/Logo.GIF"), "images/Logo.GIF");
    EXPECT_EQ(PageRelativeReference("/site/", "/Site/Logo.gif"), "/Site/Logo.gif");
    EXPECT_EQ(PageRelativeReference("/site/", "/sitemap/a.gif"), "/sitemap/a.gif");
    EXPECT_EQ(PageRelativeReference("", "/x/a.gif"), "/x/a.gif");
}

} // namespace
