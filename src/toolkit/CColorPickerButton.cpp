#include "toolkit/CColorPickerButton.h"

#include <QColorDialog>
#include <QFrame>
#include <QGridLayout>
#include <QPainter>
#include <QStyleOptionButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Five rows of eight, from dark to light; values as 0xRRGGBB.
constexpr std::uint32_t kPalette[CColorPickerButton::kPaletteSize] = {
    0x000000, 0x993300, 0x333300, 0x003300, 0x003366, 0x000080, 0x333399, 0x333333,
    0x800000, 0xFF6600, 0x808000, 0x008000, 0x008080, 0x0000FF, 0x666699, 0x808080,
    0xFF0000, 0xFF9900, 0x99CC00, 0x339966, 0x33CCCC, 0x3366FF, 0x800080, 0x969696,
    0xFF00FF, 0xFFCC00, 0xFFFF00, 0x00FF00, 0x00FFFF, 0x00CCFF, 0x993366, 0xC0C0C0,
    0xFF99CC, 0xFFCC99, 0xFFFF99, 0xCCFFCC, 0xCCFFFF, 0x99CCFF, 0xCC99FF, 0xFFFFFF,
};

QColor ToQColor(std::uint32_t colorRef)
{
    return QColor(int(colorRef & 0xFF), int((colorRef >> 8) & 0xFF), int((colorRef >> 16) & 0xFF));
}

std::uint32_t ToColorRef(const QColor &color)
{
    return std::uint32_t(color.red()) | std::uint32_t(color.green()) << 8 |
           std::uint32_t(color.blue()) << 16;
}

} // namespace

CColorPickerButton::CColorPickerButton(QWidget *parent)
    : QPushButton(parent)
    , m_color(0)
    , m_default(0)
{
    setMinimumWidth(90);
    connect(this, &QPushButton::clicked, this, &CColorPickerButton::ShowPopup);
    m_custom = [](QWidget *parent, std::uint32_t &color) {
        const QColor chosen = QColorDialog::getColor(ToQColor(color), parent);
        if (!chosen.isValid())
            return false;
        color = ToColorRef(chosen);
        return true;
    };
}

std::uint32_t CColorPickerButton::PaletteColor(int index)
{
    if (index < 0 || index >= kPaletteSize)
        return 0;
    const std::uint32_t rgb = kPalette[index];
    return (rgb >> 16 & 0xFF) | (rgb & 0xFF00) | (rgb & 0xFF) << 16;
}

void CColorPickerButton::SetColor(std::uint32_t color)
{
    m_color = color & 0xFFFFFF;
    update();
}

void CColorPickerButton::SetDefaultColor(std::uint32_t color)
{
    m_default = color & 0xFFFFFF;
    SetColor(m_default);
}

void CColorPickerButton::ShowPopup()
{
    ClosePopup();
    m_popup = new QFrame(this, Qt::Popup);
    m_popup->setObjectName(QStringLiteral("colorPopup"));
    m_popup->setAttribute(Qt::WA_DeleteOnClose);
    m_popup->setFrameShape(QFrame::StyledPanel);
    connect(m_popup, &QObject::destroyed, this, [this] { m_popup = nullptr; });
    auto *layout = new QVBoxLayout(m_popup);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    auto *makeDefault = new QToolButton(m_popup);
    makeDefault->setObjectName(QStringLiteral("default"));
    makeDefault->setText(QStringLiteral("Default"));
    makeDefault->setToolButtonStyle(Qt::ToolButtonTextOnly);
    makeDefault->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    makeDefault->setAutoRaise(true);
    connect(makeDefault, &QToolButton::clicked, this, &CColorPickerButton::ChooseDefault);
    layout->addWidget(makeDefault);
    auto *grid = new QGridLayout;
    grid->setSpacing(2);
    for (int i = 0; i < kPaletteSize; ++i) {
        auto *swatch = new QToolButton(m_popup);
        swatch->setObjectName(QStringLiteral("swatch%1").arg(i));
        swatch->setAutoRaise(true);
        swatch->setFixedSize(18, 18);
        const QColor color = ToQColor(PaletteColor(i));
        swatch->setToolTip(color.name());
        QPixmap chip(12, 12);
        chip.fill(color);
        QPainter frame(&chip);
        frame.setPen(Qt::gray);
        frame.drawRect(0, 0, 11, 11);
        frame.end();
        swatch->setIcon(QIcon(chip));
        swatch->setIconSize(chip.size());
        connect(swatch, &QToolButton::clicked, this, [this, i] { ChoosePalette(i); });
        grid->addWidget(swatch, i / 8, i % 8);
    }
    layout->addLayout(grid);
    auto *custom = new QToolButton(m_popup);
    custom->setObjectName(QStringLiteral("custom"));
    custom->setText(QStringLiteral("Custom..."));
    custom->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    custom->setAutoRaise(true);
    connect(custom, &QToolButton::clicked, this, &CColorPickerButton::ChooseCustom);
    layout->addWidget(custom);
    m_popup->adjustSize();
    m_popup->move(mapToGlobal(QPoint(0, height())));
    m_popup->show();
}

void CColorPickerButton::ClosePopup()
{
    if (m_popup) {
        QFrame *popup = m_popup;
        m_popup = nullptr;
        popup->close();
    }
}

void CColorPickerButton::Choose(std::uint32_t color)
{
    ClosePopup();
    SetColor(color);
    emit colorChosen();
}

void CColorPickerButton::ChoosePalette(int index)
{
    if (index >= 0 && index < kPaletteSize)
        Choose(PaletteColor(index));
}

void CColorPickerButton::ChooseDefault()
{
    Choose(m_default);
}

void CColorPickerButton::ChooseCustom()
{
    ClosePopup();
    std::uint32_t color = m_color;
    if (m_custom && m_custom(window(), color))
        Choose(color);
}

void CColorPickerButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    style()->drawControl(QStyle::CE_PushButton, &option, &painter, this);
    const QRect inner = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    // The colour fills the face left of the drop-down arrow; the default shows its name.
    const int arrow = inner.height();
    const QRect chip = inner.adjusted(2, 3, -arrow, -3);
    if (IsDefault()) {
        painter.setPen(palette().color(QPalette::ButtonText));
        painter.drawText(chip, Qt::AlignCenter, QStringLiteral("Default"));
    } else {
        painter.fillRect(chip, ToQColor(m_color));
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(chip.adjusted(0, 0, -1, -1));
    }
    QStyleOption arrowOption;
    arrowOption.initFrom(this);
    arrowOption.rect =
        QRect(inner.right() - arrow + 4, inner.top() + arrow / 4, arrow - 6, arrow / 2);
    style()->drawPrimitive(QStyle::PE_IndicatorArrowDown, &arrowOption, &painter, this);
}
