#include "propgrid/CPropColor.h"
#include "propgrid/CPropCombo.h"
#include "propgrid/CPropCustColor.h"
#include "propgrid/CPropDbl.h"
#include "propgrid/CPropEditCombo.h"
#include "propgrid/CPropFile.h"
#include "propgrid/CPropFont.h"
#include "propgrid/CPropInt.h"
#include "propgrid/CPropLong.h"
#include "propgrid/CPropStr.h"
#include "propgrid/CPropTextControl.h"
#include "propgrid/PropStrings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <memory>

namespace {

constexpr int kName = propstr::Title; // any name id that is not 0

PropLogFont MakeFont(int height, const char *face)
{
    CPropFontValue value;
    value.m_lf.lfHeight = height;
    value.m_lf.lfWeight = 400;
    value.SetFaceName(face);
    return value.m_lf;
}

// One traits struct per item class: how to make it, three distinct values, where its working
// value lives, and the ids the panel relies on.
struct IntTraits
{
    using Item = CPropInt;
    using Value = int;
    static std::unique_ptr<Item> Make(Value *v, int name)
    {
        return std::make_unique<Item>(v, name, true, -5, 5);
    }
    static Value A() { return 3; }
    static Value B() { return -4; }
    static Value C() { return 2147483647; }
    static Value Working(const Item &i) { return i.m_value; }
    static constexpr int kType = 0, kEditor = 27650, kCaption = -1;
};
struct LongTraits
{
    using Item = CPropLong;
    using Value = std::int32_t;
    static std::unique_ptr<Item> Make(Value *v, int name)
    {
        return std::make_unique<Item>(v, name, false, 0, 0);
    }
    static Value A() { return 100000; }
    static Value B() { return std::numeric_limits<std::int32_t>::min(); }
    static Value C() { return 7; }
    static Value Working(const Item &i) { return i.m_value; }
    static constexpr int kType = 1, kEditor = 27650, kCaption = -1;
};
struct DblTraits
{
    using Item = CPropDbl;
    using Value = double;
    static std::unique_ptr<Item> Make(Value *v, int name)
    {
        return std::make_unique<Item>(v, name, false, 0.0, 1.0);
    }
    static Value A() { return 0.25; }
    static Value B() { return -1e20; }
    static Value C() { return 3.5; }
    static Value Working(const Item &i) { return i.m_value; }
    static constexpr int kType = 2, kEditor = 27650, kCaption = -1;
};
struct StrTraits
{
    using Item = CPropStr;
    using Value = std::string;
    static std::unique_ptr<Item> Make(Value *v, int name)
    {
        return std::make_unique<Item>(v, name, false, 0);
    }
    static Value A() { return "Home"; }
    static Value B() { return "home"; } // differs only in case: still a change
    static Value C() { return "Other page"; }
    static Value Working(const Item &i) { return i.m_value; }
    static constexpr int kType = 3, kEditor = 27650, kCaption = -1;
};
struct EditComboTraits : StrTraits
{
    using Item = CPropEditCombo;
    static std::unique_ptr<Item> Make(Value *v, int name)
    {
        return std::make_unique<Item>(v, name, std::vector<std::string>{"Home", "Other page"});
    }
    static Value Working(const Item &i) { return i.m_value; }
    static constexpr int kType = 17, kEditor = 27657, kCaption = -1;
};
struct FileTraits
{
    using Item = CPropFile;
    using Value = std::string;
    static std::unique_ptr<Item> Make(Value *v, int name)
    {
        return std::make_unique<Item>(v, name, 0);
    }
    static Value A() { return "images/a.gif"; }
    static Value B() { return "images/A.gif"; }
    static Value C() { return ""; }
    static Value Working(const Item &i) { return i.m_value; }
    static constexpr int kType = 7, kEditor = 27652, kCaption = 26654;
};
struct ComboTraits
{
    using Item = CPropCombo;
    using Value = int;
    static std::unique_ptr<Item> Make(Value *v, int name)
    {
        auto item = std::make_unique<Item>(v, name);
        item->AddChoice("Zero", 0);
        item->AddChoice("One", 1);
        return item;
    }
    static Value A() { return 1; }
    static Value B() { return 0; }
    static Value C() { return 9; }
    static Value Working(const Item &i) { return i.m_value; }
    static constexpr int kType = 4, kEditor = 27651, kCaption = -1;
};
struct ColorTraits
{
    using Item = CPropColor;
    using Value = PropColorRef;
    static std::unique_ptr<Item> Make(Value *v, int name)
    {
        return std::make_unique<Item>(v, name);
    }
    static Value A() { return 0x00C0C0C0; }
    static Value B() { return PropColorAutomatic; }
    static Value C() { return 0x00FF0000; }
    static Value Working(const Item &i) { return i.m_value; }
    static constexpr int kType = 5, kEditor = 27649, kCaption = -1;
};
struct CustColorTraits : ColorTraits
{
    using Item = CPropCustColor;
    static std::unique_ptr<Item> Make(Value *v, int name)
    {
        return std::make_unique<Item>(v, name);
    }
    static Value Working(const Item &i) { return i.m_value; }
    static constexpr int kType = 5, kEditor = 27652, kCaption = 27151;
};
struct FontTraits
{
    using Item = CPropFont;
    using Value = PropLogFont;
    static std::unique_ptr<Item> Make(Value *v, int name)
    {
        return std::make_unique<Item>(v, name);
    }
    static Value A() { return MakeFont(-11, "MS Sans Serif"); }
    static Value B() { return MakeFont(-11, "Arial"); }
    static Value C() { return MakeFont(-16, "Courier New"); }
    static Value Working(const Item &i) { return i.m_value.m_lf; }
    static constexpr int kType = 6, kEditor = 27652, kCaption = 26653;
};

template<class Traits>
class PropItemTest : public ::testing::Test
{};

using ItemKinds =
    ::testing::Types<IntTraits, LongTraits, DblTraits, StrTraits, EditComboTraits, FileTraits,
                     ComboTraits, ColorTraits, CustColorTraits, FontTraits>;

struct ItemKindNames
{
    template<class T>
    static std::string GetName(int)
    {
        return T::Make(nullptr, 1)->GetClassName();
    }
};

// Another item class holding the same value type: values never move between classes.
template<class Value>
class Foreign : public CPropValueOb<Foreign<Value>, Value>
{
public:
    explicit Foreign(Value value)
        : CPropValueOb<Foreign<Value>, Value>(&m_storage, 0, false) // 0: storage not read yet
        , m_storage(value)
    {
        this->m_value = value;
    }
    Value m_storage;
};

TYPED_TEST_SUITE(PropItemTest, ItemKinds, ItemKindNames);

TYPED_TEST(PropItemTest, CarriesTheTypeEditorAndCaptionOfItsClass)
{
    typename TypeParam::Value bound = TypeParam::A();
    auto item = TypeParam::Make(&bound, kName);
    EXPECT_EQ(item->m_nTypeCode, TypeParam::kType);
    EXPECT_EQ(item->m_nEditorId, TypeParam::kEditor);
    EXPECT_EQ(item->m_nCaptionId, TypeParam::kCaption);
    EXPECT_EQ(item->m_nNameId, kName);
    EXPECT_EQ(item->m_bEditable, 1);
    EXPECT_EQ(item->m_bApplyOnChange, 0);
    EXPECT_EQ(item->GetCategory(), 0);
    EXPECT_EQ(item->m_pSheet, nullptr);
}

TYPED_TEST(PropItemTest, StoreRevertAndRefreshMoveValuesBetweenItemAndVariable)
{
    using T = TypeParam;
    typename T::Value bound = T::A();
    auto item = T::Make(&bound, kName);
    EXPECT_EQ(T::Working(*item), T::A());

    // Nothing changed outside: no refresh.
    EXPECT_FALSE(item->Refresh());

    // The owner changes the variable: refresh takes it, once.
    bound = T::B();
    EXPECT_TRUE(item->Refresh());
    EXPECT_EQ(T::Working(*item), T::B());
    EXPECT_FALSE(item->Refresh());

    // Revert restores the value found at construction, not the working value.
    item->Revert();
    EXPECT_EQ(bound, T::A());
    EXPECT_EQ(T::Working(*item), T::B());

    item->Store();
    EXPECT_EQ(bound, T::B());
}

TYPED_TEST(PropItemTest, ValuesMoveOnlyBetweenItemsOfTheSameClass)
{
    using T = TypeParam;
    typename T::Value bound = T::A();
    typename T::Value otherBound = T::C();
    auto item = T::Make(&bound, kName);
    auto other = T::Make(&otherBound, kName);
    Foreign<typename T::Value> foreign(T::B());

    EXPECT_FALSE(item->IsEqual(*other));
    item->StoreFrom(*other);
    EXPECT_EQ(bound, T::C());
    EXPECT_EQ(T::Working(*item), T::A()); // StoreFrom leaves the working value

    item->CopyValue(*other);
    EXPECT_EQ(T::Working(*item), T::C());
    EXPECT_TRUE(item->IsEqual(*other));
    EXPECT_TRUE(other->IsEqual(*item));

    EXPECT_FALSE(item->IsEqual(foreign));
    item->CopyValue(foreign);
    item->StoreFrom(foreign);
    EXPECT_EQ(T::Working(*item), T::C());
    EXPECT_EQ(bound, T::C());
}

TYPED_TEST(PropItemTest, NameIdZeroLeavesTheVariableUnread)
{
    using T = TypeParam;
    typename T::Value bound = T::A();
    auto item = T::Make(&bound, 0);
    EXPECT_EQ(T::Working(*item), typename T::Value{});
    EXPECT_EQ(item->GetName(), "");
    // Its initial value is the empty one, and that is what Revert writes.
    item->Revert();
    EXPECT_EQ(bound, typename T::Value{});
}

TYPED_TEST(PropItemTest, AnUnboundItemStoresNothingAndDoesNotCrash)
{
    using T = TypeParam;
    auto item = T::Make(nullptr, kName);
    item->Store();
    item->Revert();
    EXPECT_FALSE(item->Refresh());
    std::string text;
    std::int32_t number = 1;
    EXPECT_FALSE(item->GetAsString(text));
    EXPECT_FALSE(item->SetAsString("x"));
    EXPECT_FALSE(item->GetAsLong(number));
    EXPECT_EQ(number, 0);
    EXPECT_FALSE(item->SetAsLong(1));
}

// Value texts --------------------------------------------------------------------------------

struct Vars
{
    int i = 0;
    std::int32_t l = 0;
    double d = 0;
    std::string s;
    PropColorRef c = 0;
    PropLogFont f{};
};

struct TextRow
{
    const char *name;
    std::function<std::unique_ptr<CPropOb>(Vars &)> make;
    const char *text;
};

void PrintTo(const TextRow &row, std::ostream *os)
{
    *os << row.name;
}

class ValueTextTest : public ::testing::TestWithParam<TextRow>
{};

TEST_P(ValueTextTest, ShowsTheWorkingValue)
{
    Vars vars;
    auto item = GetParam().make(vars);
    std::string text = "stale";
    EXPECT_TRUE(item->GetValueText(text));
    EXPECT_EQ(text, GetParam().text);
}

std::function<std::unique_ptr<CPropOb>(Vars &)> FileOf(std::string value)
{
    return [value](Vars &v) {
        v.s = value;
        return std::make_unique<CPropFile>(&v.s, kName, 0);
    };
}

std::function<std::unique_ptr<CPropOb>(Vars &)> ColorOf(PropColorRef value)
{
    return [value](Vars &v) {
        v.c = value;
        return std::make_unique<CPropCustColor>(&v.c, kName);
    };
}

const TextRow kTexts[] = {
    {"IntNegative",
     [](Vars &v) {
         v.i = -42;
         return std::make_unique<CPropInt>(&v.i, kName, false, 0, 0);
     },
     "-42"},
    {"LongMinimum",
     [](Vars &v) {
         v.l = std::numeric_limits<std::int32_t>::min();
         return std::make_unique<CPropLong>(&v.l, kName, false, 0, 0);
     },
     "-2147483648"},
    {"DoubleShort",
     [](Vars &v) {
         v.d = 0.1;
         return std::make_unique<CPropDbl>(&v.d, kName, false, 0, 0);
     },
     "0.1"},
    {"DoubleLarge",
     [](Vars &v) {
         v.d = 1e20;
         return std::make_unique<CPropDbl>(&v.d, kName, false, 0, 0);
     },
     "1e+20"},
    {"StringAsIs",
     [](Vars &v) {
         v.s = "My <b>Page</b>";
         return std::make_unique<CPropStr>(&v.s, kName, false, 0);
     },
     "My <b>Page</b>"},
    {"EditComboAsIs",
     [](Vars &v) {
         v.s = "Arial";
         return std::make_unique<CPropEditCombo>(&v.s, kName, std::vector<std::string>{});
     },
     "Arial"},
    {"FileWindowsPath", FileOf("C:\\Site\\Images\\Logo.GIF"), "logo.gif"},
    {"FileDriveRelative", FileOf("A:Logo.gif"), "logo.gif"},
    {"FileEmpty", FileOf(""), "(None)"},
    {"FileNativePath", FileOf("/home/ann/Site/Images/Sky Blue.JPG"), "sky blue.jpg"},
    {"FileBareName", FileOf("Back.GIF"), "back.gif"},
    {"FileEndsInSeparator", FileOf("images/"), ""},
    {"ColorAutomatic", ColorOf(-1), "Automatic"},
    {"ColorSilver", ColorOf(0x00C0C0C0), "192.192.192"},
    {"ColorPureBlue", ColorOf(0x00FF0000), "0.0.255"},
    {"ColorRedLow", ColorOf(0x00FF8000), "0.128.255"},
    {"ColorPlainDropDown",
     [](Vars &v) {
         v.c = 0x000000FF;
         return std::make_unique<CPropColor>(&v.c, kName);
     },
     "255.0.0"},
    {"FontEmpty", [](Vars &v) { return std::make_unique<CPropFont>(&v.f, kName); }, "(None)"},
    {"FontFace",
     [](Vars &v) {
         v.f = MakeFont(-13, "DejaVu Sans");
         return std::make_unique<CPropFont>(&v.f, kName);
     },
     "DejaVu Sans"},
};

INSTANTIATE_TEST_SUITE_P(Table, ValueTextTest, ::testing::ValuesIn(kTexts),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(PropItem, ValueTextFollowsTheWorkingValueNotTheVariable)
{
    PropColorRef colour = 0x00FFFFFF;
    CPropCustColor item(&colour, kName);
    colour = -1;
    std::string text;
    item.GetValueText(text);
    EXPECT_EQ(text, "255.255.255");
    item.Refresh();
    item.GetValueText(text);
    EXPECT_EQ(text, "Automatic");
}

// Names, captions, flags -------------------------------------------------------------------

class RecordingControl : public CPropTextControl
{
public:
    void SetText(const std::string &t) override { text = t; }
    std::string text = "unset";
};

TEST(PropItem, NameComesFromNameTextOrStringTable)
{
    std::string value;
    CPropStr byId(&value, propstr::VisitedLinkColour, false, 0);
    EXPECT_EQ(byId.GetName(), "Visited Link Colour");

    byId.m_strName = "Own name";
    EXPECT_EQ(byId.GetName(), "Own name");

    CPropStr unknownId(&value, 99999, false, 0);
    EXPECT_EQ(unknownId.GetName(), "");

    for (int noName : {-1, -2}) {
        CPropStr nameless(&value, noName, false, 0);
        nameless.m_strName = "ignored";
        EXPECT_EQ(nameless.GetName(), "") << noName;
    }
}

TEST(PropItem, CaptionAndBrowseKindFollowTheClass)
{
    std::string s;
    PropColorRef c = 0;
    PropLogFont f{};
    int n = 0;
    RecordingControl control;

    CPropFile file(&s, kName, 0);
    file.SetCaption(control);
    EXPECT_EQ(control.text, "&File...");

    CPropFont font(&f, kName);
    font.SetCaption(control);
    EXPECT_EQ(control.text, "&Font...");

    CPropCustColor cust(&c, kName);
    cust.SetCaption(control);
    EXPECT_EQ(control.text, "Color...");
    EXPECT_TRUE(cust.IsModelessBrowse());
    EXPECT_TRUE(cust.IsColorItem());

    CPropColor plain(&c, kName);
    EXPECT_FALSE(plain.IsModelessBrowse());
    EXPECT_TRUE(plain.IsColorItem());

    CPropInt number(&n, kName, false, 0, 0);
    number.SetCaption(control);
    EXPECT_EQ(control.text, "");
    EXPECT_FALSE(number.IsColorItem());
}

TEST(PropItem, FileFilterFallsBackToAllFiles)
{
    std::string s;
    EXPECT_EQ(CPropFile(&s, kName, propstr::SoundFilter).GetFilter(),
              "WAV Files (*.wav)|*.wav|MID Files (*.mid)|*.mid|All Files (*.*) | *.*||");
    EXPECT_EQ(CPropFile(&s, kName, 0).GetFilter(), "All Files (*.*)|*.*||");
    EXPECT_EQ(CPropFile(&s, kName, 99999).GetFilter(), "All Files (*.*)|*.*||");
}

// Typed access ------------------------------------------------------------------------------

TEST(PropItem, StringAccessReadsAndWritesTheVariable)
{
    std::string text = "Old";
    std::string file = "a.gif";
    CPropStr str(&text, kName, false, 0);
    CPropFile ref(&file, kName, 0);
    CPropEditCombo combo(&text, kName, {});

    for (CPropOb *item : std::initializer_list<CPropOb *>{&str, &ref, &combo}) {
        std::string got;
        EXPECT_TRUE(item->GetAsString(got)) << item->GetClassName();
        EXPECT_TRUE(item->SetAsString("New")) << item->GetClassName();
        std::string after;
        item->GetAsString(after);
        EXPECT_EQ(after, "New") << item->GetClassName();
        // These do not apply to text items.
        std::int32_t l = 5;
        EXPECT_FALSE(item->GetAsLong(l));
        EXPECT_EQ(l, 0);
        EXPECT_FALSE(item->SetAsLong(1));
    }
    EXPECT_EQ(text, "New");
    EXPECT_EQ(file, "New");
    // The setters write the variable only; the working value waits for a refresh.
    EXPECT_EQ(str.m_value, "Old");
    EXPECT_EQ(ref.m_value, "a.gif");
    EXPECT_TRUE(ref.Refresh());
}

TEST(PropItem, LongAccessReadsAndWritesColourAndChoiceVariables)
{
    PropColorRef colour = 0x00C0C0C0;
    PropColorRef custom = -1;
    int choice = 1;
    CPropColor plain(&colour, kName);
    CPropCustColor cust(&custom, kName);
    CPropCombo combo(&choice, kName);

    std::int32_t got = 0;
    EXPECT_TRUE(plain.GetAsLong(got));
    EXPECT_EQ(got, 0x00C0C0C0);
    EXPECT_TRUE(cust.GetAsLong(got));
    EXPECT_EQ(got, -1);
    EXPECT_TRUE(combo.GetAsLong(got));
    EXPECT_EQ(got, 1);

    EXPECT_TRUE(plain.SetAsLong(0x00FF0000));
    EXPECT_TRUE(cust.SetAsLong(0));
    EXPECT_TRUE(combo.SetAsLong(0));
    EXPECT_EQ(colour, 0x00FF0000);
    EXPECT_EQ(custom, 0);
    EXPECT_EQ(choice, 0);
    EXPECT_EQ(plain.m_value, 0x00C0C0C0);

    std::string text = "stale";
    EXPECT_FALSE(combo.GetAsString(text));
    EXPECT_EQ(text, "");
    EXPECT_FALSE(plain.SetAsString("1"));
}

TEST(PropItem, NumberItemsOfferNoTypedAccess)
{
    int i = 4;
    std::int32_t l = 5;
    double d = 6;
    CPropInt intItem(&i, kName, false, 0, 10);
    CPropLong longItem(&l, kName, false, 0, 10);
    CPropDbl dblItem(&d, kName, false, 0, 10);
    for (CPropOb *item : std::initializer_list<CPropOb *>{&intItem, &longItem, &dblItem}) {
        int asInt = 1;
        double asDouble = 1;
        std::int32_t asLong = 1;
        EXPECT_FALSE(item->GetAsInt(asInt));
        EXPECT_FALSE(item->GetAsDouble(asDouble));
        EXPECT_FALSE(item->GetAsLong(asLong));
        EXPECT_EQ(asInt, 0);
        EXPECT_EQ(asDouble, 0);
        EXPECT_FALSE(item->SetAsInt(9));
        EXPECT_FALSE(item->SetAsDouble(9));
    }
    EXPECT_EQ(i, 4);
    EXPECT_EQ(d, 6);
}

TEST(PropItem, ADoubleBoundToNanDoesNotRefreshForever)
{
    double d = std::nan("");
    CPropDbl item(&d, kName, false, 0, 0);
    EXPECT_FALSE(item.Refresh());
    d = 1.5;
    EXPECT_TRUE(item.Refresh());
    EXPECT_EQ(item.m_value, 1.5);
}

TEST(PropItem, RangeAndLengthAreKeptForThePanel)
{
    int i = 0;
    std::string s;
    CPropInt number(&i, kName, true, -3, 12);
    EXPECT_EQ(number.m_bValidate, 1);
    EXPECT_EQ(number.m_min, -3);
    EXPECT_EQ(number.m_max, 12);
    CPropStr text(&s, kName, true, 80);
    EXPECT_EQ(text.m_nMaxLength, 80);
    EXPECT_EQ(CPropStr(&s, kName, false, 0).m_bValidate, 0);
}

} // namespace
