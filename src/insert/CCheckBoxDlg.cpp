#include "insert/CCheckBoxDlg.h"

#include "insert/CCheckBoxObject.h"
#include "toolkit/CDataExchange.h"
#include "toolkit/QtBridge.h"

#include <QCheckBox>

CCheckBoxDlg::CCheckBoxDlg(HtmlInserter insert, QWidget *parent)
    : CInsertObjectDlg(QStringLiteral("Add CheckBox"), QStringLiteral("Properties"),
                       std::move(insert), parent)
{
    m_nameEdit = AddEdit(1011, QStringLiteral("&Name:"));
    m_valueEdit = AddEdit(1003, QStringLiteral("&Value:"));
    m_checked = new QCheckBox(QStringLiteral("&Checked"), Group());
    SetId(m_checked, 1071);
    AddRow(m_checked);
    resize(300, sizeHint().height());
}

void CCheckBoxDlg::DoDataExchange(CDataExchange &dx)
{
    DDX_Text(dx, m_nameEdit, m_strName);
    DDX_Text(dx, m_valueEdit, m_strValue);
    DDX_Check(dx, m_checked, m_bChecked);
}

std::unique_ptr<CHtmlObject> CCheckBoxDlg::BuildObject() const
{
    auto box = std::make_unique<CCheckBoxObject>();
    box->m_strName = fromQt(m_strName);
    box->m_strValue = fromQt(m_strValue);
    box->m_bChecked = m_bChecked;
    return box;
}
