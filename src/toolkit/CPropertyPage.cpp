#include "toolkit/CPropertyPage.h"

#include "toolkit/CDataExchange.h"

CPropertyPage::CPropertyPage(const QString &caption, QWidget *parent)
    : QWidget(parent)
    , m_caption(caption)
{}

void CPropertyPage::OnSetActive()
{
    if (m_opened)
        return;
    m_opened = true;
    UpdateData(false);
}

bool CPropertyPage::UpdateData(bool saveAndValidate)
{
    CDataExchange dx(this, saveAndValidate);
    DoDataExchange(dx);
    return !dx.Failed();
}

void CPropertyPage::DoDataExchange(CDataExchange &) {}
