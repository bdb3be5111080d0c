#include "propgrid/CPropColor.h"

#include "propgrid/PropStrings.h"
#include "util/StringUtil.h"

CPropColor::CPropColor(PropColorRef *bound, int nameId)
    : CPropValueOb(bound, nameId, false)
{
    m_nTypeCode = proptype::Color;
    m_nEditorId = propeditor::ColorList;
}

const char *CPropColor::GetClassName() const
{
    return "CPropColor";
}

bool CPropColor::GetValueText(std::string &text) const
{
    if (m_value == PropColorAutomatic) {
        text = PropString(propstr::Automatic);
        return true;
    }
    const auto rgb = static_cast<std::uint32_t>(m_value);
    text = util::Format("%d.%d.%d", static_cast<int>(rgb & 0xFF),
                        static_cast<int>((rgb >> 8) & 0xFF), static_cast<int>((rgb >> 16) & 0xFF));
    return true;
}

bool CPropColor::GetAsLong(std::int32_t &value) const
{
    if (!m_pBound) {
        value = 0;
        return false;
    }
    value = *m_pBound;
    return true;
}

bool CPropColor::SetAsLong(std::int32_t value)
{
    if (!m_pBound)
        return false;
    *m_pBound = value;
    return true;
}
