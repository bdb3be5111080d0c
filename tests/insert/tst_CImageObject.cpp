#include "insert/CImageObject.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct ImageFields
{
    std::string name{};
    std::string source{};
    std::string rollover{};
    std::string sound{};
    std::string clickPopup{};
    std::string hoverPopup{};
    std::string alt{};
    std::string link{};
    int action = ClickNothing;
    bool invisible = false;
    std::int16_t count = 0;
};

CImageObject makeImage(const ImageFields &f)
{
    CImageObject image;
    image.m_strName = f.name;
    image.m_strValue = f.source;
    image.m_strRollover = f.rollover;
    image.m_strSound = f.sound;
    image.m_strClickPopup = f.clickPopup;
    image.m_strHoverPopup = f.hoverPopup;
    image.m_strAlt = f.alt;
    image.m_strLink = f.link;
    image.m_nClickAction = static_cast<ClickAction>(f.action);
    image.m_bInvisible = f.invisible;
    image.m_nRandomSetSize = f.count;
    return image;
}

struct ImageCase
{
    const char *label;
    ImageFields fields;
    std::string expected;
};

void PrintTo(const ImageCase &c, std::ostream *os)
{
    *os << c.label;
}

const std::string kTail = " border=0 hspace=0>";

const ImageCase kImageCases[] = {
    {"AllEmpty", {}, "<img src=\"\" align=baseline border=0 hspace=0>"},
    {"QuickInsertSourceOnly",
     {.source = "images\\photo.gif"},
     "<img src=\"images/photo.gif\" align=baseline border=0 hspace=0>"},
    {"RolloverAndGoHome",
     {.name = "logo", .source = "images\\logo.gif", .rollover = "images\\logo2.gif", .action = 2},
     "<img src=\"images/logo.gif\" align=baseline name=\"logo\"  class=\"showhand\" "
     "onClick=\"qxGoHome()\" onMouseOver=\"qxMouseOver(logo, 'images/logo2.gif')\" "
     "onMouseOut=\"qxMouseOut(logo, 'images/logo.gif')\" border=0 hspace=0>"},
    {"HoverPopupGluedToOnClick",
     {.name = "logo", .source = "images\\logo.gif", .hoverPopup = "tip", .action = 2},
     "<img src=\"images/logo.gif\" align=baseline name=\"logo\"  class=\"showhand\" "
     "onClick=\"qxGoHome()\"onMouseOver=\"qxRollPopOver(logo, 'images/logo.gif', "
     "tip)\"onMouseOut=\"qxMousePopOut(logo, 'images/logo.gif', tip)\" border=0 hspace=0>"},
    {"HoverPopupBeatsRolloverAndUsesIt",
     {.name = "a", .source = "a.gif", .rollover = "b.gif", .hoverPopup = "tip"},
     "<img src=\"a.gif\" align=baseline name=\"a\" onMouseOver=\"qxRollPopOver(a, 'b.gif', "
     "tip)\"onMouseOut=\"qxMousePopOut(a, 'a.gif', tip)\"" +
         kTail},
    {"HoverPopupWithoutNameKeepsAlignApart",
     {.source = "a.gif", .hoverPopup = "tip"},
     "<img src=\"a.gif\" align=baseline onMouseOver=\"qxRollPopOver(, 'a.gif', "
     "tip)\"onMouseOut=\"qxMousePopOut(, 'a.gif', tip)\"" +
         kTail},
    {"HoverPopupAfterAlt",
     {.source = "a.gif", .hoverPopup = "tip", .alt = "x"},
     "<img src=\"a.gif\" align=baseline alt=\"x\"onMouseOver=\"qxRollPopOver(, 'a.gif', "
     "tip)\"onMouseOut=\"qxMousePopOut(, 'a.gif', tip)\"" +
         kTail},
    {"Move",
     {.name = "a", .source = "a.gif", .action = 1},
     "<img src=\"a.gif\" align=baseline name=\"a\"  class=\"moveable\"" + kTail},
    {"PlaySound",
     {.name = "a", .source = "a.gif", .sound = "snd\\ding.wav", .action = 3},
     "<img src=\"a.gif\" align=baseline name=\"a\"  class=\"showhand\" "
     "onClick=\"qxSound('snd/ding.wav')\"" +
         kTail},
    {"PlaySoundWithoutSoundWritesNothing",
     {.name = "a", .source = "a.gif", .action = 3},
     "<img src=\"a.gif\" align=baseline name=\"a\" " + kTail},
    {"RandomImage",
     {.name = "coin", .source = "Coin0001.gif", .action = 4, .count = 5},
     "<img src=\"Coin0001.gif\" align=baseline name=\"coin\"  class=\"showhand\" "
     "onClick=\"qxGoRandom(coin, 5)\"" +
         kTail},
    {"RandomImageCountZero",
     {.name = "coin", .source = "Coin.gif", .action = 4},
     "<img src=\"Coin.gif\" align=baseline name=\"coin\"  class=\"showhand\" "
     "onClick=\"qxGoRandom(coin, 0)\"" +
         kTail},
    {"GoPrevious",
     {.name = "a", .source = "a.gif", .action = 5},
     "<img src=\"a.gif\" align=baseline name=\"a\"  class=\"showhand\" onClick=\"qxGoPrev()\"" +
         kTail},
    {"PopupNeverWritesClass",
     {.name = "a", .source = "a.gif", .clickPopup = "tip", .action = 6},
     "<img src=\"a.gif\" align=baseline name=\"a\"  onClick=\"qxPop(tip)\"" + kTail},
    {"PopupWithoutPopupWritesNothing",
     {.name = "a", .source = "a.gif", .action = 6},
     "<img src=\"a.gif\" align=baseline name=\"a\" " + kTail},
    {"GoNext",
     {.name = "a", .source = "a.gif", .action = 7},
     "<img src=\"a.gif\" align=baseline name=\"a\"  class=\"showhand\" onClick=\"qxGoNext()\"" +
         kTail},
    {"UnknownActionWritesNothing",
     {.name = "a", .source = "a.gif", .clickPopup = "tip", .action = 8},
     "<img src=\"a.gif\" align=baseline name=\"a\" " + kTail},
    {"NegativeActionWritesNothing",
     {.name = "a", .source = "a.gif", .action = -1},
     "<img src=\"a.gif\" align=baseline name=\"a\" " + kTail},
    {"EmptyNameStillCallsScripts",
     {.source = "a.gif", .rollover = "b.gif", .action = 4, .count = 2},
     "<img src=\"a.gif\" align=baseline class=\"showhand\" onClick=\"qxGoRandom(, 2)\" "
     "onMouseOver=\"qxMouseOver(, 'b.gif')\" onMouseOut=\"qxMouseOut(, 'a.gif')\"" +
         kTail},
    {"InvisibleAltAndLinkKeepsBackslashes",
     {.name = "a",
      .source = "img\\a.gif",
      .alt = "A picture",
      .link = "pages\\next.html",
      .invisible = true},
     "<a href=\"pages\\next.html\"><img src=\"img/a.gif\" align=baseline alt=\"A picture\" "
     "name=\"a\"  Style=\"Visibility:hidden\" border=0 hspace=0></a>"},
    // A double quote in a value must not end its attribute and swallow the rest of the page.
    {"QuoteInAltText",
     {.source = "a.gif", .alt = "say \"cheese\""},
     "<img src=\"a.gif\" align=baseline alt=\"say &quot;cheese&quot;\"" + kTail},
    {"QuoteInLink",
     {.source = "a.gif", .link = "x.html\" onclick=\"evil()"},
     "<a href=\"x.html&quot; onclick=&quot;evil()\"><img src=\"a.gif\" align=baseline" + kTail +
         "</a>"},
    {"SingleQuoteInSoundPath",
     {.name = "a", .source = "a.gif", .sound = "snd\\it's.wav", .action = 3},
     "<img src=\"a.gif\" align=baseline name=\"a\"  class=\"showhand\" "
     "onClick=\"qxSound('snd/it\\'s.wav')\"" +
         kTail},
    {"SingleQuoteInSourceOnlyEscapedInScript",
     {.name = "a", .source = "it's.gif", .rollover = "b\".gif"},
     "<img src=\"it's.gif\" align=baseline name=\"a\"  onMouseOver=\"qxMouseOver(a, "
     "'b&quot;.gif')\" onMouseOut=\"qxMouseOut(a, 'it\\'s.gif')\"" +
         kTail},
};

class ImageTag : public ::testing::TestWithParam<ImageCase>
{};

TEST_P(ImageTag, GivesTheTag)
{
    EXPECT_EQ(makeImage(GetParam().fields).GetHtml(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(CImageObject, ImageTag, ::testing::ValuesIn(kImageCases),
                         [](const auto &info) { return std::string(info.param.label); });

TEST(CImageObject, ValidWithNameAndSource)
{
    EXPECT_FALSE(makeImage({}).IsValid());
    EXPECT_FALSE(makeImage({.name = "a"}).IsValid());
    EXPECT_FALSE(makeImage({.source = "a.gif"}).IsValid());
    EXPECT_TRUE(makeImage({.name = "a", .source = "a.gif"}).IsValid());
}

} // namespace
