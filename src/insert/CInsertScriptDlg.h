#pragma once

#include "insert/CScriptObject.h"
#include "toolkit/CDialog.h"

#include <QString>

class QButtonGroup;
class QPlainTextEdit;
class QRadioButton;

// "Insert Script" (149): a multi-line text (1016; Enter makes a new line) and its kind, one of
// the radio buttons of the "Script" group: JavaScript (1017), VBScript (1018) or raw HTML
// (1029, the default). After OK the caller reads the fields, or Script() for the generator; an
// empty text is accepted and inserts nothing.
class CInsertScriptDlg : public CDialog
{
    Q_OBJECT

public:
    explicit CInsertScriptDlg(QWidget *parent = nullptr);

    CScriptObject Script() const;

    QPlainTextEdit *TextEdit() const { return m_textEdit; }
    QRadioButton *KindButton(int kind) const;

    QString m_strText;
    int m_nKind = CScriptObject::Html;

protected:
    void DoDataExchange(CDataExchange &dx) override;
    void OnInitDialog() override;

private:
    QPlainTextEdit *m_textEdit;
    QButtonGroup *m_kinds;
};
