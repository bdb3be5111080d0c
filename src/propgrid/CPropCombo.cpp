#include "propgrid/CPropCombo.h"

#include "propgrid/CPropDropDown.h"
#include "propgrid/PropStrings.h"

CPropCombo::CPropCombo(int *bound, int nameId)
    : CPropValueOb(bound, nameId, false)
{
    m_nTypeCode = proptype::Choice;
    m_nEditorId = propeditor::DropDownList;
}

const char *CPropCombo::GetClassName() const
{
    return "CPropCombo";
}

bool CPropCombo::GetValueText(std::string &text) const
{
    text.clear();
    for (const CPropChoice &choice : m_choices) {
        if (choice.m_nValue == m_value) {
            text = choice.m_strText;
            break;
        }
    }
    return true;
}

bool CPropCombo::GetAsLong(std::int32_t &value) const
{
    if (!m_pBound) {
        value = 0;
        return false;
    }
    value = *m_pBound;
    return true;
}

bool CPropCombo::SetAsLong(std::int32_t value)
{
    if (!m_pBound)
        return false;
    *m_pBound = value;
    return true;
}

void CPropCombo::FillEditor(CPropDropDown &editor) const
{
    editor.Clear();
    int first = -1;
    int match = -1;
    for (const CPropChoice &choice : m_choices) {
        const int index = editor.AddEntry(choice.m_strText, choice.m_nValue);
        if (first < 0)
            first = index;
        if (match < 0 && choice.m_nValue == m_value)
            match = index;
    }
    if (match >= 0)
        editor.SelectEntry(match);
    else if (first >= 0)
        editor.SelectEntry(first);
}

bool CPropCombo::AddChoice(int textId, int value)
{
    std::string text;
    if (!LoadPropString(textId, text))
        return false;
    AddChoice(text, value);
    return true;
}

void CPropCombo::AddChoice(const std::string &text, int value)
{
    m_choices.emplace_back(text, value);
}
