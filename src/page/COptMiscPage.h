#pragma once

#include "toolkit/CPropertyPage.h"

class QCheckBox;

// The "Misc" page (148) of the Options dialog.
class COptMiscPage : public CPropertyPage
{
    Q_OBJECT

public:
    explicit COptMiscPage(QWidget *parent = nullptr);

    bool m_showBorders = true;
    bool m_autoSaveMetafiles = true;

protected:
    void DoDataExchange(CDataExchange &dx) override;

private:
    QCheckBox *m_borders;
    QCheckBox *m_metafiles;
};
