#include "propgrid/CPropCustColor.h"

#include "propgrid/PropStrings.h"

CPropCustColor::CPropCustColor(PropColorRef *bound, int nameId)
    : CPropColor(bound, nameId)
{
    m_nEditorId = propeditor::Browse;
    m_nCaptionId = propstr::ColorCaption;
}

const char *CPropCustColor::GetClassName() const
{
    return "CPropCustColor";
}

bool CPropCustColor::IsModelessBrowse() const
{
    return true;
}
