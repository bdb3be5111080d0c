#include "FakeDropDown.h"

#include "propgrid/CPropCombo.h"
#include "propgrid/CPropEditCombo.h"
#include "propgrid/PropStrings.h"

#include <gtest/gtest.h>

namespace {

// The "Play Sound" row of the page properties.
class PlaySoundCombo : public ::testing::Test
{
protected:
    PlaySoundCombo()
    {
        combo.AddChoice(propstr::PlayContinuously, 0);
        combo.AddChoice(propstr::PlayOnce, 1);
    }
    std::string ValueText() const
    {
        std::string text = "stale";
        EXPECT_TRUE(combo.GetValueText(text));
        return text;
    }

    int bound = 1;
    CPropCombo combo{&bound, propstr::PlaySound};
    FakeDropDown editor;
};

TEST_F(PlaySoundCombo, ChoicesComeFromTheStringTableInOrder)
{
    ASSERT_EQ(combo.m_choices.size(), 2u);
    EXPECT_EQ(combo.m_choices[0].m_strText, "Continuously");
    EXPECT_EQ(combo.m_choices[0].m_nValue, 0);
    EXPECT_EQ(combo.m_choices[1].m_strText, "Once");
    EXPECT_EQ(combo.GetName(), "Play Sound");
    EXPECT_EQ(ValueText(), "Once");
}

TEST_F(PlaySoundCombo, AStringIdThatDoesNotLoadAddsNoChoice)
{
    EXPECT_FALSE(combo.AddChoice(99999, 2));
    EXPECT_EQ(combo.m_choices.size(), 2u);
    combo.AddChoice(std::string("Twice"), 2);
    EXPECT_EQ(combo.m_choices.back().m_strText, "Twice");
}

TEST_F(PlaySoundCombo, FillEditorListsChoicesWithTheirValuesAndSelectsTheWorkingOne)
{
    editor.AddEntry("left over", 99);
    combo.FillEditor(editor);
    EXPECT_EQ(editor.clears, 1);
    ASSERT_EQ(editor.entries.size(), 2u);
    EXPECT_EQ(editor.entries[0], (std::pair<std::string, std::intptr_t>{"Continuously", 0}));
    EXPECT_EQ(editor.entries[1], (std::pair<std::string, std::intptr_t>{"Once", 1}));
    EXPECT_EQ(editor.selected, 1);
}

TEST_F(PlaySoundCombo, AValueWithNoChoiceShowsEmptyAndSelectsTheFirstEntry)
{
    bound = 7;
    EXPECT_TRUE(combo.Refresh());
    EXPECT_EQ(ValueText(), "");
    combo.FillEditor(editor);
    EXPECT_EQ(editor.selected, 0);
}

TEST(PropCombo, WithoutChoicesShowsEmptyAndSelectsNothing)
{
    int bound = 0;
    CPropCombo combo(&bound, propstr::BackgroundStyle);
    std::string text = "stale";
    EXPECT_TRUE(combo.GetValueText(text));
    EXPECT_EQ(text, "");
    FakeDropDown editor;
    combo.FillEditor(editor);
    EXPECT_TRUE(editor.entries.empty());
    EXPECT_EQ(editor.selected, -1);
}

TEST(PropCombo, DuplicateValuesShowAndSelectTheFirst)
{
    int bound = 3;
    CPropCombo combo(&bound, 1);
    combo.AddChoice(std::string("A"), 1);
    combo.AddChoice(std::string("B"), 3);
    combo.AddChoice(std::string("C"), 3);
    std::string text;
    combo.GetValueText(text);
    EXPECT_EQ(text, "B");
    FakeDropDown editor;
    combo.FillEditor(editor);
    EXPECT_EQ(editor.selected, 1);
}

TEST(PropEditCombo, FillEditorSelectsAnEqualSuggestionOrPutsTheTextInTheEditField)
{
    std::string bound = "Verdana";
    CPropEditCombo combo(&bound, 1, {"Arial", "Verdana", "verdana"});
    FakeDropDown editor;
    combo.FillEditor(editor);
    ASSERT_EQ(editor.entries.size(), 3u);
    EXPECT_EQ(editor.entries[2].first, "verdana");
    EXPECT_EQ(editor.selected, 1);
    EXPECT_EQ(editor.editText, "");

    // Suggestions compare exactly: another letter case is not the same text.
    bound = "VERDANA";
    combo.Refresh();
    combo.FillEditor(editor);
    EXPECT_EQ(editor.selected, -1);
    EXPECT_EQ(editor.editText, "VERDANA");
}

} // namespace
