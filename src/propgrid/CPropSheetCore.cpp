#include "propgrid/CPropSheetCore.h"

#include "propgrid/CPropObArray.h"

void CPropSheetCore::SetItems(CPropObArray *items)
{
    m_pItems = items;
    m_bApplied = false;
}

void CPropSheetCore::ApplyQuiet()
{
    if (m_pItems)
        m_pItems->StoreAll();
}

void CPropSheetCore::Apply()
{
    ApplyQuiet();
    m_bApplied = true;
}

void CPropSheetCore::RevertApplied()
{
    if (m_bApplied && m_pItems)
        m_pItems->RevertAll();
}
