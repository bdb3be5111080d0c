#include "toolkit/CPropertySheet.h"

#include "toolkit/CPropertyPage.h"

#include <QDialogButtonBox>
#include <QTabWidget>
#include <QVBoxLayout>

CPropertySheet::CPropertySheet(const QString &caption, QWidget *parent)
    : CDialog(parent)
    , m_tabs(new QTabWidget(this))
{
    setWindowTitle(caption);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CPropertySheet::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CPropertySheet::reject);
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int index) {
        if (index >= 0 && index < PageCount())
            Page(index)->OnSetActive();
    });
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(buttons);
}

void CPropertySheet::AddPage(CPropertyPage *page)
{
    m_pages.push_back(page);
    const QSignalBlocker blocker(m_tabs); // the first page opens when the sheet shows
    m_tabs->addTab(page, page->Caption());
}

void CPropertySheet::SetActivePage(int index)
{
    m_tabs->setCurrentIndex(index);
    if (index >= 0 && index < PageCount())
        Page(index)->OnSetActive();
}

void CPropertySheet::OnInitDialog()
{
    if (!m_pages.empty())
        SetActivePage(m_tabs->currentIndex() < 0 ? 0 : m_tabs->currentIndex());
}

void CPropertySheet::accept()
{
    for (int i = 0; i < PageCount(); ++i) {
        CPropertyPage *page = Page(i);
        if (page->WasOpened() && !page->UpdateData(true)) {
            m_tabs->setCurrentIndex(i);
            return;
        }
    }
    QDialog::accept();
}
