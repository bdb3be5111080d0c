#pragma once

#include "insert/CInsertObjectDlg.h"

class QCheckBox;

// "Add CheckBox" (166): a check box input with its name, value and first state.
class CCheckBoxDlg : public CInsertObjectDlg
{
    Q_OBJECT

public:
    explicit CCheckBoxDlg(HtmlInserter insert, QWidget *parent = nullptr);

    QString m_strName;
    QString m_strValue = QStringLiteral("ON");
    bool m_bChecked = false;

protected:
    void DoDataExchange(CDataExchange &dx) override;
    std::unique_ptr<CHtmlObject> BuildObject() const override;

private:
    QLineEdit *m_nameEdit;
    QLineEdit *m_valueEdit;
    QCheckBox *m_checked;
};
