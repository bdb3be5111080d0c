#pragma once

#include "insert/HtmlInserter.h"
#include "toolkit/CDialog.h"

#include <memory>

class CHtmlObject;
class QAbstractButton;
class QFormLayout;
class QGroupBox;
class QLineEdit;
class QPushButton;

// Base of the small dialogs that insert one element at the selection when OK is pressed: the
// values are taken from the controls (a failed range check keeps the dialog open), the element
// is built, and when it is valid its text goes to the inserter and the dialog closes. An
// invalid element keeps the dialog open without a message. A refused insertion (object
// selection) still closes the dialog.
//
// The controls sit in a "Properties" group; each carries its control id as object name.
class CInsertObjectDlg : public CDialog
{
    Q_OBJECT

public:
    void accept() override;

    QPushButton *OkButton() const { return m_ok; }

protected:
    CInsertObjectDlg(const QString &title, const QString &groupTitle, HtmlInserter insert,
                     QWidget *parent);

    // The element from the current fields; nullptr inserts nothing and keeps the dialog open.
    virtual std::unique_ptr<CHtmlObject> BuildObject() const = 0;

    // A labelled edit in the group.
    QLineEdit *AddEdit(int id, const QString &label);
    // A button without label column in the group.
    void AddRow(QWidget *widget);
    QWidget *Group() const;
    QFormLayout *Form() const { return m_form; }
    // Gives the control its id as object name.
    static void SetId(QWidget *control, int id);

private:
    HtmlInserter m_insert;
    QGroupBox *m_group;
    QFormLayout *m_form;
    QPushButton *m_ok;
};
