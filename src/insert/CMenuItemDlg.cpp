#include "insert/CMenuItemDlg.h"

#include "toolkit/CDataExchange.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CMenuItemDlg::CMenuItemDlg(QWidget *parent)
    : CDialog(parent)
{
    setWindowTitle(QStringLiteral("Add / Edit Menu Item"));
    auto *group = new QGroupBox(QStringLiteral("Properties"), this);
    auto *form = new QFormLayout(group);
    m_itemEdit = new QLineEdit(group);
    m_itemEdit->setObjectName(QStringLiteral("1011"));
    m_valueEdit = new QLineEdit(group);
    m_valueEdit->setObjectName(QStringLiteral("1003"));
    m_selected = new QCheckBox(QStringLiteral("Selected"), group);
    m_selected->setObjectName(QStringLiteral("1086"));
    auto *itemText = new QLabel(QStringLiteral("&Item:"), group);
    itemText->setBuddy(m_itemEdit);
    auto *valueText = new QLabel(QStringLiteral("&Value:"), group);
    valueText->setBuddy(m_valueEdit);
    form->addRow(itemText, m_itemEdit);
    form->addRow(valueText, m_valueEdit);
    form->addRow(m_selected);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("1"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("2"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CMenuItemDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CMenuItemDlg::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
    resize(300, sizeHint().height());
}

void CMenuItemDlg::DoDataExchange(CDataExchange &dx)
{
    DDX_Text(dx, m_itemEdit, m_strItem);
    DDX_Text(dx, m_valueEdit, m_strValue);
    DDX_Check(dx, m_selected, m_bSelected);
}

void CMenuItemDlg::OnInitDialog()
{
    m_itemEdit->selectAll();
    m_itemEdit->setFocus();
}
