#include "propgrid/CPropInt.h"

#include "util/StringUtil.h"

CPropInt::CPropInt(int *bound, int nameId, bool validate, int minimum, int maximum)
    : CPropValueOb(bound, nameId, validate)
    , m_min(minimum)
    , m_max(maximum)
{
    m_nTypeCode = proptype::Int;
    m_nEditorId = propeditor::Edit;
}

const char *CPropInt::GetClassName() const
{
    return "CPropInt";
}

bool CPropInt::GetValueText(std::string &text) const
{
    text = util::Format("%d", m_value);
    return true;
}
