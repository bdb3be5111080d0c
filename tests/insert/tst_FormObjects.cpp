#include "insert/CCheckBoxObject.h"
#include "insert/CFormButtonObject.h"
#include "insert/CFormObject.h"
#include "insert/CListMenuObject.h"
#include "insert/CRadioObject.h"
#include "insert/CTextFieldObject.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>

namespace {

struct FormCase
{
    const char *label;
    std::function<std::unique_ptr<CHtmlObject>()> make;
    bool valid;
    std::string expected;
};

void PrintTo(const FormCase &c, std::ostream *os)
{
    *os << c.label;
}

std::unique_ptr<CHtmlObject> form(const char *name, const char *action, const char *method)
{
    auto f = std::make_unique<CFormObject>();
    f->m_strName = name;
    f->m_strAction = action;
    f->m_strMethod = method;
    return f;
}

std::unique_ptr<CHtmlObject> checkBox(const char *name, const char *value, bool checked)
{
    auto c = std::make_unique<CCheckBoxObject>();
    c->m_strName = name;
    c->m_strValue = value;
    c->m_bChecked = checked;
    return c;
}

std::unique_ptr<CHtmlObject> radio(const char *group, const char *value, bool checked)
{
    auto r = std::make_unique<CRadioObject>();
    r->m_strName = group;
    r->m_strValue = value;
    r->m_bChecked = checked;
    return r;
}

std::unique_ptr<CHtmlObject> textField(const char *name, const char *text, bool password, int width,
                                       int lines)
{
    auto t = std::make_unique<CTextFieldObject>();
    t->m_strName = name;
    t->m_strText = text;
    t->m_bPassword = password;
    t->m_nWidth = width;
    t->m_nLines = lines;
    return t;
}

std::unique_ptr<CHtmlObject> button(const char *name, const char *label, int typeIndex)
{
    auto b = std::make_unique<CFormButtonObject>();
    b->m_strName = name;
    b->m_strLabel = label;
    b->m_strType = CFormButtonObject::TypeForIndex(typeIndex);
    return b;
}

const FormCase kFormCases[] = {
    {"Form", [] { return form("f", "path-to-your-cgi", "POST"); }, true,
     "<form method=\"POST\" action=\"path-to-your-cgi\" "
     "name=\"f\"><p>&nbsp</p><p>&nbsp</p></form>"},
    {"FormWithoutAction", [] { return form("f", "", "POST"); }, false,
     "<form method=\"POST\" action=\"\" name=\"f\"><p>&nbsp</p><p>&nbsp</p></form>"},
    {"FormWithoutMethod", [] { return form("f", "x.cgi", ""); }, false,
     "<form method=\"\" action=\"x.cgi\" name=\"f\"><p>&nbsp</p><p>&nbsp</p></form>"},
    {"CheckBoxUncheckedKeepsBlank", [] { return checkBox("agree", "ON", false); }, true,
     "<input type=\"checkbox\" name=\"agree\" value=\"ON\" >"},
    {"CheckBoxChecked", [] { return checkBox("agree", "ON", true); }, true,
     "<input type=\"checkbox\" name=\"agree\" value=\"ON\" checked>"},
    {"RadioValueFirst", [] { return radio("size", "L", false); }, true,
     "<input type=\"radio\" value=\"L\" name=\"size\" >"},
    {"RadioSelected", [] { return radio("size", "L", true); }, true,
     "<input type=\"radio\" value=\"L\" name=\"size\" checked>"},
    {"TextField", [] { return textField("who", "you", false, 20, 1); }, true,
     "<input type=\"text\" value=\"you\" name=\"who\" size=\"20\">"},
    {"PasswordField", [] { return textField("pw", "", true, 8, 1); }, true,
     "<input type=\"password\" value=\"\" name=\"pw\" size=\"8\">"},
    {"TextAreaForTwoLinesIgnoresPassword", [] { return textField("msg", "Hi <b>", true, 30, 2); },
     true, "<textarea rows=\"2\" name=\"msg\" cols=\"30\">Hi <b></textarea>"},
    {"TextAreaForZeroLines", [] { return textField("msg", "", false, 30, 0); }, true,
     "<textarea rows=\"0\" name=\"msg\" cols=\"30\"></textarea>"},
    {"TextFieldWidthZeroInvalid", [] { return textField("w", "", false, 0, 1); }, false,
     "<input type=\"text\" value=\"\" name=\"w\" size=\"0\">"},
    {"ButtonWithUntouchedLabel", [] { return button("b", "", 0); }, true,
     "<input type=\"button\" value=\"\" name=\"b\">"},
    {"SubmitButton", [] { return button("go", "Submit", 1); }, true,
     "<input type=\"Submit\" value=\"Submit\" name=\"go\">"},
    {"ResetButtonForAnyOtherIndex", [] { return button("r", "Reset", 7); }, true,
     "<input type=\"Reset\" value=\"Reset\" name=\"r\">"},
    {"QuotesInAttributesNotInTextAreaContent",
     [] { return textField("n\"1", "say \"hi\"", false, 10, 3); }, true,
     "<textarea rows=\"3\" name=\"n&quot;1\" cols=\"10\">say \"hi\"</textarea>"},
    {"QuoteInFieldValue", [] { return textField("n", "6\" nail", false, 10, 1); }, true,
     "<input type=\"text\" value=\"6&quot; nail\" name=\"n\" size=\"10\">"},
};

class FormElement : public ::testing::TestWithParam<FormCase>
{};

TEST_P(FormElement, GivesTextAndValidity)
{
    const std::unique_ptr<CHtmlObject> object = GetParam().make();
    EXPECT_EQ(object->GetHtml(), GetParam().expected);
    EXPECT_EQ(object->IsValid(), GetParam().valid);
}

INSTANTIATE_TEST_SUITE_P(FormObjects, FormElement, ::testing::ValuesIn(kFormCases),
                         [](const auto &info) { return std::string(info.param.label); });

TEST(CFormButtonObject, TypeForIndex)
{
    EXPECT_STREQ(CFormButtonObject::TypeForIndex(0), "button");
    EXPECT_STREQ(CFormButtonObject::TypeForIndex(1), "Submit");
    EXPECT_STREQ(CFormButtonObject::TypeForIndex(2), "Reset");
    EXPECT_STREQ(CFormButtonObject::TypeForIndex(-1), "Reset");
}

CListMenuObject colours()
{
    CListMenuObject list;
    list.m_rows = {{"Red", "r", true}, {"Blue", "", false}};
    return list;
}

TEST(CListMenuObject, ExampleWithAndWithoutMultiple)
{
    CListMenuObject list = colours();
    EXPECT_EQ(list.GetHtml(), "<select size=\"1\" name=\"List1\"><option value=\"r\" "
                              "selected>Red</option><option >Blue</option></select>");
    list.m_bMultiple = true;
    list.m_nHeight = 4;
    EXPECT_EQ(list.GetHtml(), "<select size=\"4\" name=\"List1\"multiple><option value=\"r\" "
                              "selected>Red</option><option >Blue</option></select>");
}

TEST(CListMenuObject, NoRowsAndVerbatimItems)
{
    CListMenuObject list;
    EXPECT_EQ(list.GetHtml(), "<select size=\"1\" name=\"List1\"></select>");
    list.m_rows = {{"6\" & <b>", "6\"", false}};
    EXPECT_EQ(list.GetHtml(), "<select size=\"1\" name=\"List1\"><option value=\"6&quot;\" >6\" & "
                              "<b></option></select>");
}

TEST(CListMenuObject, MultipleSelectionRule)
{
    // Adding an unselected row while another row is selected switches multiple on.
    CListMenuObject list = colours();
    list.m_rows.push_back({"Green", "g", false});
    EXPECT_TRUE(list.ApplyMultipleRule(2));
    EXPECT_TRUE(list.m_bMultiple);

    // The only selected row itself does not count.
    list = colours();
    EXPECT_FALSE(list.ApplyMultipleRule(0));
    EXPECT_FALSE(list.m_bMultiple);

    // Already on: nothing to switch.
    list.m_bMultiple = true;
    EXPECT_FALSE(list.ApplyMultipleRule(1));
    EXPECT_TRUE(list.m_bMultiple);
}

TEST(CListMenuObject, SwitchingMultipleOffKeepsFirstSelected)
{
    CListMenuObject list;
    list.m_rows = {{"a", "", false}, {"b", "", true}, {"c", "", false}, {"d", "", true}};
    list.KeepFirstSelectedOnly();
    EXPECT_EQ(list.m_rows,
              (std::vector<CListMenuRow>{
                  {"a", "", false}, {"b", "", true}, {"c", "", false}, {"d", "", false}}));
    EXPECT_STREQ(CListMenuObject::SelectedText(true), "Yes");
    EXPECT_STREQ(CListMenuObject::SelectedText(false), "No");
}

} // namespace
