#include "insert/CFormButtonDlg.h"

#include "insert/CFormButtonObject.h"
#include "toolkit/CDataExchange.h"
#include "toolkit/QtBridge.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QRadioButton>

CFormButtonDlg::CFormButtonDlg(HtmlInserter insert, QWidget *parent)
    : CInsertObjectDlg(QStringLiteral("Add Form Button"), QStringLiteral("Properties"),
                       std::move(insert), parent)
{
    m_nameEdit = AddEdit(1011, QStringLiteral("&Name:"));
    m_labelEdit = AddEdit(1003, QStringLiteral("&Label:"));
    const QString texts[3] = {QStringLiteral("Nor&mal"), QStringLiteral("&Submit"),
                              QStringLiteral("&Reset")};
    auto *row = new QHBoxLayout;
    for (int i = 0; i < 3; ++i) {
        m_types[i] = new QRadioButton(texts[i], Group());
        SetId(m_types[i], 1072 + i);
        row->addWidget(m_types[i]);
        connect(m_types[i], &QRadioButton::clicked, this, [this, i] { OnType(i); });
    }
    row->addStretch();
    Form()->addRow(row);
    resize(320, sizeHint().height());
}

void CFormButtonDlg::DoDataExchange(CDataExchange &dx)
{
    DDX_Text(dx, m_nameEdit, m_strName);
    DDX_Text(dx, m_labelEdit, m_strLabel);
    if (dx.SaveAndValidate()) {
        for (int i = 0; i < 3; ++i) {
            if (m_types[i]->isChecked())
                m_nType = i;
        }
    } else {
        m_types[m_nType >= 0 && m_nType < 3 ? m_nType : 0]->setChecked(true);
    }
}

void CFormButtonDlg::OnType(int index)
{
    UpdateData(true);
    m_strLabel = QString::fromLatin1(CFormButtonObject::TypeForIndex(index));
    UpdateData(false);
}

std::unique_ptr<CHtmlObject> CFormButtonDlg::BuildObject() const
{
    auto button = std::make_unique<CFormButtonObject>();
    button->m_strName = fromQt(m_strName);
    button->m_strLabel = fromQt(m_strLabel);
    button->m_strType = CFormButtonObject::TypeForIndex(m_nType);
    return button;
}
