#include "toolkit/CDataExchange.h"

#include "toolkit/MessageBox.h"

#include <QAbstractButton>
#include <QLineEdit>

void CDataExchange::Fail(QWidget *control, const QString &message)
{
    m_failed = true;
    ShowMessageBox(m_dialog, message, QMessageBox::Ok, QMessageBox::Warning);
    if (control) {
        control->setFocus();
        if (auto *edit = qobject_cast<QLineEdit *>(control))
            edit->selectAll();
    }
}

void DDX_Text(CDataExchange &dx, QLineEdit *edit, int &value)
{
    if (dx.Failed())
        return;
    if (!dx.SaveAndValidate()) {
        edit->setText(QString::number(value));
        return;
    }
    bool ok = false;
    const int parsed = edit->text().trimmed().toInt(&ok, 10);
    if (!ok) {
        dx.Fail(edit, QStringLiteral("Please enter an integer."));
        return;
    }
    value = parsed;
}

void DDX_Text(CDataExchange &dx, QLineEdit *edit, QString &value)
{
    if (dx.Failed())
        return;
    if (dx.SaveAndValidate())
        value = edit->text();
    else
        edit->setText(value);
}

void DDV_MinMaxInt(CDataExchange &dx, QLineEdit *edit, int value, int minimum, int maximum)
{
    if (dx.Failed() || !dx.SaveAndValidate())
        return;
    if (value < minimum || value > maximum) {
        dx.Fail(
            edit,
            QStringLiteral("Please enter an integer between %1 and %2.").arg(minimum).arg(maximum));
    }
}

void DDX_Check(CDataExchange &dx, QAbstractButton *box, bool &value)
{
    if (dx.Failed())
        return;
    if (dx.SaveAndValidate())
        value = box->isChecked();
    else
        box->setChecked(value);
}
