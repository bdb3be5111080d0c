#pragma once

#include "insert/CInsertObjectDlg.h"

class QRadioButton;

// "Add Form Button" (27932): a plain, submit or reset push button. Choosing a type writes the
// type's own caption ("button", "Submit", "Reset") into the label box, replacing what was typed.
class CFormButtonDlg : public CInsertObjectDlg
{
    Q_OBJECT

public:
    explicit CFormButtonDlg(HtmlInserter insert, QWidget *parent = nullptr);

    QString m_strName;
    QString m_strLabel;
    int m_nType = 0; // 0 normal, 1 submit, 2 reset

protected:
    void DoDataExchange(CDataExchange &dx) override;
    std::unique_ptr<CHtmlObject> BuildObject() const override;

private:
    void OnType(int index);

    QLineEdit *m_nameEdit;
    QLineEdit *m_labelEdit;
    QRadioButton *m_types[3];
};
