#include "insert/CListMenuObject.h"

#include "insert/GeneratorText.h"

std::string CListMenuObject::GetHtml() const
{
    std::string t = "<select size=\"" + std::to_string(m_nHeight) + "\" name=\"" +
                    AttributeValue(m_strName) + "\"";
    // Glued to the closing quote, as lists have always been written.
    if (m_bMultiple)
        t += "multiple";
    t += ">";
    for (const CListMenuRow &row : m_rows) {
        t += "<option ";
        if (!row.m_strValue.empty())
            t += "value=\"" + AttributeValue(row.m_strValue) + "\" ";
        if (row.m_bSelected)
            t += "selected";
        t += ">" + row.m_strItem + "</option>";
    }
    return t + "</select>";
}

bool CListMenuObject::ApplyMultipleRule(std::size_t k)
{
    if (m_bMultiple)
        return false;
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        if (i != k && m_rows[i].m_bSelected) {
            m_bMultiple = true;
            return true;
        }
    }
    return false;
}

void CListMenuObject::KeepFirstSelectedOnly()
{
    bool seen = false;
    for (CListMenuRow &row : m_rows) {
        if (!row.m_bSelected)
            continue;
        if (seen)
            row.m_bSelected = false;
        seen = true;
    }
}
