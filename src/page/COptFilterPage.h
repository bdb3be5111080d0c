#pragma once

#include "toolkit/CPropertyPage.h"

class QCheckBox;

// The "Source Filtering" page (142) of the Options dialog.
class COptFilterPage : public CPropertyPage
{
    Q_OBJECT

public:
    explicit COptFilterPage(QWidget *parent = nullptr);

    bool m_filterDTCs = true;
    bool m_filterServerScript = true;
    bool m_filterSourceFormatting = true;

protected:
    void DoDataExchange(CDataExchange &dx) override;

private:
    QCheckBox *m_dtcs;
    QCheckBox *m_serverScript;
    QCheckBox *m_sourceFormatting;
};
