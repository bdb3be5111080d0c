#include "propgrid/CPropFontValue.h"
#include "propgrid/PropStrings.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(PropFontValue, TheDefaultFontParsesIntoItsFieldsAndBack)
{
    CPropFontValue font;
    ASSERT_TRUE(font.SetFromStringId(propstr::DefaultFont));
    const PropLogFont &lf = font.m_lf;
    EXPECT_EQ(lf.lfHeight, -11);
    EXPECT_EQ(lf.lfWidth, 0);
    EXPECT_EQ(lf.lfEscapement, 0);
    EXPECT_EQ(lf.lfOrientation, 0);
    EXPECT_EQ(lf.lfWeight, 400);
    EXPECT_EQ(lf.lfItalic, 0);
    EXPECT_EQ(lf.lfUnderline, 0);
    EXPECT_EQ(lf.lfStrikeOut, 0);
    EXPECT_EQ(lf.lfCharSet, 0);
    EXPECT_EQ(lf.lfOutPrecision, 1);
    EXPECT_EQ(lf.lfClipPrecision, 2);
    EXPECT_EQ(lf.lfQuality, 1);
    EXPECT_EQ(lf.lfPitchAndFamily, 34);
    EXPECT_STREQ(lf.lfFaceName, "MS Sans Serif");
    EXPECT_FALSE(font.IsEmpty());
    EXPECT_EQ(font.ToString(), PropString(propstr::DefaultFont));
}

TEST(PropFontValue, SetFromStringIdFailsForAMissingString)
{
    CPropFontValue font;
    font.SetFromStringId(propstr::DefaultFont);
    EXPECT_FALSE(font.SetFromStringId(99999));
    // Nothing was parsed: the old value stays.
    EXPECT_EQ(font.m_lf.lfHeight, -11);
}

TEST(PropFontValue, ClearEmptiesEveryByte)
{
    CPropFontValue font;
    font.SetFromString("-16,2,3,4,700,1,1,1,238,3,2,4,49,Courier New");
    EXPECT_FALSE(font.IsEmpty());
    font.Clear();
    EXPECT_TRUE(font.IsEmpty());
    const PropLogFont zero{};
    EXPECT_EQ(std::memcmp(&font.m_lf, &zero, sizeof zero), 0);
    EXPECT_EQ(font.ToString(), "0,0,0,0,0,0,0,0,0,0,0,0,0,");
}

struct ParseRow
{
    const char *name;
    const char *text;
    bool ok;
    int height; // fields the parse got to
    int weight;
    int italic; // a byte field: low 8 bits of the number
    int pitch;
    const char *face;
};

void PrintTo(const ParseRow &row, std::ostream *os)
{
    *os << row.name;
}

class FontParseTest : public ::testing::TestWithParam<ParseRow>
{};

TEST_P(FontParseTest, ParsesOrFailsLeavingWhatWasRead)
{
    const ParseRow &row = GetParam();
    CPropFontValue font;
    font.SetFromString("-99,9,9,9,900,9,9,9,9,9,9,9,9,Old"); // must not leak into the result
    EXPECT_EQ(font.SetFromString(row.text), row.ok);
    EXPECT_EQ(font.m_lf.lfHeight, row.height);
    EXPECT_EQ(font.m_lf.lfWeight, row.weight);
    EXPECT_EQ(font.m_lf.lfItalic, row.italic);
    EXPECT_EQ(font.m_lf.lfPitchAndFamily, row.pitch);
    EXPECT_EQ(font.GetFaceName(), row.face);
}

const ParseRow kParses[] = {
    {"Empty", "", false, 0, 0, 0, 0, ""},
    {"NotANumber", "Arial", false, 0, 0, 0, 0, ""},
    {"StopsAtTheFourthNumber", "-11,0,0,x,400,0,0,0,0,1,2,1,34,Arial", false, -11, 0, 0, 0, ""},
    {"ThirteenNumbersNoFace", "-11,0,0,0,400,0,0,0,0,1,2,1,34", false, -11, 400, 0, 34, ""},
    {"EmptyFace", "-11,0,0,0,400,0,0,0,0,1,2,1,34,", true, -11, 400, 0, 34, ""},
    {"BlanksBeforeNumbers", " -11, 0,0,0, 400,0,0,0,0,1,2,1,34,Arial", true, -11, 400, 0, 34,
     "Arial"},
    {"BlankBeforeComma", "-11 ,0,0,0,400,0,0,0,0,1,2,1,34,Arial", false, -11, 0, 0, 0, ""},
    {"ByteFieldsKeepLowBits", "12,0,0,0,700,257,0,0,0,0,0,0,-1,Arial", true, 12, 700, 1, 255,
     "Arial"},
    {"FaceAfterTheLastComma", "-11,0,0,0,400,0,0,0,0,1,2,1,34,Font, Bold", true, -11, 400, 0, 34,
     " Bold"},
    {"JunkAfterNumbersThenFace", "-11,0,0,0,400,0,0,0,0,1,2,1,34xyz,Arial", true, -11, 400, 0, 34,
     "Arial"},
    {"FaceCutTo31", "1,0,0,0,0,0,0,0,0,0,0,0,0,ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789", true, 1, 0, 0,
     0, "ABCDEFGHIJKLMNOPQRSTUVWXYZ01234"},
    {"OverlongHeightSaturates", "99999999999,0,0,0,0,0,0,0,0,0,0,0,0,A", true, 2147483647, 0, 0, 0,
     "A"},
};

INSTANTIATE_TEST_SUITE_P(Table, FontParseTest, ::testing::ValuesIn(kParses),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(PropFontValue, ACutFaceNameKeepsWholeCharacters)
{
    CPropFontValue font;
    // 30 ASCII letters, then a two-byte character that would straddle the 31-byte limit.
    const std::string face = std::string(30, 'a') + "\xC3\xA9" + "z";
    font.SetFaceName(face);
    EXPECT_EQ(font.GetFaceName(), std::string(30, 'a'));
}

TEST(PropFontValue, ToStringRoundTrips)
{
    CPropFontValue font;
    ASSERT_TRUE(font.SetFromString("-16,2,3,4,700,1,1,1,238,3,2,4,49,Courier New"));
    EXPECT_EQ(font.ToString(), "-16,2,3,4,700,1,1,1,238,3,2,4,49,Courier New");
    CPropFontValue again;
    ASSERT_TRUE(again.SetFromString(font.ToString()));
    EXPECT_TRUE(again == font);
}

TEST(PropFontValue, EqualityIgnoresBytesAfterTheFaceName)
{
    CPropFontValue a;
    a.SetFromString("-11,0,0,0,400,0,0,0,0,1,2,1,34,Arial");
    CPropFontValue b = a;
    b.m_lf.lfFaceName[20] = 'x'; // after the terminating zero
    EXPECT_TRUE(a == b);
    b.m_lf.lfFaceName[0] = 'B';
    EXPECT_FALSE(a == b);
}

TEST(PropFontValue, AnUnterminatedFaceFromOutsideIsReadSafely)
{
    PropLogFont raw{};
    raw.lfHeight = -12;
    std::memset(raw.lfFaceName, 'Z', sizeof raw.lfFaceName);
    CPropFontValue font(raw);
    EXPECT_EQ(font.GetFaceName(), std::string(31, 'Z'));
}

} // namespace
