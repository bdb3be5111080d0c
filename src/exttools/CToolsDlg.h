#pragma once

#include "toolkit/CDialog.h"

#include <QStringList>

class ProfileFile;
class QLineEdit;
class QListWidget;
class QPushButton;

// The "Add & Edit Tools" dialog (152): the tool list in stored order, the command and argument
// edits of the selected tool and the buttons that add, edit, store and remove tools. "&Update"
// stores the edits in the tool's section at once; "Cl&ose" (or closing the window) writes the
// list back and saves the settings file.
class CToolsDlg : public CDialog
{
    Q_OBJECT

public:
    explicit CToolsDlg(ProfileFile &profile, QWidget *parent = nullptr);

    QStringList Names() const;

    QListWidget *List() const { return m_list; }
    QLineEdit *CommandEdit() const { return m_command; }
    QLineEdit *ArgumentsEdit() const { return m_arguments; }
    QPushButton *BrowseButton() const { return m_browse; }
    QPushButton *UpdateButton() const { return m_update; }
    QPushButton *CancelUpdateButton() const { return m_cancelUpdate; }
    QPushButton *NewButton() const { return m_new; }
    QPushButton *EditButton() const { return m_edit; }
    QPushButton *DeleteButton() const { return m_delete; }
    QPushButton *CloseButton() const { return m_close; }

    // Every way out of the dialog is "Cl&ose".
    void reject() override;

protected:
    void OnInitDialog() override;

private:
    void OnSelect();
    void OnNew();
    void OnEdit();
    void OnBrowse();
    void OnUpdate();
    void OnDelete();
    void OnClose();
    // Editing: the edits, "...", "&Update" and "&Cancel Update" on, the list buttons off.
    // Browsing: the reverse, with "&Edit" and "&Delete" only while an entry is selected.
    void SetEditing(bool editing);
    int SelectedRow() const;

    ProfileFile &m_profile;
    QListWidget *m_list;
    QLineEdit *m_command;
    QLineEdit *m_arguments;
    QPushButton *m_browse;
    QPushButton *m_update;
    QPushButton *m_cancelUpdate;
    QPushButton *m_new;
    QPushButton *m_edit;
    QPushButton *m_delete;
    QPushButton *m_close;
    bool m_selecting = false;
    bool m_closed = false;
};
