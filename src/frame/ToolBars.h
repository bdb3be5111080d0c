#pragma once

#include <initializer_list>

class CMDIFrameWnd;
class QToolBar;
class QWidget;

// Appends one button per id to bar (0 appends a separator), each bound to its command on frame,
// with its picture, tool tip and status text.
void AddCommandButtons(QToolBar *bar, CMDIFrameWnd *frame, std::initializer_list<int> ids);

// The main toolbar (128) and the object bar (136).
QToolBar *CreateMainToolBar(CMDIFrameWnd *frame, QWidget *parent);
QToolBar *CreateObjectBar(CMDIFrameWnd *frame, QWidget *parent);
