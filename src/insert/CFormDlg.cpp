#include "insert/CFormDlg.h"

#include "insert/CFormObject.h"
#include "toolkit/CDataExchange.h"
#include "toolkit/QtBridge.h"

CFormDlg::CFormDlg(HtmlInserter insert, QWidget *parent)
    : CInsertObjectDlg(QStringLiteral("Form Design"), QStringLiteral("Properties:"),
                       std::move(insert), parent)
{
    m_nameEdit = AddEdit(1011, QStringLiteral("&Name:"));
    m_actionEdit = AddEdit(1012, QStringLiteral("&Action:"));
    m_methodEdit = AddEdit(1013, QStringLiteral("&Method:"));
    resize(320, sizeHint().height());
}

void CFormDlg::DoDataExchange(CDataExchange &dx)
{
    DDX_Text(dx, m_nameEdit, m_strName);
    DDX_Text(dx, m_actionEdit, m_strAction);
    DDX_Text(dx, m_methodEdit, m_strMethod);
}

std::unique_ptr<CHtmlObject> CFormDlg::BuildObject() const
{
    auto form = std::make_unique<CFormObject>();
    form->m_strName = fromQt(m_strName);
    form->m_strAction = fromQt(m_strAction);
    form->m_strMethod = fromQt(m_strMethod);
    return form;
}
