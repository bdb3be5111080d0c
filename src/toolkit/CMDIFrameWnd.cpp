#include "toolkit/CMDIFrameWnd.h"

#include "toolkit/CCmdUI.h"
#include "toolkit/CMDIChildWnd.h"
#include "toolkit/CView.h"

#include <QAction>
#include <QMdiArea>
#include <QMenu>

static const char kCommandIdProperty[] = "commandId";

CMDIFrameWnd::CMDIFrameWnd(QWidget *parent)
    : QMainWindow(parent)
    , m_area(new QMdiArea(this))
{
    m_area->setObjectName(QStringLiteral("pageArea"));
    setCentralWidget(m_area);
    connect(m_area, &QMdiArea::subWindowActivated, this, &CMDIFrameWnd::OnSubWindowActivated);
}

CMDIFrameWnd::~CMDIFrameWnd()
{
    // The page windows still open go down with QWidget's destructor, after this object's own
    // parts are gone: their activation and close signals must no longer reach it.
    disconnect(m_area, nullptr, this, nullptr);
    for (QMdiSubWindow *window : m_area->subWindowList())
        disconnect(window, nullptr, this, nullptr);
}

void CMDIFrameWnd::AddChild(CMDIChildWnd *frame)
{
    m_area->addSubWindow(frame);
    connect(frame, &CMDIChildWnd::frameClosed, this, &CMDIFrameWnd::OnFrameGone);
    connect(frame, &CMDIChildWnd::closeRefused, this, [this] {
        OnChildrenChanged();
        RequestUpdate();
    });
}

void CMDIFrameWnd::ShowChild(CMDIChildWnd *frame)
{
    if (!frame->isVisible())
        frame->show();
    ActivateChild(frame);
    OnChildrenChanged();
    RequestUpdate();
}

QList<CMDIChildWnd *> CMDIFrameWnd::OpenChildren() const
{
    QList<CMDIChildWnd *> frames;
    for (QMdiSubWindow *window : m_area->subWindowList(QMdiArea::CreationOrder)) {
        auto *frame = qobject_cast<CMDIChildWnd *>(window);
        if (frame && !frame->IsClosing())
            frames.append(frame);
    }
    return frames;
}

CMDIChildWnd *CMDIFrameWnd::ActiveChild() const
{
    auto *current = qobject_cast<CMDIChildWnd *>(m_area->currentSubWindow());
    if (current && !current->IsClosing())
        return current;
    if (m_lastActive && !m_lastActive->IsClosing())
        return m_lastActive;
    const QList<QMdiSubWindow *> history = m_area->subWindowList(QMdiArea::ActivationHistoryOrder);
    for (auto it = history.rbegin(); it != history.rend(); ++it) {
        auto *frame = qobject_cast<CMDIChildWnd *>(*it);
        if (frame && !frame->IsClosing() && frame->isVisibleTo(m_area))
            return frame;
    }
    return nullptr;
}

CView *CMDIFrameWnd::ActiveView() const
{
    CMDIChildWnd *frame = ActiveChild();
    return frame ? frame->GetActiveView() : nullptr;
}

void CMDIFrameWnd::ActivateChild(CMDIChildWnd *frame)
{
    m_lastActive = frame;
    m_area->setActiveSubWindow(frame);
    CView *view = ActiveView();
    if (view != m_lastActiveView) {
        m_lastActiveView = view;
        emit activeViewChanged(view);
    }
}

QAction *CMDIFrameWnd::BindAction(QAction *action, int id)
{
    action->setProperty(kCommandIdProperty, id);
    // Items made afresh each time a menu opens (recent files) leave deleted entries behind.
    for (auto it = m_actions.find(id); it != m_actions.end() && it.key() == id;) {
        if (*it)
            ++it;
        else
            it = m_actions.erase(it);
    }
    m_actions.insert(id, action);
    connect(action, &QAction::triggered, this, [this, id] { RouteCommand(id); });
    return action;
}

