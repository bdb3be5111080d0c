#include "propgrid/CPropStr.h"

CPropStr::CPropStr(std::string *bound, int nameId, bool validate, int maxLength)
    : CPropValueOb(bound, nameId, validate)
    , m_nMaxLength(maxLength)
{
    m_nTypeCode = proptype::String;
    m_nEditorId = propeditor::Edit;
}

const char *CPropStr::GetClassName() const
{
    return "CPropStr";
}

bool CPropStr::GetValueText(std::string &text) const
{
    text = m_value;
    return true;
}

bool CPropStr::GetAsString(std::string &value) const
{
    if (!m_pBound) {
        value.clear();
        return false;
    }
    value = *m_pBound;
    return true;
}

bool CPropStr::SetAsString(const std::string &value)
{
    if (!m_pBound)
        return false;
    *m_pBound = value;
    return true;
}
