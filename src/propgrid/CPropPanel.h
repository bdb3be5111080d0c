#pragma once

#include "propgrid/CPropListDlg.h"
#include "propgrid/CPropObArray.h"

class CPropOwner;

// The property panel of the side bar's "Properties" tab: the property list bound to the items of
// one owner (the active page's document). Every committed change stores all items and tells the
// owner (PropertiesApplied), which writes them into its page.
class CPropPanel : public CPropListDlg
{
    Q_OBJECT

public:
    explicit CPropPanel(QWidget *parent = nullptr);
    ~CPropPanel() override;

    // clear: binds to an empty array and forgets the owner. Otherwise binds to the owner's items
    // (when it is another owner), refreshes them from their variables, turns sorting off and
    // fills the list. Does nothing while an editor is being opened. True when it showed.
    bool ShowProperties(CPropOwner *owner, bool clear);
    // The owner's values changed outside the panel: the rows show them again (list, selection and
    // sort order stay).
    void RefreshValues(CPropOwner *owner);
    // The owner is going away: the panel lets go of it when it is the one shown.
    void Forget(CPropOwner *owner);
    CPropOwner *Shown() const { return m_owner; }

    void Apply() override;
    std::string ReferenceFolder() const override;
    std::string BrowseFolder() const override;

private:
    CPropObArray m_empty;
    CPropOwner *m_owner = nullptr;
};
