#pragma once

#include <QList>

class CMDIFrameWnd;
class QMenu;
class QWidget;

// The two menu bars of the main frame: 128 while no page window is open, 129 while one is.
// Every item is bound to its command id on frame; the menus are children of owner.
struct MainMenus
{
    QList<QMenu *> noPage;
    QList<QMenu *> page;
    QList<QMenu *> fileMenus;   // the "&File" popups of both, which carry the recent files
    QMenu *toolsMenu = nullptr; // position 7 of menu 129
    QMenu *windowMenu = nullptr;
};

MainMenus BuildMainMenus(CMDIFrameWnd *frame, QWidget *owner);
