#pragma once

#include "toolkit/CDialog.h"

class ProfileFile;
class QLineEdit;
class QListWidget;
class QPushButton;

// "Add, Edit, Delete Sites": maintains the site definitions of a profile. Every Add Site,
// Update and Delete is saved to the profile at once; Close writes nothing.
//
// Add Site is enabled only when Name and Root Folder are filled in and no listed site begins
// with the Name text (ignoring case); Update and Delete only while a site is selected. The list
// is sorted ignoring case, so the order Update and Delete write is alphabetical, while Add Site
// appends.
class CSitesDlg : public CDialog
{
    Q_OBJECT

public:
    explicit CSitesDlg(ProfileFile &profile, QWidget *parent = nullptr);

    void OnAddSite();
    void OnUpdate();
    void OnDelete();
    void OnBrowse();

protected:
    void DoDataExchange(CDataExchange &dx) override;
    void OnInitDialog() override;

private:
    void onSelectionChanged();
    void updateButtons();
    // Removes the selected site from the list box and rewrites the stored list from it.
    void removeSelected();
    void writeList();

    ProfileFile &m_profile;

    QString m_name;
    QString m_rootFolder;
    QString m_subFolder = QStringLiteral("Media");

    QListWidget *m_list;
    QLineEdit *m_nameEdit;
    QLineEdit *m_rootEdit;
    QLineEdit *m_subEdit;
    QPushButton *m_browseButton;
    QPushButton *m_addButton;
    QPushButton *m_updateButton;
    QPushButton *m_deleteButton;
    QPushButton *m_closeButton;
};
