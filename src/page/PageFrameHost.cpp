#include "page/PageFrameHost.h"

#include <QWidget>

CPageFrameHost *CPageFrameHost::Of(const QWidget *widget)
{
    return widget ? dynamic_cast<CPageFrameHost *>(widget->window()) : nullptr;
}
