#include "frame/CChildFrame.h"

#include "frame/CommandIcons.h"

CChildFrame::CChildFrame(QWidget *parent)
    : CMDIChildWnd(parent)
{
    setWindowIcon(BundledIcon(QStringLiteral("new")));
    resize(640, 480);
}
