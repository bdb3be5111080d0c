#pragma once

#include "toolkit/CDialog.h"

class QCheckBox;
class QLineEdit;

// "Add / Edit Menu Item" (27937): one entry of a list or menu. OK closes without checks; an
// empty item is allowed.
class CMenuItemDlg : public CDialog
{
    Q_OBJECT

public:
    explicit CMenuItemDlg(QWidget *parent = nullptr);

    QString m_strItem = QStringLiteral("item");
    QString m_strValue;
    bool m_bSelected = false;

protected:
    void DoDataExchange(CDataExchange &dx) override;
    void OnInitDialog() override;

private:
    QLineEdit *m_itemEdit;
    QLineEdit *m_valueEdit;
    QCheckBox *m_selected;
};
