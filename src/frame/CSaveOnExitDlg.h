#pragma once

#include "toolkit/CDialog.h"

#include <QString>

class QPushButton;

// The "Save on Exit" question (168) about the active page: "Would you like to save <path>?"
// with "&Yes", "Yes to &all" (the default), "&No", "No to all" and "Cancel". DoModal returns
// the Answer.
class CSaveOnExitDlg : public CDialog
{
    Q_OBJECT

public:
    enum Answer { Cancel = 0, Yes, YesToAll, No, NoToAll };

    explicit CSaveOnExitDlg(const QString &path, QWidget *parent = nullptr);

    QString Question() const { return m_question; }
    QPushButton *Button(Answer answer) const;

private:
    QString m_question;
    QPushButton *m_buttons[5] = {};
};
