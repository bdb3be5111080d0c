#pragma once

#include <QMainWindow>

// The program's main window: the MDI area for the page windows, with menus, bars and the
// side bar around it.
class CMainFrame : public QMainWindow
{
    Q_OBJECT

public:
    explicit CMainFrame(QWidget *parent = nullptr);
};
