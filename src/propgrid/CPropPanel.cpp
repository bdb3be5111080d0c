#include "propgrid/CPropPanel.h"

#include "propgrid/CPropListBox.h"
#include "propgrid/CPropOwner.h"

#include <QScrollBar>

CPropPanel::CPropPanel(QWidget *parent)
    : CPropListDlg(parent)
{
    SetItems(&m_empty);
    FillList();
}

CPropPanel::~CPropPanel()
{
    // The owner's items must not point at a sheet that is gone.
    SetItems(&m_empty);
}

bool CPropPanel::ShowProperties(CPropOwner *owner, bool clear)
{
    if (OpeningEditor())
        return false;
    if (clear || !owner) {
        m_owner = nullptr;
        SetItems(&m_empty);
        FillList();
        return true;
    }
    if (owner != m_owner)
        SetItems(&owner->PropertyItems());
    Items()->RefreshAll();
    m_owner = owner;
    CPropListBox::SetSorted(false);
    FillList();
    return true;
}

void CPropPanel::RefreshValues(CPropOwner *owner)
{
    if (owner && owner == m_owner && Items()->RefreshAll()) {
        if (!GetActiveEditor())
            UpdateItem(false);
        GetListBox()->viewport()->update();
    }
}

void CPropPanel::Forget(CPropOwner *owner)
{
    if (owner && owner == m_owner)
        ShowProperties(nullptr, true);
}

void CPropPanel::Apply()
{
    CPropListDlg::Apply();
    if (m_owner)
        m_owner->PropertiesApplied();
}

std::string CPropPanel::ReferenceFolder() const
{
    return m_owner ? m_owner->ReferenceFolder() : std::string();
}

std::string CPropPanel::BrowseFolder() const
{
    return m_owner ? m_owner->BrowseFolder() : std::string();
}
