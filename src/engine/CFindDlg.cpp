#include "engine/CFindDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

CFindDlg::CFindDlg(QWidget *parent)
    : QDialog(parent)
    , m_text(new QLineEdit(this))
    , m_matchCase(new QCheckBox(tr("Match &case"), this))
    , m_wrap(new QCheckBox(tr("&Wrap around"), this))
    , m_up(new QRadioButton(tr("&Up"), this))
    , m_status(new QLabel(this))
{
    setWindowTitle(tr("Find"));
    auto *label = new QLabel(tr("Fi&nd what:"), this);
    label->setBuddy(m_text);
    auto *down = new QRadioButton(tr("&Down"), this);
    down->setChecked(true);
    m_wrap->setChecked(true);
    auto *direction = new QGroupBox(tr("Direction"), this);
    auto *directionLayout = new QHBoxLayout(direction);
    directionLayout->addWidget(m_up);
    directionLayout->addWidget(down);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *next = buttons->addButton(tr("&Find Next"), QDialogButtonBox::ActionRole);
    next->setDefault(true);
    buttons->addButton(QDialogButtonBox::Close);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(next, &QPushButton::clicked, this, [this] {
        if (m_text->text().isEmpty())
            return;
        m_status->clear();
        emit findRequested(Options());
    });
    connect(m_text, &QLineEdit::textChanged, this,
            [next](const QString &text) { next->setEnabled(!text.isEmpty()); });
    next->setEnabled(false);

    auto *row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(m_text, 1);
    auto *options = new QHBoxLayout;
    auto *checks = new QVBoxLayout;
    checks->addWidget(m_matchCase);
    checks->addWidget(m_wrap);
    options->addLayout(checks);
    options->addWidget(direction);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(options);
    layout->addWidget(m_status);
    layout->addWidget(buttons);
}

void CFindDlg::SetText(const QString &text)
{
    m_text->setText(text);
    m_text->selectAll();
}

QVariantMap CFindDlg::Options() const
{
    return {{QStringLiteral("text"), m_text->text()},
            {QStringLiteral("matchCase"), m_matchCase->isChecked()},
            {QStringLiteral("backwards"), m_up->isChecked()},
            {QStringLiteral("wrap"), m_wrap->isChecked()}};
}

void CFindDlg::ShowResult(bool found)
{
    m_status->setText(found ? QString() : tr("The text was not found."));
}
