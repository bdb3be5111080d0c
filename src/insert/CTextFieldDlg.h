#pragma once

#include "insert/CInsertObjectDlg.h"

class QCheckBox;

// "Add Text Field" (27933): a one-line text or password field, or a text area when the number of
// lines is not 1. Width 0 to 200 characters and 1 to 100 lines are accepted; a width of 0 passes
// that check but is never inserted.
class CTextFieldDlg : public CInsertObjectDlg
{
    Q_OBJECT

public:
    explicit CTextFieldDlg(HtmlInserter insert, QWidget *parent = nullptr);

    bool m_bPassword = false;
    QString m_strName;
    QString m_strText;
    int m_nWidth = 20;
    int m_nLines = 1;

protected:
    void DoDataExchange(CDataExchange &dx) override;
    std::unique_ptr<CHtmlObject> BuildObject() const override;

private:
    QLineEdit *m_nameEdit;
    QLineEdit *m_textEdit;
    QCheckBox *m_password;
    QLineEdit *m_widthEdit;
    QLineEdit *m_linesEdit;
};
