#include "frame/CMainFrame.h"

#include <QMdiArea>

CMainFrame::CMainFrame(QWidget *parent)
    : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Pelion Web Builder"));
    auto *area = new QMdiArea(this);
    area->setObjectName(QStringLiteral("pageArea"));
    setCentralWidget(area);
    resize(1024, 768);
}
