#pragma once

#include "toolkit/CDialog.h"

#include <QString>

class QLineEdit;
class QPushButton;

// The one-line input dialog (153): an edit (1028) with OK, enabled only while the edit holds
// text, and Cancel. The caller sets the title and the initial text and reads Text() after OK;
// the text comes back exactly as typed.
class CInputDlg : public CDialog
{
    Q_OBJECT

public:
    CInputDlg(const QString &title, const QString &text, QWidget *parent = nullptr);

    QString Text() const { return m_text; }
    QLineEdit *Edit() const { return m_edit; }
    QPushButton *OkButton() const { return m_ok; }

protected:
    void DoDataExchange(CDataExchange &dx) override;
    void OnInitDialog() override;

private:
    void UpdateOk();

    QString m_text;
    QLineEdit *m_edit;
    QPushButton *m_ok;
};
