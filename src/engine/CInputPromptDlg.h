#pragma once

#include <QDialog>

class QLineEdit;

// A one-line prompt of the component (the address of a link, the source of an image), with an
// optional "Browse..." button that fills the line from a file dialog.
class CInputPromptDlg : public QDialog
{
    Q_OBJECT

public:
    CInputPromptDlg(const QString &title, const QString &label, const QString &initial,
                    const QString &browseFilter = QString(), QWidget *parent = nullptr);

    QString Text() const;

private:
    QLineEdit *m_text;
};
