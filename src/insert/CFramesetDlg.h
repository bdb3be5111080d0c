#pragma once

#include "insert/CFramesetObject.h"
#include "toolkit/CDialog.h"

#include <QString>

#include <array>

class CBrowseEdit;
class ProfileFile;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QIcon;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QToolButton;

// The Create Frameset dialog: a site folder (changed only with "..."), a file name, one of the
// six layouts of CFramesetObject and the settings of each frame. Every frame keeps its settings
// while the user switches frames and layouts, so frame 3 survives a two-frame layout.
//
// OK writes the frameset page into the site folder (".html" is added to a file name without a
// dot) and closes; after that WrittenPath() names the file. An existing file is replaced only
// when the user agrees; a file that cannot be written is reported and the dialog stays open.
// Choosing a folder with "..." stores it as the profile's current site folder at once.
class CFramesetDlg : public CDialog
{
    Q_OBJECT

public:
    explicit CFramesetDlg(ProfileFile &profile, QWidget *parent = nullptr);

    QString SiteFolder() const { return m_siteFolder; }
    QString FileName() const { return m_fileName; }
    int Layout() const { return m_nLayout; }
    const CFramesetObject &Frameset() const { return m_frameset; }
    // The page text of the last OK.
    const std::string &Html() const { return m_strHtml; }
    // The file OK wrote.
    QString WrittenPath() const { return m_writtenPath; }

    // site folder + "/" + file name, with ".html" when the file name has no dot.
    static QString FramesetPath(const QString &siteFolder, const QString &fileName);
    // The picture of a layout button (0 to 5); pressed gives the look of the selected button.
    static QIcon LayoutIcon(int layout);

    void accept() override;
    void OnBrowseSite();
    void SelectLayout(int layout);

protected:
    void DoDataExchange(CDataExchange &dx) override;
    void OnInitDialog() override;

private:
    void fillFrameList();
    void showFrame(int index);
    void takeFrame();
    void updateOk();

    ProfileFile &m_profile;

    QString m_siteFolder;
    QString m_fileName;
    int m_nLayout = CFramesetObject::TwoColumns;
    CFramesetObject m_frameset;
    std::string m_strHtml;
    QString m_writtenPath;
    // False while the dialog fills its own controls, so that filling is not taken as an edit.
    bool m_bInitialized = false;

    QLineEdit *m_siteEdit;
    QPushButton *m_siteButton;
    QLineEdit *m_nameEdit;
    std::array<QToolButton *, 6> m_layoutButtons;
    QButtonGroup *m_layoutGroup;
    QComboBox *m_frameList;
    QLineEdit *m_frameNameEdit;
    CBrowseEdit *m_sourceBrowse;
    QLineEdit *m_sourceEdit;
    QToolButton *m_sourceButton;
    QSpinBox *m_marginWidth;
    QSpinBox *m_marginHeight;
    QCheckBox *m_resizeCheck;
    std::array<QRadioButton *, 3> m_scrolling;
    QPushButton *m_okButton;
    QPushButton *m_cancelButton;
};
