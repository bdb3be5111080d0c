#include "propgrid/CPropColourCombo.h"

#include "propgrid/CPropFontValue.h"
#include "propgrid/PropStrings.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QStylePainter>
#include <QStyledItemDelegate>

const std::array<PropColorRef, 19> &PanelColours()
{
    static constexpr auto rgb = [](int r, int g, int b) { return r | g << 8 | b << 16; };
    static const std::array<PropColorRef, 19> colours = {
        rgb(0, 0, 0),       rgb(255, 255, 255), rgb(128, 128, 128), rgb(192, 192, 192),
        rgb(128, 0, 0),     rgb(255, 0, 0),     rgb(128, 128, 0),   rgb(255, 255, 0),
        rgb(0, 128, 0),     rgb(0, 255, 0),     rgb(0, 128, 128),   rgb(0, 255, 255),
        rgb(0, 0, 128),     rgb(0, 0, 255),     rgb(128, 0, 128),   rgb(255, 0, 255),
        rgb(128, 255, 128), rgb(128, 255, 255), rgb(255, 255, 128),
    };
    return colours;
}

QColor ToQColor(PropColorRef colour)
{
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

PropColorRef FromQColor(const QColor &colour)
{
    return colour.red() | colour.green() << 8 | colour.blue() << 16;
}

void DrawColourSwatch(QPainter &painter, const QRect &rect, PropColorRef colour,
                      const QPalette &palette)
{
    const QColor frame = palette.color(QPalette::ButtonText);
    if (colour == PropColorAutomatic)
        painter.fillRect(rect, QBrush(frame, Qt::DiagCrossPattern));
    else
        painter.fillRect(rect, ToQColor(colour));
    painter.setPen(frame);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
}

namespace {

QFont DefaultPanelFont(const QFont &base)
{
    // The face of the default font is a Windows one; its size and weight are kept.
    CPropFontValue value;
    QFont font = base;
    if (value.SetFromStringId(propstr::DefaultFont)) {
        if (value.m_lf.lfHeight != 0)
            font.setPixelSize(std::abs(value.m_lf.lfHeight));
        font.setBold(value.m_lf.lfWeight >= 700);
    }
    return font;
}

class SwatchDelegate : public QStyledItemDelegate
{
public:
    SwatchDelegate(CPropColourCombo *combo, const int *height)
        : QStyledItemDelegate(combo)
        , m_combo(combo)
        , m_height(height)
    {}
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        const PropColorRef colour = index.data(Qt::UserRole).toInt();
        const QRect r = option.rect.adjusted(1, 1, -1, -1);
        if (colour == PropColorAutomatic) {
            painter->fillRect(r, option.palette.color(QPalette::Base));
            painter->setFont(DefaultPanelFont(m_combo->font()));
            painter->setPen(option.palette.color(QPalette::Text));
            painter->drawText(r, Qt::AlignCenter,
                              QString::fromStdString(PropString(propstr::Automatic)));
        } else {
            painter->fillRect(r, ToQColor(colour));
        }
        if (option.state & (QStyle::State_HasFocus | QStyle::State_Selected)) {
            painter->setPen(QPen(option.palette.color(QPalette::Highlight), 1, Qt::DotLine));
            painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
        }
    }
    QSize sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const override
    {
        return QSize(m_combo->width(), *m_height);
    }

private:
    CPropColourCombo *m_combo;
    const int *m_height;
};

} // namespace

CPropColourCombo::CPropColourCombo(QWidget *parent)
    : QComboBox(parent)
{
    setObjectName(QStringLiteral("27649"));
    setItemDelegate(new SwatchDelegate(this, &m_entryHeight));
    addItem(QString::fromStdString(PropString(propstr::Automatic)), PropColorAutomatic);
    for (PropColorRef colour : PanelColours())
        addItem(QString(), colour);
}

void CPropColourCombo::SetEntryHeight(int height)
{
    m_entryHeight = std::max(4, height);
}

void CPropColourCombo::SelectColour(PropColorRef colour)
{
    setCurrentIndex(findData(colour));
}

PropColorRef CPropColourCombo::SelectedColour() const
{
    return itemData(currentIndex() >= 0 ? currentIndex() : 0).toInt();
}

void CPropColourCombo::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect field =
        style()
            ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this)
            .adjusted(1, 1, -1, -1);
    if (!isEnabled()) {
        painter.fillRect(field, palette().color(QPalette::Button));
        return;
    }
    const int index = currentIndex();
    const PropColorRef colour = index >= 0 ? itemData(index).toInt() : PropColorAutomatic;
    if (index < 0 || colour == PropColorAutomatic) {
        painter.fillRect(field, palette().color(QPalette::Base));
        painter.setFont(DefaultPanelFont(font()));
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(field, Qt::AlignCenter,
                         QString::fromStdString(
                             PropString(index < 0 ? propstr::MultiValued : propstr::Automatic)));
    } else {
        painter.fillRect(field, ToQColor(colour));
    }
}
