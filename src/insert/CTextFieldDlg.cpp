#include "insert/CTextFieldDlg.h"

#include "insert/CTextFieldObject.h"
#include "toolkit/CDataExchange.h"
#include "toolkit/QtBridge.h"

#include <QCheckBox>
#include <QLineEdit>

CTextFieldDlg::CTextFieldDlg(HtmlInserter insert, QWidget *parent)
    : CInsertObjectDlg(QStringLiteral("Add Text Field"), QStringLiteral("Properties"),
                       std::move(insert), parent)
{
    m_nameEdit = AddEdit(1011, QStringLiteral("&Name:"));
    m_textEdit = AddEdit(1003, QStringLiteral("&Text:"));
    m_password = new QCheckBox(QStringLiteral("Password"), Group());
    SetId(m_password, 1074);
    AddRow(m_password);
    m_widthEdit = AddEdit(1004, QStringLiteral("&Characters per line:"));
    m_linesEdit = AddEdit(1005, QStringLiteral("&Number of Lines:"));
    resize(320, sizeHint().height());
}

void CTextFieldDlg::DoDataExchange(CDataExchange &dx)
{
    DDX_Check(dx, m_password, m_bPassword);
    DDX_Text(dx, m_nameEdit, m_strName);
    DDX_Text(dx, m_textEdit, m_strText);
    DDX_Text(dx, m_widthEdit, m_nWidth);
    DDV_MinMaxInt(dx, m_widthEdit, m_nWidth, 0, 200);
    DDX_Text(dx, m_linesEdit, m_nLines);
    DDV_MinMaxInt(dx, m_linesEdit, m_nLines, 1, 100);
}

std::unique_ptr<CHtmlObject> CTextFieldDlg::BuildObject() const
{
    auto field = std::make_unique<CTextFieldObject>();
    field->m_strName = fromQt(m_strName);
    field->m_strText = fromQt(m_strText);
    field->m_bPassword = m_bPassword;
    field->m_nWidth = m_nWidth;
    field->m_nLines = m_nLines;
    return field;
}
