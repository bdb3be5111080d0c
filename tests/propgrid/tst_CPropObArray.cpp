#include "propgrid/CPropCombo.h"
#include "propgrid/CPropCustColor.h"
#include "propgrid/CPropFile.h"
#include "propgrid/CPropObArray.h"
#include "propgrid/CPropStr.h"
#include "propgrid/PropStrings.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

// The eleven page properties as the page document binds them.
struct PageValues
{
    std::string title, description, keywords, backgroundSound;
    int playSound = 0;
    std::string background;
    PropColorRef backgroundColour = 0x00FFFFFF;
    int backgroundStyle = 0;
    PropColorRef linkColour = 0x00FF0000;
    PropColorRef visitedLinkColour = 0x00C0C0C0;
    PropColorRef activeLinkColour = 0x00FF8000;
};

void BuildPageItems(CPropObArray &items, PageValues &v)
{
    items.Emplace<CPropStr>(&v.title, propstr::Title, false, 0);
    items.Emplace<CPropStr>(&v.description, propstr::Description, false, 0);
    items.Emplace<CPropStr>(&v.keywords, propstr::Keywords, false, 0);
    items.Emplace<CPropFile>(&v.backgroundSound, propstr::BackgroundSound, propstr::SoundFilter);
    auto *play = items.Emplace<CPropCombo>(&v.playSound, propstr::PlaySound);
    play->AddChoice(propstr::PlayContinuously, 0);
    play->AddChoice(propstr::PlayOnce, 1);
    items.Emplace<CPropFile>(&v.background, propstr::Background, propstr::ImageFilter);
    items.Emplace<CPropCustColor>(&v.backgroundColour, propstr::BackgroundColour);
    auto *style = items.Emplace<CPropCombo>(&v.backgroundStyle, propstr::BackgroundStyle);
    style->AddChoice(propstr::StyleFixed, 0);
    style->AddChoice(propstr::StyleMovable, 1);
    items.Emplace<CPropCustColor>(&v.linkColour, propstr::LinkColour);
    items.Emplace<CPropCustColor>(&v.visitedLinkColour, propstr::VisitedLinkColour);
    items.Emplace<CPropCustColor>(&v.activeLinkColour, propstr::ActiveLinkColour);
}

std::vector<std::string> Rows(const CPropObArray &items)
{
    std::vector<std::string> rows;
    for (int i = 0; i < items.GetSize(); ++i) {
        std::string text;
        items.GetAt(i)->GetValueText(text);
        rows.push_back(items.GetAt(i)->GetName() + "=" + text);
    }
    return rows;
}

class PageItems : public ::testing::Test
{
protected:
    PageItems() { BuildPageItems(items, values); }
    PageValues values;
    CPropObArray items;
};

TEST_F(PageItems, ShowTheDefaultsOfANewPage)
{
    const std::vector<std::string> expected = {
        "Title=",
        "Description=",
        "Keywords=",
        "Background Sound=(None)",
        "Play Sound=Continuously",
        "Background=(None)",
        "Background Colour=255.255.255",
        "Background Style=Fixed",
        "Link Colour=0.0.255",
        "Visited Link Colour=192.192.192",
        "Active Link Colour=0.128.255",
    };
    EXPECT_EQ(Rows(items), expected);
}

TEST_F(PageItems, RefreshAllUpdatesTheFirstAndTheLastItem)
{
    values.title = "Welcome";
    values.activeLinkColour = -1;
    EXPECT_TRUE(items.RefreshAll());
    const auto rows = Rows(items);
    EXPECT_EQ(rows.front(), "Title=Welcome");
    EXPECT_EQ(rows.back(), "Active Link Colour=Automatic");
    EXPECT_EQ(rows[1], "Description=");
    EXPECT_FALSE(items.RefreshAll());
}

TEST_F(PageItems, RefreshAllReportsAChangeOfTheLastItemAlone)
{
    values.activeLinkColour = 0;
    EXPECT_TRUE(items.RefreshAll());
    EXPECT_EQ(Rows(items).back(), "Active Link Colour=0.0.0");
}