int CMDIFrameWnd::CommandIdOf(const QAction *action)
{
    const QVariant id = action ? action->property(kCommandIdProperty) : QVariant();
    return id.isValid() ? id.toInt() : 0;
}

bool CMDIFrameWnd::RouteCommand(int id)
{
    const bool handled = OnCmdMsg(id, Offer::Execute, nullptr);
    RequestUpdate();
    return handled;
}

bool CMDIFrameWnd::IsCommandEnabled(int id)
{
    CCmdUI ui(id, true, false);
    RouteUpdate(ui);
    return ui.IsEnabled();
}

bool CMDIFrameWnd::RouteCommandIfEnabled(int id)
{
    return IsCommandEnabled(id) && RouteCommand(id);
}

bool CMDIFrameWnd::OnCmdMsg(int id, Offer offer, CCmdUI *ui)
{
    if (CView *view = ActiveView()) {
        if (view->OnCmdMsg(id, offer, ui))
            return true;
    }
    if (DispatchOwn(id, offer, ui))
        return true;
    return m_application && m_application->OnCmdMsg(id, offer, ui);
}

void CMDIFrameWnd::RequestUpdate()
{
    if (m_updatePending)
        return;
    m_updatePending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_updatePending = false;
            UpdateCommandUI();
        },
        Qt::QueuedConnection);
}

QString CMDIFrameWnd::MenuText(int id) const
{
    for (auto it = m_actions.find(id); it != m_actions.end() && it.key() == id; ++it) {
        const QAction *action = *it;
        if (action && qobject_cast<const QMenu *>(action->parent()))
            return action->text().section(QLatin1Char('\t'), 0, 0);
    }
    return QString();
}

void CMDIFrameWnd::UpdateActions(int id, QAction *context)
{
    QList<QAction *> actions;
    for (auto it = m_actions.find(id); it != m_actions.end() && it.key() == id; ++it) {
        if (*it)
            actions.append(*it);
    }
    if (actions.isEmpty())
        return;
    QAction *first = context ? context : actions.first();
    CCmdUI ui(id, first->isEnabled(), first->isChecked(), first);
    const bool ruled = RouteUpdate(ui);
    for (QAction *action : actions) {
        action->setEnabled(ui.IsEnabled());
        if (ui.CheckWasSet()) {
            action->setCheckable(true);
            action->setChecked(ui.IsChecked());
        } else if (!ruled && action->isChecked()) {
            // The target that latched it is gone (the last page closed): a button must not
            // stay pressed for a page that is no longer there.
            action->setChecked(false);
        }
    }
}

void CMDIFrameWnd::UpdateCommandUI()
{
    const QList<int> ids = m_actions.uniqueKeys();
    for (int id : ids)
        UpdateActions(id, nullptr);
    OnUpdateFrame();
}

void CMDIFrameWnd::UpdateMenu(QMenu *menu)
{
    const QList<QAction *> items = menu->actions();
    for (QAction *item : items) {
        if (const int id = CommandIdOf(item))
            UpdateActions(id, item);
    }
}

void CMDIFrameWnd::OnChildrenChanged() {}

void CMDIFrameWnd::OnUpdateFrame() {}

void CMDIFrameWnd::OnSubWindowActivated(QMdiSubWindow *window)
{
    auto *frame = qobject_cast<CMDIChildWnd *>(window);
    if (frame && !frame->IsClosing())
        m_lastActive = frame;
    CView *view = ActiveView();
    if (view != m_lastActiveView) {
        m_lastActiveView = view;
        emit activeViewChanged(view);
    }
    OnChildrenChanged();
    RequestUpdate();
}

void CMDIFrameWnd::OnFrameGone(CMDIChildWnd *frame)
{
    if (m_lastActive == frame)
        m_lastActive = nullptr;
    CView *view = ActiveView();
    if (view != m_lastActiveView) {
        m_lastActiveView = view;
        emit activeViewChanged(view);
    }
    OnChildrenChanged();
    RequestUpdate();
}
