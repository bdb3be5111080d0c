#include "propgrid/CPropOb.h"

#include "propgrid/CPropTextControl.h"
#include "propgrid/PropStrings.h"

CPropOb::CPropOb(int nameId, bool validate)
    : m_nNameId(nameId)
    , m_bValidate(validate ? 1 : 0)
{}

CPropOb::~CPropOb() = default;

const char *CPropOb::GetClassName() const
{
    return "CPropOb";
}

void CPropOb::CopyValue(const CPropOb &) {}

bool CPropOb::Refresh()
{
    return false;
}

void CPropOb::Validate(CPropDataExchange &, const std::string &) {}

void CPropOb::OnChanged() {}

std::string CPropOb::GetName() const
{
    if (m_nNameId == -1 || m_nNameId == -2)
        return {};
    if (!m_strName.empty())
        return m_strName;
    return PropString(m_nNameId);
}

bool CPropOb::GetValueText(std::string &text) const
{
    text.clear();
    return false;
}

void CPropOb::SetCaption(CPropTextControl &control) const
{
    control.SetText(PropString(m_nCaptionId));
}

int CPropOb::GetCategory() const
{
    return m_nCategory;
}

bool CPropOb::IsModelessBrowse() const
{
    return false;
}

bool CPropOb::GetAsString(std::string &value) const
{
    value.clear();
    return false;
}

bool CPropOb::GetAsDouble(double &value) const
{
    value = 0;
    return false;
}

bool CPropOb::GetAsLong(std::int32_t &value) const
{
    value = 0;
    return false;
}

bool CPropOb::GetAsInt(int &value) const
{
    value = 0;
    return false;
}

bool CPropOb::SetAsString(const std::string &)
{
    return false;
}

bool CPropOb::SetAsDouble(double)
{
    return false;
}

bool CPropOb::SetAsLong(std::int32_t)
{
    return false;
}

bool CPropOb::SetAsInt(int)
{
    return false;
}

bool CPropOb::IsColorItem() const
{
    return m_nEditorId == propeditor::ColorList || m_nCaptionId == propstr::ColorCaption;
}
