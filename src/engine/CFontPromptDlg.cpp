#include "engine/CFontPromptDlg.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>

CFontPromptDlg::CFontPromptDlg(const Start &start, QWidget *parent)
    : QDialog(parent)
    , m_start(start)
    , m_face(new QFontComboBox(this))
    , m_size(new QComboBox(this))
    , m_bold(new QCheckBox(tr("&Bold"), this))
    , m_italic(new QCheckBox(tr("&Italic"), this))
    , m_underline(new QCheckBox(tr("&Underline"), this))
    , m_colourButton(new QPushButton(this))
    , m_color(start.color)
{
    setWindowTitle(tr("Font"));
    m_face->setEditable(true);
    m_face->setCurrentText(start.face);
    m_size->addItem(QString());
    static const char *const sizes[] = {"1 (8 pt)",  "2 (10 pt)", "3 (12 pt)", "4 (14 pt)",
                                        "5 (18 pt)", "6 (24 pt)", "7 (36 pt)"};
    for (const char *size : sizes)
        m_size->addItem(QString::fromLatin1(size));
    m_size->setCurrentIndex(start.size >= 1 && start.size <= 7 ? start.size : 0);
    for (auto [box, state] : {std::pair{m_bold, start.bold}, std::pair{m_italic, start.italic},
                              std::pair{m_underline, start.underline}}) {
        // Mixed text starts partly checked; a click makes it all on or all off.
        box->setTristate(state == Qt::PartiallyChecked);
        box->setCheckState(state);
        connect(box, &QCheckBox::stateChanged, box, [box] { box->setTristate(false); });
    }
    showColour();
    connect(m_colourButton, &QPushButton::clicked, this, [this] {
        auto *picker = new QColorDialog(this);
        picker->setAttribute(Qt::WA_DeleteOnClose);
        if (m_color >= 0)
            picker->setCurrentColor(
                QColor(m_color & 0xff, (m_color >> 8) & 0xff, (m_color >> 16) & 0xff));
        connect(picker, &QColorDialog::colorSelected, this, [this](const QColor &c) {
            m_color = c.red() | (c.green() << 8) | (c.blue() << 16);
            m_colourChosen = true;
            showColour();
        });
        picker->open();
    });

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *form = new QFormLayout;
    form->addRow(tr("&Font:"), m_face);
    form->addRow(tr("&Size:"), m_size);
    form->addRow(tr("Colour:"), m_colourButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_bold);
    layout->addWidget(m_italic);
    layout->addWidget(m_underline);
    layout->addWidget(buttons);
}

void CFontPromptDlg::showColour()
{
    if (m_color < 0) {
        m_colourButton->setText(tr("Automatic..."));
        return;
    }
    m_colourButton->setText(QStringLiteral("#%1%2%3...")
                                .arg(m_color & 0xff, 2, 16, QLatin1Char('0'))
                                .arg((m_color >> 8) & 0xff, 2, 16, QLatin1Char('0'))
                                .arg((m_color >> 16) & 0xff, 2, 16, QLatin1Char('0')));
}

QVariantMap CFontPromptDlg::Values() const
{
    QVariantMap values;
    const QString face = m_face->currentText().trimmed();
    if (!face.isEmpty() && face != m_start.face)
        values.insert(QStringLiteral("face"), face);
    if (m_size->currentIndex() > 0 && m_size->currentIndex() != m_start.size)
        values.insert(QStringLiteral("size"), m_size->currentIndex());
    const std::pair<QCheckBox *, Qt::CheckState> toggles[] = {
        {m_bold, m_start.bold}, {m_italic, m_start.italic}, {m_underline, m_start.underline}};
    const char *const keys[] = {"bold", "italic", "underline"};
    for (int i = 0; i < 3; ++i) {
        const Qt::CheckState now = toggles[i].first->checkState();
        if (now != Qt::PartiallyChecked && now != toggles[i].second)
            values.insert(QString::fromLatin1(keys[i]), now == Qt::Checked);
    }
    if (m_colourChosen)
        values.insert(QStringLiteral("color"), m_color);
    return values;
}
