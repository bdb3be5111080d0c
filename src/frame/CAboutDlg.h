#pragma once

#include "toolkit/CDialog.h"

// The About box (150): the program icon, "Pelion Web Builder v1.5" and OK.
class CAboutDlg : public CDialog
{
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget *parent = nullptr);
};
