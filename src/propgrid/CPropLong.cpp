#include "propgrid/CPropLong.h"

#include "util/StringUtil.h"

CPropLong::CPropLong(std::int32_t *bound, int nameId, bool validate, std::int32_t minimum,
                     std::int32_t maximum)
    : CPropValueOb(bound, nameId, validate)
    , m_min(minimum)
    , m_max(maximum)
{
    m_nTypeCode = proptype::Long;
    m_nEditorId = propeditor::Edit;
}

const char *CPropLong::GetClassName() const
{
    return "CPropLong";
}

bool CPropLong::GetValueText(std::string &text) const
{
    text = util::Format("%ld", static_cast<long>(m_value));
    return true;
}
