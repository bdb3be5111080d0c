#include "frame/CTandemTabViewBar.h"

#include "frame/CommandIcons.h"
#include "propgrid/CPropPanel.h"

#include <QLabel>
#include <QProxyStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

// Narrower tabs: the three tabs with their pictures then fit the bar's 250 pixels.
class CompactTabStyle : public QProxyStyle
{
public:
    int pixelMetric(PixelMetric metric, const QStyleOption *option,
                    const QWidget *widget) const override
    {
        if (metric == PM_TabBarTabHSpace)
            return 10;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

} // namespace

static QWidget *Placeholder(const QString &text)
{
    auto *label = new QLabel(text);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignCenter);
    label->setMargin(12);
    return label;
}

CTandemTabViewBar::CTandemTabViewBar(QWidget *parent)
    : QDockWidget(QStringLiteral("Project"), parent)
    , m_tabs(new QTabWidget)
    , m_propertyPanel(new CPropPanel)
{
    setObjectName(QStringLiteral("101"));
    setAllowedAreas(Qt::AllDockWidgetAreas);
    m_tabs->setObjectName(QStringLiteral("59648"));
    // Never hide a tab behind scroll buttons: with small pictures and narrow tabs all three fit
    // the bar's width, and on a large font the bar widens instead.
    auto *style = new CompactTabStyle;
    style->setParent(m_tabs);
    m_tabs->tabBar()->setStyle(style);
    m_tabs->setIconSize(QSize(12, 12));
    m_tabs->setUsesScrollButtons(false);
    m_tabs->setElideMode(Qt::ElideNone);
    m_tabs->addTab(m_propertyPanel, BundledIcon(QStringLiteral("tab-properties")),
                   QStringLiteral("Properties"));
    m_tabs->addTab(Placeholder(QStringLiteral("The clip-art gallery (images, sounds, animations "
                                              "and videos to insert into the page) will be "
                                              "shown here.")),
                   BundledIcon(QStringLiteral("tab-media")), QStringLiteral("Media"));
    m_tabs->addTab(Placeholder(QStringLiteral("The ready-made page objects, by category, will "
                                              "be listed here.")),
                   BundledIcon(QStringLiteral("tab-objects")), QStringLiteral("Objects"));
    m_tabs->setCurrentIndex(MediaTab);

    auto *holder = new QWidget;
    auto *layout = new QVBoxLayout(holder);
    layout->addWidget(m_tabs);
    setWidget(holder);
    UpdateMargins();
    connect(this, &QDockWidget::topLevelChanged, this, &CTandemTabViewBar::UpdateMargins);
}

void CTandemTabViewBar::UpdateMargins()
{
    // Floating: the tabs fill the bar less 2 pixels all round; docked: less 4, moved 2 up-left.
    const int m = isFloating() ? 2 : 4;
    widget()->layout()->setContentsMargins(isFloating() ? m : m - 2, isFloating() ? m : m - 2,
                                           isFloating() ? m : m + 2, isFloating() ? m : m + 2);
}

QWidget *CTandemTabViewBar::Panel(Tab tab) const
{
    return m_tabs->widget(tab);
}

void CTandemTabViewBar::SetPanel(Tab tab, QWidget *panel)
{
    const QString text = m_tabs->tabText(tab);
    const QIcon icon = m_tabs->tabIcon(tab);
    const bool enabled = m_tabs->widget(tab)->isEnabled();
    const int current = m_tabs->currentIndex();
    QWidget *old = m_tabs->widget(tab);
    if (tab == PropertiesTab)
        m_propertyPanel = qobject_cast<CPropPanel *>(panel);
    m_tabs->removeTab(tab);
    delete old;
    m_tabs->insertTab(tab, panel, icon, text);
    panel->setEnabled(enabled);
    m_tabs->setCurrentIndex(current);
}

void CTandemTabViewBar::EnableGalleryPanels(bool enabled)
{
    // The panels themselves, not their tabs: a disabled current tab would make the tab
    // container switch to another one.
    for (Tab tab : {MediaTab, ObjectsTab})
        m_tabs->widget(tab)->setEnabled(enabled);
}
