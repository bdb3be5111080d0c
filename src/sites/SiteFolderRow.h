#pragma once

class ProfileFile;
class QGridLayout;
class QLineEdit;
class QPushButton;
class QString;
class QWidget;

// The "Site folder" row of the dialogs that make files in the current site: the label, the
// folder shown read-only ("siteFolderEdit") and the "..." button that picks another.
struct SiteFolderRow
{
    QLineEdit *edit = nullptr;
    QPushButton *button = nullptr;

    // Makes the row's widgets in parent and puts them into row `row` of grid (label, folder,
    // button); the button gets the object name buttonName.
    static SiteFolderRow Make(QWidget *parent, const QString &buttonName);
    void AddTo(QGridLayout *grid, int row) const;

    // Asks for another site folder, starting at folder. On a choice folder is set, the folder
    // becomes the profile's current site folder (saved at once) and the result is true.
    static bool Pick(QWidget *parent, ProfileFile &profile, QString &folder);
};
