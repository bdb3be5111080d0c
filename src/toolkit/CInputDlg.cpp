#include "toolkit/CInputDlg.h"

#include "toolkit/CDataExchange.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CInputDlg::CInputDlg(const QString &title, const QString &text, QWidget *parent)
    : CDialog(parent)
    , m_text(text)
    , m_edit(new QLineEdit(this))
{
    setWindowTitle(title);
    m_edit->setObjectName(QStringLiteral("1028"));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &CInputDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CInputDlg::reject);
    connect(m_edit, &QLineEdit::textChanged, this, &CInputDlg::UpdateOk);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_edit);
    layout->addWidget(buttons);
    resize(340, layout->sizeHint().height());
}

void CInputDlg::DoDataExchange(CDataExchange &dx)
{
    DDX_Text(dx, m_edit, m_text);
}

void CInputDlg::OnInitDialog()
{
    m_edit->selectAll();
    m_edit->setFocus();
    UpdateOk();
}

void CInputDlg::UpdateOk()
{
    m_ok->setEnabled(!m_edit->text().isEmpty());
}
