#include "insert/CFramesetObject.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

const std::string kEnd =
    "</FRAMESET>\r\n<NOFRAMES>Your browser does not support frames\r\n</NOFRAMES></HTML>\r\n";

TEST(CFramesetObject, DefaultText)
{
    const CFramesetObject frameset;
    EXPECT_TRUE(frameset.IsValid());
    EXPECT_EQ(frameset.GetHtml(), "<HTML><FRAMESET COLS=\"30%,70%\">\r\n<FRAME MARGINWIDTH=\"0\" "
                                  "MARGINHEIGHT=\"0\">\r\n<FRAME MARGINWIDTH=\"0\" "
                                  "MARGINHEIGHT=\"0\">\r\n" +
                                      kEnd);
}

struct LayoutCase
{
    const char *label;
    int layout;
    int frames;
    std::string expected; // with frames written as [1] [2] [3]
};

void PrintTo(const LayoutCase &c, std::ostream *os)
{
    *os << c.label;
}

const LayoutCase kLayouts[] = {
    {"TwoColumns", 0, 2, "<HTML><FRAMESET COLS=\"30%,70%\">\r\n[1][2]" + kEnd},
    {"TwoRows", 1, 2, "<HTML><FRAMESET ROWS=\"30%,70%\">\r\n[1][2]" + kEnd},
    {"ColumnThenRows", 2, 3,
     "<HTML><FRAMESET COLS=\"30%,70%\">\r\n[1]<FRAMESET "
     "ROWS=\"30%,70%\">\r\n[2][3]</FRAMESET>\r\n" +
         kEnd},
    {"RowThenColumns", 3, 3,
     "<HTML><FRAMESET ROWS=\"30%,70%\">\r\n[1]<FRAMESET "
     "COLS=\"30%,70%\">\r\n[2][3]</FRAMESET>\r\n" +
         kEnd},
    {"ThreeColumns", 4, 3, "<HTML><FRAMESET COLS=\"33%,33%,34%\">\r\n[1][2][3]" + kEnd},
    {"ThreeRows", 5, 3, "<HTML><FRAMESET ROWS=\"33%,33%,34%\">\r\n[1][2][3]" + kEnd},
};

class FramesetLayout : public ::testing::TestWithParam<LayoutCase>
{};

TEST_P(FramesetLayout, WritesItsFramesInOrder)
{
    CFramesetObject frameset;
    frameset.m_nLayout = static_cast<std::int16_t>(GetParam().layout);
    std::string expected = GetParam().expected;
    for (int i = 0; i < 3; ++i) {
        frameset.m_frames[i].m_strName = "f" + std::to_string(i + 1);
        const std::string mark = "[" + std::to_string(i + 1) + "]";
        const size_t at = expected.find(mark);
        if (at != std::string::npos)
            expected.replace(at, mark.size(), frameset.m_frames[i].GetHtml());
    }
    EXPECT_EQ(frameset.GetHtml(), expected);
    EXPECT_EQ(CFramesetObject::FrameCount(GetParam().layout), GetParam().frames);
}

INSTANTIATE_TEST_SUITE_P(CFramesetObject, FramesetLayout, ::testing::ValuesIn(kLayouts),
                         [](const auto &info) { return std::string(info.param.label); });

TEST(CFramesetObject, UnknownLayoutGivesNothing)
{
    CFramesetObject frameset;
    for (const std::int16_t layout : {std::int16_t(-1), std::int16_t(6)}) {
        frameset.m_nLayout = layout;
        EXPECT_FALSE(frameset.IsValid());
        EXPECT_EQ(frameset.GetHtml(), "");
        EXPECT_EQ(CFramesetObject::FrameCount(layout), 0);
    }
}

TEST(CFrameObject, Attributes)
{
    CFrameObject frame;
    frame.m_strName = "left";
    frame.m_strValue = "left.html";
    frame.m_nMarginWidth = 5;
    frame.m_nMarginHeight = -2;
    EXPECT_EQ(frame.GetHtml(),
              "<FRAME MARGINWIDTH=\"5\" MARGINHEIGHT=\"-2\" NAME=\"left\" SRC=\"left.html\">\r\n");
    frame.m_nScrolling = CFrameObject::ScrollYes;
    frame.m_bResize = false;
    EXPECT_EQ(frame.GetHtml(), "<FRAME MARGINWIDTH=\"5\" MARGINHEIGHT=\"-2\" NAME=\"left\" "
                               "SRC=\"left.html\" SCROLLING=\"YES\" NORESIZE>\r\n");
    frame.m_nScrolling = CFrameObject::ScrollNo;
    frame.m_bResize = true;
    frame.m_strName.clear();
    EXPECT_EQ(
        frame.GetHtml(),
        "<FRAME MARGINWIDTH=\"5\" MARGINHEIGHT=\"-2\" SRC=\"left.html\" SCROLLING=\"NO\">\r\n");
    frame.m_nScrolling = 7; // any value but yes and auto means no
    frame.m_strValue = "a\"b.html";
    EXPECT_EQ(
        frame.GetHtml(),
        "<FRAME MARGINWIDTH=\"5\" MARGINHEIGHT=\"-2\" SRC=\"a&quot;b.html\" SCROLLING=\"NO\">\r\n");
}

} // namespace
