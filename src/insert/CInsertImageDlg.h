#pragma once

#include "insert/CImageObject.h"
#include "insert/ImageInsertion.h"
#include "toolkit/CDialog.h"

#include <QString>
#include <QStringList>

class CBrowseEdit;
class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimer;
class QWebEngineView;

// The Insert image dialog (159): name, source, alternative text, rollover image, hover popup,
// click action with its sound or popup target, invisible flag and link, with a live preview of
// the tag in a browser view (1038) that runs the page's scripts, so that the behaviours can be
// tried before inserting. Controls carry their ids as object names ("1003").
//
// The caller presets fields before DoModal and reads them after OK (Values()). The page's image
// names and the page path are the caller's; the dialog does not change them.
class CInsertImageDlg : public CDialog
{
    Q_OBJECT

public:
    // pagePath: where recordings go (the page's resource folder); resourceFolder: where the
    // browse buttons of the four file boxes start.
    CInsertImageDlg(const QStringList &pageImageNames, const QString &pagePath,
                    const QString &resourceFolder, QWidget *parent = nullptr);
    ~CInsertImageDlg() override;

    void Preset(const ImagePreset &preset);
    ImageDialogValues Values() const;

    // Rebuilds the preview from the controls. With reportMissingSet, a random-image source
    // without a numbered set shows the message that says so.
    void RefreshPreview(bool reportMissingSet = true);

    // The preview's own tag: name, sources, sound, click action and set size only.
    const CImageObject &PreviewObject() const { return m_preview; }
    QWebEngineView *Browser() const { return m_browser; }
    // Number of previews shown since the dialog was made.
    int PreviewCount() const { return m_previewCount; }

    // The process-wide count of Source and Rollover changes (0 to 3).
    static int ChangeCounter();
    static void ResetChangeCounter();

    // Fields, as the data exchange moves them.
    QString m_strName;
    QString m_strRollover;
    QString m_strSource;
    QString m_strSound;
    int m_nClickAction = ClickNothing;
    int m_nInvisible = 0;
    QString m_strClickPopup;
    QString m_strHoverPopup;
    QString m_strAlt;
    QString m_strLink;
    int m_nRandomSetSize = 0;

public slots:
    void accept() override;
    void done(int result) override;

protected:
    void DoDataExchange(CDataExchange &dx) override;
    void OnInitDialog() override;

private:
    void BuildControls();
    void CreateToolTips();
    void OnSourceOrRolloverChanged();
    void OnClickAction();
    void OnRecord();
    void UpdateEnabling();

    QStringList m_names;
    QString m_pagePath;
    QString m_resourceFolder;
    CImageObject m_preview;
    int m_previewCount = 0;

    QLineEdit *m_name = nullptr;
    CBrowseEdit *m_source = nullptr;
    QLineEdit *m_alt = nullptr;
    CBrowseEdit *m_rollover = nullptr;
    QComboBox *m_hoverPopup = nullptr;
    QButtonGroup *m_actions = nullptr;
    CBrowseEdit *m_sound = nullptr;
    QPushButton *m_record = nullptr;
    QComboBox *m_clickPopup = nullptr;
    QCheckBox *m_invisible = nullptr;
    CBrowseEdit *m_link = nullptr;
    QWebEngineView *m_browser = nullptr;
    QTimer *m_settle = nullptr;
};
