#include "insert/CHtmlObject.h"
#include "insert/CScriptObject.h"
#include "insert/CTextBoxCycle.h"
#include "insert/InsertStrings.h"
#include "insert/SmallInserts.h"

#include <gtest/gtest.h>

TEST(CHtmlObject, BaseAndAnchor)
{
    CHtmlObject anchor;
    EXPECT_TRUE(anchor.IsValid());
    EXPECT_EQ(anchor.GetHtml(), "");
    anchor.m_strName = "two words";
    EXPECT_EQ(anchor.GetAnchorHtml(), "<a name=\"two words\"></a>");
    anchor.m_strName = "say \"top\"";
    EXPECT_EQ(anchor.GetAnchorHtml(), "<a name=\"say &quot;top&quot;\"></a>");
}

TEST(CScriptObject, WrapsScriptsAndPassesHtml)
{
    CScriptObject script;
    EXPECT_FALSE(script.IsValid());
    script.m_strText = "alert(1)";
    script.m_nKind = CScriptObject::JavaScript;
    EXPECT_TRUE(script.IsValid());
    EXPECT_EQ(script.GetHtml(),
              "&nbsp<script Language=JScript>\n<!-- \nalert(1)\n//  -->\n</script>");
    EXPECT_TRUE(script.InsertsInParentElement());

    script.m_nKind = CScriptObject::VBScript;
    script.m_strText = "MsgBox \"Hi\"";
    EXPECT_EQ(script.GetHtml(),
              "&nbsp<script Language=VBScript>\n<!-- \nMsgBox \"Hi\"\n'  -->\n</script>");
    EXPECT_TRUE(script.InsertsInParentElement());

    for (const int kind : {int(CScriptObject::Html), 3, -1}) {
        script.m_nKind = kind;
        script.m_strText = "<b>\"raw\"</b>";
        EXPECT_EQ(script.GetHtml(), "<b>\"raw\"</b>") << kind;
        EXPECT_FALSE(script.InsertsInParentElement()) << kind;
    }
}

TEST(SmallInserts, FixedTextsAndApplet)
{
    EXPECT_STREQ(kHorizontalRuleHtml, "<HR>");
    EXPECT_STREQ(kLineBreakHtml, "<br>");
    EXPECT_STREQ(kParagraphHtml, "<p>");
    EXPECT_EQ(GetAppletHtml("applets\\Clock.class"),
              "<applet code=\"applets\\Clock.class\" align=\"baseline\" width=\"300\" "
              "height=\"200\"></applet>");
}

TEST(CTextBoxCycle, SixBoxesInARow)
{
    const char *const lefts[] = {"10", "50", "70", "120", "140", "10"};
    const char *const tops[] = {"10", "30", "20", "20", "50", "10"};
    const int ids[] = {131, 132, 133, 134, 135, 131};
    CTextBoxCycle cycle;
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(cycle.NextId(), ids[i]);
        EXPECT_EQ(cycle.Next(), std::string("<DIV style=\"HEIGHT: 100px; LEFT: ") + lefts[i] +
                                    "px; POSITION: absolute; TOP: " + tops[i] +
                                    "px; WIDTH: 200px\">&nbsp;</DIV>")
            << "box " << i + 1;
    }
    EXPECT_EQ(cycle.NextId(), 132);
}

TEST(InsertStrings, UnknownIdIsEmpty)
{
    EXPECT_EQ(InsertStrings::Get(130), "");
    EXPECT_EQ(InsertStrings::Get(136), "");
    EXPECT_NE(InsertStrings::Get(InsertStrings::RandomSetNotFound).find("ImageName0001.xxx"),
              std::string::npos);
}

TEST(SmallInserts, FlashMovieRefersToTheResourceCopy)
{
    EXPECT_EQ(GetFlashHtml("media\\intro.swf"),
              "<object classid=\"clsid:D27CDB6E-AE6D-11cf-96B8-444553540000\" "
              "codebase=\"http://download.macromedia.com/pub/shockwave/cabs/flash/"
              "swflash.cab#3,0,0,0\" width=\"300\" height=\"200\">\n"
              "  <param name=\"SRC\" value=\"media\\intro.swf\">\n"
              "  <embed src=\"media\\intro.swf\" "
              "pluginspage=\"http://www.macromedia.com/shockwave/download/\" "
              "type=\"application/x-shockwave-flash\" width=\"300\" height=\"200\">\n"
              "  </embed> \n"
              "</object>\n");
}

TEST(SmallInserts, ShockwaveMovieEndsWithoutLineFeed)
{
    EXPECT_EQ(GetShockwaveHtml("media/intro.dcr"),
              "<object classid=\"clsid:166B1BCA-3F9C-11CF-8075-444553540000\" "
              "codebase=\"http://active.macromedia.com/director/cabs/sw.cab#version=6,0,1,0\" "
              "width=\"300\" height=\"200\">\n"
              "  <param name=\"SRC\" value=\"media/intro.dcr\">\n"
              "  <embed src=\"media/intro.dcr\" "
              "pluginspage=\"http://www.macromedia.com/shockwave/download/\" "
              "type=\"application/x-director\" width=\"300\" height=\"200\">\n"
              "  </embed> \n"
              "</object>");
}

TEST(SmallInserts, MovieReferenceIsQuotedSafelyAndNotExpandedAgain)
{
    const std::string html = GetFlashHtml("a\"b$(SrcValue).swf");
    EXPECT_NE(html.find("value=\"a&quot;b$(SrcValue).swf\">"), std::string::npos);
    EXPECT_NE(html.find("src=\"a&quot;b$(SrcValue).swf\" "), std::string::npos);
    EXPECT_EQ(GetShockwaveHtml("").find("$(SrcValue)"), std::string::npos);
}
