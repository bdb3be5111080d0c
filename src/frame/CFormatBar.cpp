#include "frame/CFormatBar.h"

#include "frame/ToolBars.h"
#include "toolkit/CMDIFrameWnd.h"
#include "toolkit/CommandIds.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QStyle>

#include <algorithm>

// Each drop-down sits on a placeholder of the given width; the second and third start 5 pixels
// further right than their placeholder. A list whose entries must show whole (the block formats)
// gets a wider placeholder when the font in use needs it.
static QWidget *Holder(QComboBox *list, int width, int leftGap, QWidget *parent,
                       bool fitEntries = false)
{
    auto *holder = new QWidget(parent);
    auto *layout = new QHBoxLayout(holder);
    layout->setContentsMargins(leftGap, 0, 0, 0);
    layout->addWidget(list);
    if (fitEntries) {
        int longest = 0;
        for (int i = 0; i < list->count(); ++i)
            longest = std::max(longest, int(list->itemText(i).size()));
        list->setMinimumContentsLength(longest);
        list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        width = std::max(width, leftGap + list->minimumSizeHint().width());
    }
    holder->setFixedWidth(width);
    return holder;
}

CFormatBar::CFormatBar(CMDIFrameWnd *frame, QWidget *parent)
    : QToolBar(QStringLiteral("Format Bar"), parent)
    , m_blockFormat(new QComboBox(this))
    , m_fontName(new QComboBox(this))
    , m_fontSize(new QComboBox(this))
{
    setObjectName(QStringLiteral("formatBar"));
    setIconSize(QSize(16, 16));

    m_blockFormat->setObjectName(QStringLiteral("136"));
    m_blockFormat->setEditable(true);
    m_blockFormat->setInsertPolicy(QComboBox::NoInsert);
    m_blockFormat->addItems(
        {QStringLiteral("Normal"), QStringLiteral("Heading 1"), QStringLiteral("Heading 2"),
         QStringLiteral("Heading 3"), QStringLiteral("Heading 4"), QStringLiteral("Heading 5"),
         QStringLiteral("Heading 6"), QStringLiteral("Formatted"), QStringLiteral("Address")});

    m_fontName->setObjectName(QStringLiteral("32823"));
    m_fontName->setEditable(true);
    m_fontName->setInsertPolicy(QComboBox::NoInsert);
    QStringList families = QFontDatabase::families();
    std::sort(families.begin(), families.end(), [](const QString &a, const QString &b) {
        const int folded = a.compare(b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a < b;
    });
    families.erase(std::unique(families.begin(), families.end()), families.end());
    m_fontName->addItems(families);
    // The box itself stays 150 pixels wide; its list is as wide as the longest name, so that
    // no name is cut ("DejaVu Sans Condensed").
    int widest = 0;
    const QFontMetrics metrics(m_fontName->view()->font());
    for (const QString &family : std::as_const(families))
        widest = std::max(widest, metrics.horizontalAdvance(family));
    m_fontName->view()->setTextElideMode(Qt::ElideNone);
    m_fontName->view()->setMinimumWidth(
        widest + 2 * metrics.averageCharWidth() +
        m_fontName->style()->pixelMetric(QStyle::PM_ScrollBarExtent));

    m_fontSize->setObjectName(QStringLiteral("32824"));
    m_fontSize->setEditable(false);
    m_fontSize->addItems({QStringLiteral("8"), QStringLiteral("10"), QStringLiteral("12"),
                          QStringLiteral("14"), QStringLiteral("18"), QStringLiteral("24"),
                          QStringLiteral("36")});

    addWidget(Holder(m_blockFormat, 80, 0, this, true));
    addWidget(Holder(m_fontName, 150, 5, this));
    addWidget(Holder(m_fontSize, 50, 5, this));

    const auto route = [frame](int id) {
        return [frame, id](int index) {
            if (index >= 0)
                frame->RouteCommand(id);
        };
    };
    connect(m_blockFormat, &QComboBox::activated, this, route(cmd::BlockFormatList));
    connect(m_fontName, &QComboBox::activated, this, route(cmd::FontNameList));
    connect(m_fontSize, &QComboBox::activated, this, route(cmd::FontSizeList));

    addSeparator();
    AddCommandButtons(this, frame,
                      {cmd::Bold, cmd::Italic, cmd::Underline, 0, cmd::AlignLeft, cmd::Center,
                       cmd::AlignRight, 0, cmd::BulletList, cmd::NumberList, 0, cmd::DecreaseIndent,
                       cmd::IncreaseIndent, 0, cmd::FontColor, cmd::FontDialog});
    ClearAndDisable();
}

void CFormatBar::ClearSelections()
{
    for (QComboBox *list : {m_blockFormat, m_fontName, m_fontSize}) {
        list->setCurrentIndex(-1);
        if (list->lineEdit())
            list->lineEdit()->clear();
    }
}

void CFormatBar::SetListsEnabled(bool enabled)
{
    for (QComboBox *list : {m_blockFormat, m_fontName, m_fontSize})
        list->setEnabled(enabled);
}

void CFormatBar::ClearAndDisable()
{
    ClearSelections();
    SetListsEnabled(false);
}

QWidget *CFormatBar::ButtonOf(int id) const
{
    for (QAction *action : actions()) {
        if (CMDIFrameWnd::CommandIdOf(action) == id)
            return widgetForAction(action);
    }
    return nullptr;
}
