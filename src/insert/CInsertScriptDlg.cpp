#include "insert/CInsertScriptDlg.h"

#include "toolkit/CDataExchange.h"
#include "toolkit/QtBridge.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QVBoxLayout>

CInsertScriptDlg::CInsertScriptDlg(QWidget *parent)
    : CDialog(parent)
    , m_textEdit(new QPlainTextEdit(this))
    , m_kinds(new QButtonGroup(this))
{
    setWindowTitle(QStringLiteral("Insert Script"));
    m_textEdit->setObjectName(QStringLiteral("1016"));
    m_textEdit->setTabChangesFocus(true);
    m_textEdit->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_textEdit->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

    auto *group = new QGroupBox(QStringLiteral("Script"), this);
    auto *groupLayout = new QVBoxLayout(group);
    const struct
    {
        int kind;
        int id;
        const char *text;
    } kinds[] = {{CScriptObject::JavaScript, 1017, "&JavaScript"},
                 {CScriptObject::VBScript, 1018, "&VBScript"},
                 {CScriptObject::Html, 1029, "&HTML"}};
    for (const auto &kind : kinds) {
        auto *button = new QRadioButton(QString::fromLatin1(kind.text), group);
        button->setObjectName(QString::number(kind.id));
        m_kinds->addButton(button, kind.kind);
        groupLayout->addWidget(button);
    }

    // The text edit keeps Enter for its new lines; elsewhere Enter presses OK.
    auto *buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Vertical, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CInsertScriptDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CInsertScriptDlg::reject);

    auto *side = new QVBoxLayout;
    side->addWidget(group);
    side->addStretch(1);
    side->addWidget(buttons);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(m_textEdit, 1);
    layout->addLayout(side);
    resize(540, 280);
}

QRadioButton *CInsertScriptDlg::KindButton(int kind) const
{
    return qobject_cast<QRadioButton *>(m_kinds->button(kind));
}

CScriptObject CInsertScriptDlg::Script() const
{
    CScriptObject script;
    script.m_strText = fromQt(m_strText);
    script.m_nKind = m_nKind;
    return script;
}

void CInsertScriptDlg::DoDataExchange(CDataExchange &dx)
{
    if (dx.Failed())
        return;
    if (dx.SaveAndValidate()) {
        m_strText = m_textEdit->toPlainText();
        m_nKind = m_kinds->checkedId() < 0 ? CScriptObject::Html : m_kinds->checkedId();
        return;
    }
    m_textEdit->setPlainText(m_strText);
    if (QAbstractButton *button = m_kinds->button(m_nKind))
        button->setChecked(true);
    else if (QAbstractButton *html = m_kinds->button(CScriptObject::Html))
        html->setChecked(true);
}

void CInsertScriptDlg::OnInitDialog()
{
    m_textEdit->setFocus();
}
