#include "page/CFontColorMenu.h"

#include "toolkit/CommandIds.h"

#include <QActionGroup>
#include <QApplication>
#include <QPainter>
#include <QPalette>
#include <QProxyStyle>
#include <QStyleOptionMenuItem>

namespace {

struct NamedColor
{
    const char *name;
    int rgb; // 0xRRGGBB as written in HTML
};

constexpr NamedColor kColors[16] = {
    {"Black", 0x000000},  {"Maroon", 0x800000},  {"Green", 0x008000}, {"Olive", 0x808000},
    {"Navy", 0x000080},   {"Purple", 0x800080},  {"Teal", 0x008080},  {"Gray", 0x808080},
    {"Silver", 0xC0C0C0}, {"Red", 0xFF0000},     {"Lime", 0x00FF00},  {"Yellow", 0xFFFF00},
    {"Blue", 0x0000FF},   {"Fuchsia", 0xFF00FF}, {"Aqua", 0x00FFFF},  {"White", 0xFFFFFF},
};

std::int32_t RedLow(const QColor &color)
{
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}

QColor FromRedLow(std::int32_t value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

// Draws the items itself: highlight with a focus rectangle, radio mark, swatch and name.
class ColorItemStyle : public QProxyStyle
{
public:
    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget) const override
    {
        const auto *item = qstyleoption_cast<const QStyleOptionMenuItem *>(option);
        if (element != CE_MenuItem || !item ||
            item->menuItemType == QStyleOptionMenuItem::Separator) {
            QProxyStyle::drawControl(element, option, painter, widget);
            return;
        }
        const QRect r = item->rect;
        const bool selected = item->state & State_Selected;
        const QPalette &palette = item->palette;
        painter->save();
        painter->fillRect(r, selected ? palette.highlight() : palette.base());
        if (selected) {
            // A dotted frame inside the highlight; the style's own focus frame may be drawn in
            // the highlight colour and vanish there.
            painter->setPen(QPen(palette.color(QPalette::HighlightedText), 1, Qt::DotLine));
            painter->setBrush(Qt::NoBrush);
            painter->drawRect(r.adjusted(1, 1, -2, -2));
        }
        const int h = r.height();
        if (item->checked) {
            painter->setRenderHint(QPainter::Antialiasing);
            painter->setPen(Qt::NoPen);
            painter->setBrush(selected ? palette.highlightedText() : palette.text());
            painter->drawEllipse(QPointF(r.left() + h / 2.0, r.center().y() + 0.5), 3, 3);
            painter->setRenderHint(QPainter::Antialiasing, false);
        }
        const QRect swatch(r.left() + h, r.top() + 3, 2 * (h - 6), h - 6);
        painter->setPen(palette.color(QPalette::Text));
        const auto *menu = qobject_cast<const QMenu *>(widget);
        const QAction *action = menu ? menu->actionAt(r.center()) : nullptr;
        const int index = action ? action->data().toInt() - cmd::FontColorFirst : -1;
        painter->setBrush(index >= 0 ? QBrush(FromRedLow(CFontColorMenu::ColorValue(index)))
                                     : QBrush());
        painter->drawRect(swatch.adjusted(0, 0, -1, -1));
        painter->setPen(selected ? palette.color(QPalette::HighlightedText)
                                 : palette.color(QPalette::Text));
        const QRect text(swatch.right() + 6, r.top(), r.right() - swatch.right() - 6, h);
        painter->drawText(text, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextShowMnemonic,
                          item->text);
        painter->restore();
    }

    QSize sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &size,
                           const QWidget *widget) const override
    {
        QSize result = QProxyStyle::sizeFromContents(type, option, size, widget);
        if (type == CT_MenuItem) {
            result.setHeight(qMax(result.height(), 20));
            result.setWidth(result.width() + 2 * (result.height() - 6) + 12); // the swatch
        }
        return result;
    }
};

} // namespace

CFontColorMenu::CFontColorMenu(std::int32_t current, QWidget *parent)
    : QMenu(parent)
{
    auto *style = new ColorItemStyle;
    style->setParent(this);
    setStyle(style);
    auto *group = new QActionGroup(this);
    group->setExclusive(true);
    const int marked = MarkedIndex(current);
    for (int i = 0; i < kItemCount; ++i) {
        QAction *action = addAction(ColorName(i));
        action->setData(cmd::FontColorFirst + i);
        action->setCheckable(true);
        action->setChecked(i == marked);
        group->addAction(action);
    }
}

QString CFontColorMenu::ColorName(int index)
{
    if (index == kAutomaticIndex)
        return QStringLiteral("Automatic");
    return index >= 0 && index < 16 ? QString::fromLatin1(kColors[index].name) : QString();
}

std::int32_t CFontColorMenu::ColorValue(int index)
{
    if (index == kAutomaticIndex)
        return RedLow(QApplication::palette().color(QPalette::WindowText));
    if (index < 0 || index >= 16)
        return 0;
    const int rgb = kColors[index].rgb;
    return ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
}

int CFontColorMenu::MarkedIndex(std::int32_t current)
{
    if (current == -1)
        return kAutomaticIndex;
    for (int i = 0; i < kItemCount; ++i) {
        if ((ColorValue(i) & 0xFFFFFF) == (current & 0xFFFFFF))
            return i;
    }
    return -1;
}

int CFontColorMenu::CheckedIndex() const
{
    const QList<QAction *> items = actions();
    for (int i = 0; i < items.size(); ++i) {
        if (items.at(i)->isChecked())
            return i;
    }
    return -1;
}
