#include "insert/CInsertObjectDlg.h"

#include "insert/CHtmlObject.h"
#include "toolkit/QtBridge.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CInsertObjectDlg::CInsertObjectDlg(const QString &title, const QString &groupTitle,
                                   HtmlInserter insert, QWidget *parent)
    : CDialog(parent)
    , m_insert(std::move(insert))
    , m_group(new QGroupBox(groupTitle, this))
    , m_form(new QFormLayout(m_group))
{
    setWindowTitle(title);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    SetId(m_ok, 1);
    SetId(buttons->button(QDialogButtonBox::Cancel), 2);
    connect(buttons, &QDialogButtonBox::accepted, this, &CInsertObjectDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CInsertObjectDlg::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_group);
    layout->addWidget(buttons);
}

QWidget *CInsertObjectDlg::Group() const
{
    return m_group;
}

void CInsertObjectDlg::SetId(QWidget *control, int id)
{
    control->setObjectName(QString::number(id));
}

QLineEdit *CInsertObjectDlg::AddEdit(int id, const QString &label)
{
    auto *edit = new QLineEdit(m_group);
    SetId(edit, id);
    auto *text = new QLabel(label, m_group);
    text->setBuddy(edit);
    m_form->addRow(text, edit);
    return edit;
}

void CInsertObjectDlg::AddRow(QWidget *widget)
{
    m_form->addRow(widget);
}

void CInsertObjectDlg::accept()
{
    if (!UpdateData(true))
        return;
    const std::unique_ptr<CHtmlObject> object = BuildObject();
    if (!object || !object->IsValid())
        return;
    if (m_insert)
        m_insert(toQt(object->GetHtml()));
    QDialog::accept();
}
