#pragma once

#include "toolkit/CDialog.h"

#include <QString>

#include <vector>

class CPropertyPage;
class QTabWidget;

// A tabbed dialog of property pages with OK and Cancel. OK saves every page that was opened and
// closes when all of them validated; Cancel changes nothing.
class CPropertySheet : public CDialog
{
    Q_OBJECT

public:
    explicit CPropertySheet(const QString &caption, QWidget *parent = nullptr);

    // The sheet takes the page; pages show in the order they were added.
    void AddPage(CPropertyPage *page);
    int PageCount() const { return static_cast<int>(m_pages.size()); }
    CPropertyPage *Page(int index) const { return m_pages.at(static_cast<size_t>(index)); }
    void SetActivePage(int index);
    QTabWidget *Tabs() const { return m_tabs; }

    void accept() override;

protected:
    void OnInitDialog() override;

private:
    QTabWidget *m_tabs;
    std::vector<CPropertyPage *> m_pages;
};
