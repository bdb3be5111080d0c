#pragma once

#include "toolkit/CDialog.h"

#include <string>

class ProfileFile;
class QLineEdit;
class QListWidget;
class QPushButton;

// The New File dialog: asks for the site folder (chosen with "..."), a file name (proposed:
// "index.html", then "page0002.html" ...) and a page title, offers the site folder's "*.htt"
// templates, and on OK creates the page there (the default template when none is selected).
// After OK, CreatedPath() is the page to open. Choosing a folder with "..." stores it as the
// current site folder of the profile at once, even when the dialog is then cancelled.
class CNewFileDlg : public CDialog
{
    Q_OBJECT

public:
    explicit CNewFileDlg(ProfileFile &profile, QWidget *parent = nullptr);

    std::string CreatedPath() const { return m_createdPath; }

    void accept() override;
    void OnBrowse();

protected:
    void DoDataExchange(CDataExchange &dx) override;
    void OnInitDialog() override;

private:
    void fillTemplates();

    ProfileFile &m_profile;

    QString m_siteFolder;
    QString m_fileName;
    QString m_title;
    QString m_template;
    std::string m_createdPath;

    QLineEdit *m_siteEdit;
    QPushButton *m_browseButton;
    QLineEdit *m_nameEdit;
    QLineEdit *m_titleEdit;
    QListWidget *m_templates;
    QPushButton *m_okButton;
    QPushButton *m_cancelButton;
};
