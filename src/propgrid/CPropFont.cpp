#include "propgrid/CPropFont.h"

#include "propgrid/PropStrings.h"

CPropFont::CPropFont(PropLogFont *bound, int nameId)
    : CPropOb(nameId, false)
    , m_pBound(bound)
{
    m_nTypeCode = proptype::Font;
    m_nEditorId = propeditor::Browse;
    m_nCaptionId = propstr::FontCaption;
    if (m_pBound && ReadsBoundAtConstruction()) {
        m_value = CPropFontValue(*m_pBound);
        m_initial = m_value;
    }
}

const char *CPropFont::GetClassName() const
{
    return "CPropFont";
}

bool CPropFont::IsEqual(const CPropOb &other) const
{
    const auto *font = dynamic_cast<const CPropFont *>(&other);
    return font && m_value == font->m_value;
}

void CPropFont::CopyValue(const CPropOb &other)
{
    if (const auto *font = dynamic_cast<const CPropFont *>(&other))
        m_value = font->m_value;
}

void CPropFont::Store()
{
    if (m_pBound)
        *m_pBound = m_value.m_lf;
}

void CPropFont::StoreFrom(const CPropOb &other)
{
    const auto *font = dynamic_cast<const CPropFont *>(&other);
    if (m_pBound && font)
        *m_pBound = font->m_value.m_lf;
}

void CPropFont::Revert()
{
    if (m_pBound)
        *m_pBound = m_initial.m_lf;
}

bool CPropFont::Refresh()
{
    if (!m_pBound || *m_pBound == m_value.m_lf)
        return false;
    m_value = CPropFontValue(*m_pBound);
    return true;
}

bool CPropFont::GetValueText(std::string &text) const
{
    text = m_value.IsEmpty() ? PropString(propstr::None) : m_value.GetFaceName();
    return true;
}
