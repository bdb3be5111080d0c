#include "frame/CSaveOnExitDlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CSaveOnExitDlg::CSaveOnExitDlg(const QString &path, QWidget *parent)
    : CDialog(parent)
    , m_question(QStringLiteral("Would you like to save") + QLatin1Char(' ') + path +
                 QLatin1Char('?'))
{
    setWindowTitle(QStringLiteral("Save on Exit"));
    auto *label = new QLabel(m_question, this);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);

    auto *row = new QHBoxLayout;
    const struct
    {
        Answer answer;
        const char *text;
    } buttons[] = {{Yes, "&Yes"},
                   {YesToAll, "Yes to &all"},
                   {No, "&No"},
                   {NoToAll, "No to all"},
                   {Cancel, "Cancel"}};
    for (const auto &button : buttons) {
        auto *push = new QPushButton(QString::fromUtf8(button.text), this);
        m_buttons[button.answer] = push;
        const int answer = button.answer;
        connect(push, &QPushButton::clicked, this, [this, answer] { done(answer); });
        row->addWidget(push);
    }
    m_buttons[YesToAll]->setDefault(true);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addLayout(row);
}

QPushButton *CSaveOnExitDlg::Button(Answer answer) const
{
    return m_buttons[answer];
}
