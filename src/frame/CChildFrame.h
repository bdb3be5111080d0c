#pragma once

#include "toolkit/CMDIChildWnd.h"

// The frame of one page window: an MDI child holding the page's editor view, titled with the
// page document's title.
class CChildFrame : public CMDIChildWnd
{
    Q_OBJECT

public:
    explicit CChildFrame(QWidget *parent = nullptr);
};
