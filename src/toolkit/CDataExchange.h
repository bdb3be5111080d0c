#pragma once

#include <QString>

class QAbstractButton;
class QLineEdit;
class QWidget;

// Moves values between a dialog's controls and its fields. Saving validates: the first failure
// shows its message, puts the focus into the control and makes every later exchange of the same
// pass do nothing, so that the dialog stays open with the bad value selected.
class CDataExchange
{
public:
    CDataExchange(QWidget *dialog, bool saveAndValidate)
        : m_dialog(dialog)
        , m_save(saveAndValidate)
    {}

    bool SaveAndValidate() const { return m_save; }
    bool Failed() const { return m_failed; }
    QWidget *Dialog() const { return m_dialog; }
    // Shows message, selects the control's text and marks the pass as failed.
    void Fail(QWidget *control, const QString &message);

private:
    QWidget *m_dialog;
    bool m_save;
    bool m_failed = false;
};

// An integer: saving accepts an optional sign and digits with blanks around them, otherwise
// "Please enter an integer.".
void DDX_Text(CDataExchange &dx, QLineEdit *edit, int &value);
void DDX_Text(CDataExchange &dx, QLineEdit *edit, QString &value);
// Range check after DDX_Text: "Please enter an integer between %1 and %2.".
void DDV_MinMaxInt(CDataExchange &dx, QLineEdit *edit, int value, int minimum, int maximum);
void DDX_Check(CDataExchange &dx, QAbstractButton *box, bool &value);
