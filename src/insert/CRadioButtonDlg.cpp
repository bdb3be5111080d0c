#include "insert/CRadioButtonDlg.h"

#include "insert/CRadioObject.h"
#include "toolkit/CDataExchange.h"
#include "toolkit/QtBridge.h"

#include <QRadioButton>

CRadioButtonDlg::CRadioButtonDlg(HtmlInserter insert, QWidget *parent)
    : CInsertObjectDlg(QStringLiteral("Add Radio Button"), QStringLiteral("Properties"),
                       std::move(insert), parent)
{
    m_groupEdit = AddEdit(1011, QStringLiteral("&Group:"));
    m_valueEdit = AddEdit(1003, QStringLiteral("&Value:"));
    // A lone radio button that is not exclusive toggles on every click, so it can be turned off
    // again.
    m_selected = new QRadioButton(QStringLiteral("&Selected"), Group());
    m_selected->setAutoExclusive(false);
    SetId(m_selected, 1072);
    AddRow(m_selected);
    resize(300, sizeHint().height());
}

void CRadioButtonDlg::DoDataExchange(CDataExchange &dx)
{
    DDX_Text(dx, m_groupEdit, m_strGroup);
    DDX_Text(dx, m_valueEdit, m_strValue);
    DDX_Check(dx, m_selected, m_bSelected);
}

std::unique_ptr<CHtmlObject> CRadioButtonDlg::BuildObject() const
{
    auto radio = std::make_unique<CRadioObject>();
    radio->m_strName = fromQt(m_strGroup);
    radio->m_strValue = fromQt(m_strValue);
    radio->m_bChecked = m_bSelected;
    return radio;
}
