#include "insert/CBrowseEdit.h"

#include "insert/CPreviewDlg.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>

CBrowseEdit::CBrowseEdit(QWidget *parent)
    : QWidget(parent)
    , m_edit(new QLineEdit(this))
    , m_button(new QToolButton(this))
{
    m_button->setText(QStringLiteral("..."));
    m_button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_button->setFocusPolicy(Qt::TabFocus);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_edit, 1);
    layout->addWidget(m_button);
    setFocusProxy(m_edit);
    connect(m_edit, &QLineEdit::textChanged, this, &CBrowseEdit::textChanged);
    connect(m_button, &QToolButton::clicked, this, &CBrowseEdit::Browse);
}

QString CBrowseEdit::Text() const
{
    return m_edit->text();
}

void CBrowseEdit::SetText(const QString &text)
{
    m_edit->setText(text);
}

void CBrowseEdit::Browse()
{
    CPreviewDlg dialog(true, QString(), QString(), Filter(), window());
    dialog.SetFolder(m_startFolder);
    if (dialog.DoModal() != QDialog::Accepted)
        return;
    const QString path = dialog.GetPathName();
    if (path.isEmpty())
        return;
    m_edit->setText(path);
    emit fileChosen(path);
}
