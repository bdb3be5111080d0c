#include "propgrid/PropStrings.h"

#include <gtest/gtest.h>

namespace {

struct StringRow
{
    const char *name;
    int id;
    const char *text;
};

void PrintTo(const StringRow &row, std::ostream *os)
{
    *os << row.name;
}

class PropStringsTest : public ::testing::TestWithParam<StringRow>
{};

TEST_P(PropStringsTest, LoadsTheTextOfItsId)
{
    std::string text = "stale";
    ASSERT_TRUE(LoadPropString(GetParam().id, text));
    EXPECT_EQ(text, GetParam().text);
    EXPECT_EQ(PropString(GetParam().id), GetParam().text);
}

const StringRow kStrings[] = {
    {"DefaultFont", propstr::DefaultFont, "-11,0,0,0,400,0,0,0,0,1,2,1,34,MS Sans Serif"},
    {"FontCaption", 26653, "&Font..."},
    {"FileCaption", 26654, "&File..."},
    {"ColorCaption", 27151, "Color..."},
    {"Title", propstr::Title, "Title"},
    {"ActiveLinkColour", propstr::ActiveLinkColour, "Active Link Colour"},
    {"PlayContinuously", propstr::PlayContinuously, "Continuously"},
    {"StyleMovable", propstr::StyleMovable, "Movable"},
    // Both filters keep the blanks they were stored with.
    {"SoundFilter", propstr::SoundFilter,
     "WAV Files (*.wav)|*.wav|MID Files (*.mid)|*.mid|All Files (*.*) | *.*||"},
    {"ImageFilter", propstr::ImageFilter,
     "GIF Files (*.gif)|*.gif|JPEG Files (*.jpg)|*.jpg|HTML Files (*.html)| "
     "*.h*|All Files (*.*)|*.*||"},
    {"Left", 27136, "Left"},
    {"Bottom", 27139, "Bottom"},
    {"SortStatus", propstr::CmdSort, "Sort properties in ascending order"},
    {"MenuSaveAsDefault", propstr::MenuSaveAsDefault, "Save As De&fault"},
};

INSTANTIATE_TEST_SUITE_P(Table, PropStringsTest, ::testing::ValuesIn(kStrings),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(PropStrings, UnknownIdsDoNotLoad)
{
    for (int id : {0, -1, -2, 1, 26644, 27150, 99999}) {
        std::string text = "stale";
        EXPECT_FALSE(LoadPropString(id, text)) << id;
        EXPECT_TRUE(text.empty()) << id;
        EXPECT_EQ(PropString(id), "") << id;
    }
}

} // namespace
