#pragma once

#include "toolkit/CCmdTarget.h"

#include <QHash>
#include <QList>
#include <QMainWindow>
#include <QPointer>

class CMDIChildWnd;
class CView;
class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;

// The top-level MDI window of the framework layer: holds the MDI area with the page frames and
// routes command ids. Actions bound to an id route it when triggered: first to the active view
// (and its document), then to this frame, then to the application target. Update rules run for
// the items of a menu about to show and for every bound action whenever RequestUpdate is called
// (the active page changed, the component reported new state, a command ran); several requests
// made in one go are carried out once, from the event loop.
class CMDIFrameWnd : public QMainWindow, public CCmdTarget
{
    Q_OBJECT

public:
    explicit CMDIFrameWnd(QWidget *parent = nullptr);
    ~CMDIFrameWnd() override;

    QMdiArea *MdiArea() const { return m_area; }

    void AddChild(CMDIChildWnd *frame);
    void ShowChild(CMDIChildWnd *frame);
    // Page frames that are not closing, in creation order.
    QList<CMDIChildWnd *> OpenChildren() const;
    // The active page frame (the last activated one that is not closing), or null.
    CMDIChildWnd *ActiveChild() const;
    CView *ActiveView() const;
    void ActivateChild(CMDIChildWnd *frame);

    void SetApplicationTarget(CCmdTarget *target) { m_application = target; }

    // Binds action to id (kept as its "commandId" property) and returns it.
    QAction *BindAction(QAction *action, int id);
    // The text of a menu item bound to id, without its shortcut ("Cu&t"); "" when no menu item
    // is bound to it.
    QString MenuText(int id) const;
    // Runs a command along the route. Returns whether some target handled it.
    bool RouteCommand(int id);
    // Runs a command only when its update rule leaves it enabled (the accelerators' rule).
    bool RouteCommandIfEnabled(int id);
    // The state an update would give id now.
    bool IsCommandEnabled(int id);

    void RequestUpdate();
    // Runs the update rules of every bound action now.
    void UpdateCommandUI();
    // Runs the update rules of the items of menu (and leaves its submenus to their own show).
    void UpdateMenu(QMenu *menu);

    bool OnCmdMsg(int id, Offer offer, CCmdUI *ui) override;

    static int CommandIdOf(const QAction *action);

signals:
    void activeViewChanged(CView *view);

protected:
    // Called after page frames were added, closed or activated; the default does nothing.
    virtual void OnChildrenChanged();
    // Called whenever updates ran, after the bound actions got their state.
    virtual void OnUpdateFrame();

private:
    void UpdateActions(int id, QAction *context);
    void OnSubWindowActivated(QMdiSubWindow *window);
    void OnFrameGone(CMDIChildWnd *frame);

    QMdiArea *m_area;
    CCmdTarget *m_application = nullptr;
    QMultiHash<int, QPointer<QAction>> m_actions;
    QPointer<CMDIChildWnd> m_lastActive;
    QPointer<CView> m_lastActiveView;
    bool m_updatePending = false;
};
