#include "propgrid/CPropEditCombo.h"

#include "propgrid/CPropDropDown.h"

#include <utility>

CPropEditCombo::CPropEditCombo(std::string *bound, int nameId, std::vector<std::string> suggestions)
    : CPropStr(bound, nameId, false, 0)
    , m_suggestions(std::move(suggestions))
{
    m_nTypeCode = proptype::EditCombo;
    m_nEditorId = propeditor::EditCombo;
}

const char *CPropEditCombo::GetClassName() const
{
    return "CPropEditCombo";
}

void CPropEditCombo::FillEditor(CPropDropDown &editor) const
{
    editor.Clear();
    int match = -1;
    for (size_t i = 0; i < m_suggestions.size(); ++i) {
        const int index = editor.AddEntry(m_suggestions[i], static_cast<std::intptr_t>(i));
        if (match < 0 && m_suggestions[i] == m_value)
            match = index;
    }
    if (match >= 0)
        editor.SelectEntry(match);
    else
        editor.SetEditText(m_value);
}
