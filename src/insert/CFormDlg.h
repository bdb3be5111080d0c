#pragma once

#include "insert/CInsertObjectDlg.h"

// "Form Design" (27934): inserts a form with the given name, action and method. An empty
// action or method keeps the dialog open.
class CFormDlg : public CInsertObjectDlg
{
    Q_OBJECT

public:
    explicit CFormDlg(HtmlInserter insert, QWidget *parent = nullptr);

    QString m_strName;
    QString m_strAction = QStringLiteral("path-to-your-cgi");
    QString m_strMethod = QStringLiteral("POST");

protected:
    void DoDataExchange(CDataExchange &dx) override;
    std::unique_ptr<CHtmlObject> BuildObject() const override;

private:
    QLineEdit *m_nameEdit;
    QLineEdit *m_actionEdit;
    QLineEdit *m_methodEdit;
};
