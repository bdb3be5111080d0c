#pragma once

#include "insert/CInsertObjectDlg.h"

class QRadioButton;

// "Add Radio Button" (167): a radio button of a group with its value. "Selected" is a single
// radio button that each click turns on or off.
class CRadioButtonDlg : public CInsertObjectDlg
{
    Q_OBJECT

public:
    explicit CRadioButtonDlg(HtmlInserter insert, QWidget *parent = nullptr);

    QString m_strGroup;
    QString m_strValue;
    bool m_bSelected = false;

protected:
    void DoDataExchange(CDataExchange &dx) override;
    std::unique_ptr<CHtmlObject> BuildObject() const override;

private:
    QLineEdit *m_groupEdit;
    QLineEdit *m_valueEdit;
    QRadioButton *m_selected;
};
