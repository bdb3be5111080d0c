#pragma once

#include "toolkit/CPropertyPage.h"

class QCheckBox;

// The "UI Activation" page (147) of the Options dialog.
class COptUIActivationPage : public CPropertyPage
{
    Q_OBJECT

public:
    explicit COptUIActivationPage(QWidget *parent = nullptr);

    bool m_activateDTCs = false;
    bool m_activateActiveX = false;
    bool m_activateApplets = false;

protected:
    void DoDataExchange(CDataExchange &dx) override;

private:
    QCheckBox *m_dtcs;
    QCheckBox *m_activeX;
    QCheckBox *m_applets;
};