TEST_F(PageItems, StoreAllWritesEveryItemAndRevertAllRestoresTheStart)
{
    auto *title = static_cast<CPropStr *>(items.GetAt(0));
    auto *background = static_cast<CPropFile *>(items.GetAt(5));
    auto *colour = static_cast<CPropCustColor *>(items.GetAt(6));
    title->m_value = "Edited";
    background->m_value = "images/sky.gif";
    colour->m_value = 0x000000FF;
    values.keywords = "changed behind the panel's back";

    items.StoreAll();
    EXPECT_EQ(values.title, "Edited");
    EXPECT_EQ(values.background, "images/sky.gif");
    EXPECT_EQ(values.backgroundColour, 0x000000FF);
    // Unchanged items are written too, with their working values.
    EXPECT_EQ(values.keywords, "");

    items.RevertAll();
    EXPECT_EQ(values.title, "");
    EXPECT_EQ(values.background, "");
    EXPECT_EQ(values.backgroundColour, 0x00FFFFFF);
}

TEST_F(PageItems, StoreAllFromWritesOnlyFlaggedProperties)
{
    PageValues otherValues;
    otherValues.title = "Other";
    otherValues.keywords = "other keys";
    otherValues.linkColour = 0;
    CPropObArray other;
    BuildPageItems(other, otherValues);
    items.GetAt(0)->CopyValue(*other.GetAt(0)); // as the panel does before it stores

    std::array<std::uint8_t, 11> flags{};
    flags[2] = 1; // keywords
    flags[8] = 1; // link colour
    items.StoreAllFrom(other, flags);
    EXPECT_EQ(values.keywords, "other keys");
    EXPECT_EQ(values.linkColour, 0);
    EXPECT_EQ(values.title, ""); // not flagged
}

TEST_F(PageItems, StoreAllFromSkipsIndexesBeyondTheShorterList)
{
    CPropObArray shorter;
    std::string title = "Short";
    shorter.Emplace<CPropStr>(&title, propstr::Title, false, 0);
    const std::vector<std::uint8_t> flags(20, 1);
    items.StoreAllFrom(shorter, flags);
    EXPECT_EQ(values.title, "Short");
    EXPECT_EQ(values.description, "");

    const std::vector<std::uint8_t> fewFlags = {0};
    PageValues otherValues;
    otherValues.description = "not flagged";
    CPropObArray other;
    BuildPageItems(other, otherValues);
    items.StoreAllFrom(other, fewFlags);
    EXPECT_EQ(values.description, "");
}

TEST_F(PageItems, GetAtOutsideTheArrayIsNull)
{
    EXPECT_EQ(items.GetSize(), 11);
    EXPECT_EQ(items.GetAt(-1), nullptr);
    EXPECT_EQ(items.GetAt(11), nullptr);
    EXPECT_NE(items.GetAt(10), nullptr);
}

// Counts deletions, to see that the array owns its items.
class CountedItem : public CPropStr
{
public:
    CountedItem(std::string *bound, int *deleted)
        : CPropStr(bound, 1, false, 0)
        , m_deleted(deleted)
    {}
    ~CountedItem() override { ++*m_deleted; }
    int *m_deleted;
};

TEST(PropObArray, RemoveAllAndDestructionDeleteTheItems)
{
    std::string bound;
    int deleted = 0;
    {
        CPropObArray items;
        items.Add(std::make_unique<CountedItem>(&bound, &deleted));
        items.Emplace<CountedItem>(&bound, &deleted);
        EXPECT_EQ(items.Add(nullptr), nullptr);
        EXPECT_EQ(items.GetSize(), 2);
        items.RemoveAll();
        EXPECT_EQ(deleted, 2);
        EXPECT_TRUE(items.IsEmpty());
        EXPECT_FALSE(items.RefreshAll());

        items.Emplace<CountedItem>(&bound, &deleted);
    }
    EXPECT_EQ(deleted, 3);
}

} // namespace
