#include "propgrid/CPropDbl.h"

#include "util/StringUtil.h"

CPropDbl::CPropDbl(double *bound, int nameId, bool validate, double minimum, double maximum)
    : CPropValueOb(bound, nameId, validate)
    , m_min(minimum)
    , m_max(maximum)
{
    m_nTypeCode = proptype::Double;
    m_nEditorId = propeditor::Edit;
}

const char *CPropDbl::GetClassName() const
{
    return "CPropDbl";
}

bool CPropDbl::GetValueText(std::string &text) const
{
    text = util::Format("%lg", m_value);
    return true;
}
