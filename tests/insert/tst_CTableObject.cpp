#include "insert/CTableObject.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

namespace {

std::string rows(int count, int columns, const std::string &prefix = "")
{
    std::string t;
    for (int r = 0; r < count; ++r) {
        t += prefix + "  <TR>\r\n";
        for (int c = 0; c < columns; ++c)
            t += prefix + "    <TD>&nbsp</TD>\r\n";
        t += prefix + "  </TR>\r\n";
    }
    return t;
}

TEST(CTableObject, DefaultTable)
{
    const CTableObject table;
    EXPECT_TRUE(table.IsValid());
    EXPECT_EQ(table.GetHtml(), "\r\n<TABLE WIDTH=\"75%\" BORDER=\"1\">\r\n"
                               "  <TR>\r\n    <TD>&nbsp</TD>\r\n    <TD>&nbsp</TD>\r\n  </TR>\r\n"
                               "  <TR>\r\n    <TD>&nbsp</TD>\r\n    <TD>&nbsp</TD>\r\n  </TR>\r\n"
                               "  <TR>\r\n    <TD>&nbsp</TD>\r\n    <TD>&nbsp</TD>\r\n  </TR>\r\n"
                               "</TABLE>\r\n");
}

struct HeadCase
{
    const char *label;
    std::function<void(CTableObject &)> edit;
    std::string head; // the text up to the first row
};

void PrintTo(const HeadCase &c, std::ostream *os)
{
    *os << c.label;
}

const HeadCase kHeadCases[] = {
    {"ColouredAndSpaced",
     [](CTableObject &t) {
         t.m_crBackground = 0x0000FF; // red 255
         t.m_strSpacing = "2";
     },
     "\r\n<TABLE bgcolor=rgb(255,0,0) WIDTH=\"75%\" BORDER=\"1\" CELLSPACING=\"2\">\r\n"},
    {"ColourComponentsInOrder", [](CTableObject &t) { t.m_crBackground = 0x030201; },
     "\r\n<TABLE bgcolor=rgb(1,2,3) WIDTH=\"75%\" BORDER=\"1\">\r\n"},
    {"NoColourValueWritesNone",
     [](CTableObject &t) { t.m_crBackground = 192 | 192 << 8 | 195 << 16; },
     "\r\n<TABLE WIDTH=\"75%\" BORDER=\"1\">\r\n"},
    {"AutomaticColourWritesNone",
     [](CTableObject &t) { t.m_crBackground = CTableObject::kAutomaticColour; },
     "\r\n<TABLE WIDTH=\"75%\" BORDER=\"1\">\r\n"},
    {"BlackIsAColour", [](CTableObject &t) { t.m_crBackground = 0; },
     "\r\n<TABLE bgcolor=rgb(0,0,0) WIDTH=\"75%\" BORDER=\"1\">\r\n"},
    {"EmptyWidthWritesNoWidth", [](CTableObject &t) { t.m_strWidth = ""; },
     "\r\n<TABLE BORDER=\"1\">\r\n"},
    {"NegativeWidthWritesNoWidth", [](CTableObject &t) { t.m_strWidth = "-5"; },
     "\r\n<TABLE BORDER=\"1\">\r\n"},
    {"PixelsWithoutPercent",
     [](CTableObject &t) {
         t.m_nWidthUnit = CTableObject::Pixels;
         t.m_strWidth = "400";
     },
     "\r\n<TABLE WIDTH=\"400\" BORDER=\"1\">\r\n"},
    {"NegativeBorderIsZero", [](CTableObject &t) { t.m_strBorder = "-3"; },
     "\r\n<TABLE WIDTH=\"75%\" BORDER=\"0\">\r\n"},
    {"EmptyBorderIsZero", [](CTableObject &t) { t.m_strBorder = ""; },
     "\r\n<TABLE WIDTH=\"75%\" BORDER=\"0\">\r\n"},
    {"PaddingAfterSpacingTrimmedBoxes",
     [](CTableObject &t) {
         t.m_strSpacing = " \t3 ";
         t.m_strPadding = "4px";
         t.m_strWidth = "\t50\t";
     },
     "\r\n<TABLE WIDTH=\"50%\" BORDER=\"1\" CELLSPACING=\"3\" CELLPADDING=\"4\">\r\n"},
    {"ZeroSpacingAndPaddingWriteNothing",
     [](CTableObject &t) {
         t.m_strSpacing = "0";
         t.m_strPadding = "-2";
     },
     "\r\n<TABLE WIDTH=\"75%\" BORDER=\"1\">\r\n"},
};

class TableHead : public ::testing::TestWithParam<HeadCase>
{};

TEST_P(TableHead, GivesHead)
{
    CTableObject table;
    GetParam().edit(table);
    EXPECT_EQ(table.GetHtml(), GetParam().head + rows(3, 2) + "</TABLE>\r\n");
}

INSTANTIATE_TEST_SUITE_P(CTableObject, TableHead, ::testing::ValuesIn(kHeadCases),
                         [](const auto &info) { return std::string(info.param.label); });

TEST(CTableObject, RowsAndColumnsFromBoxes)
{
    CTableObject table;
    table.m_strRows = "12abc";
    table.m_strColumns = " 1";
    EXPECT_EQ(table.GetHtml(),
              "\r\n<TABLE WIDTH=\"75%\" BORDER=\"1\">\r\n" + rows(12, 1) + "</TABLE>\r\n");

    // Negative rows: no rows; negative columns: rows without cells. Both are still tables.
    table.m_strRows = "-2";
    EXPECT_EQ(table.GetHtml(), "\r\n<TABLE WIDTH=\"75%\" BORDER=\"1\">\r\n</TABLE>\r\n");
    table.m_strRows = "2";
    table.m_strColumns = "-1";
    EXPECT_EQ(table.GetHtml(),
              "\r\n<TABLE WIDTH=\"75%\" BORDER=\"1\">\r\n" + rows(2, 0) + "</TABLE>\r\n");
}

TEST(CTableObject, ZeroRowsOrColumnsIsRefused)
{
    for (const char *zero : {"0", "", "abc", "  "}) {
        CTableObject table;
        table.m_strRows = zero;
        EXPECT_FALSE(table.IsValid()) << zero;
        EXPECT_EQ(table.GetHtml(), "") << zero;
        table.m_strRows = "3";
        table.m_strColumns = zero;
        EXPECT_FALSE(table.IsValid()) << zero;
    }
}

TEST(CTableObject, PrefixStartsEveryLine)
{
    CTableObject table;
    table.m_strPrefix = "\t";
    table.m_strRows = "1";
    EXPECT_EQ(table.GetHtml(),
              "\r\n\t<TABLE WIDTH=\"75%\" BORDER=\"1\">\r\n" + rows(1, 2, "\t") + "\t</TABLE>\r\n");
}

TEST(CTableObject, HugeTableIsRefusedNotBuilt)
{
    CTableObject table;
    table.m_strRows = "99999999999999999999";
    table.m_strColumns = "1000";
    EXPECT_TRUE(table.IsTooLarge());
    EXPECT_FALSE(table.IsValid());
    EXPECT_EQ(table.GetHtml(), "");

    // Rows without cells count too.
    table.m_strColumns = "-1";
    EXPECT_TRUE(table.IsTooLarge());

    // The bound itself is allowed; negative rows never are too large.
    table.m_strRows = "1000";
    table.m_strColumns = "99";
    EXPECT_FALSE(table.IsTooLarge());
    EXPECT_TRUE(table.IsValid());
    table.m_strRows = "-99999999";
    table.m_strColumns = "99999999";
    EXPECT_FALSE(table.IsTooLarge());
}

} // namespace
