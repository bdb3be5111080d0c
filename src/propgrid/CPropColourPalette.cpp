#include "propgrid/CPropColourPalette.h"

#include "propgrid/CPropColourCombo.h"
#include "propgrid/PropStrings.h"

#include <QGridLayout>
#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QIcon SwatchIcon(PropColorRef colour, const QPalette &palette)
{
    QPixmap pixmap(14, 14);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    DrawColourSwatch(painter, pixmap.rect(), colour, palette);
    return QIcon(pixmap);
}

} // namespace

CPropColourPalette::CPropColourPalette(PropColorRef current, MoreColours more, QWidget *parent)
    : QFrame(parent, Qt::Popup)
    , m_moreColours(std::move(more))
    , m_current(current)
{
    setObjectName(QStringLiteral("colourPalette"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFrameShape(QFrame::StyledPanel);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(3, 3, 3, 3);
    layout->setSpacing(2);

    m_automatic = new QToolButton;
    m_automatic->setText(QString::fromStdString(PropString(propstr::Automatic)));
    m_automatic->setIcon(SwatchIcon(PropColorAutomatic, palette()));
    m_automatic->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_automatic->setCheckable(true);
    m_automatic->setChecked(current == PropColorAutomatic);
    m_automatic->setAutoRaise(true);
    m_automatic->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    connect(m_automatic, &QToolButton::clicked, this, [this] { Choose(PropColorAutomatic); });
    layout->addWidget(m_automatic);

    auto *grid = new QGridLayout;
    grid->setSpacing(1);
    const auto &colours = PanelColours();
    bool marked = false;
    for (int i = 0; i < int(colours.size()); ++i) {
        auto *button = new QToolButton;
        button->setIcon(SwatchIcon(colours[i], palette()));
        button->setAutoRaise(true);
        button->setCheckable(true);
        const QColor c = ToQColor(colours[i]);
        button->setToolTip(QStringLiteral("%1.%2.%3").arg(c.red()).arg(c.green()).arg(c.blue()));
        // The current colour is marked once, on its first entry.
        if (!marked && colours[i] == current) {
            button->setChecked(true);
            marked = true;
        }
        const PropColorRef colour = colours[i];
        connect(button, &QToolButton::clicked, this, [this, colour] { Choose(colour); });
        grid->addWidget(button, i / 5, i % 5);
        m_buttons.append(button);
    }
    layout->addLayout(grid);

    m_more = new QToolButton;
    m_more->setText(QString::fromStdString(PropString(propstr::MoreColors)));
    m_more->setAutoRaise(true);
    m_more->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    connect(m_more, &QToolButton::clicked, this, [this] {
        PropColorRef chosen = m_current;
        hide();
        if (m_moreColours && m_moreColours(m_current, chosen))
            emit this->chosen(chosen);
        close();
    });
    layout->addWidget(m_more);
}

QToolButton *CPropColourPalette::ColourButton(int index) const
{
    return index >= 0 && index < m_buttons.size() ? m_buttons.at(index) : nullptr;
}

void CPropColourPalette::Choose(PropColorRef colour)
{
    emit chosen(colour);
    close();
}
