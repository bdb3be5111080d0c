#pragma once

#include "toolkit/CDialog.h"

#include <cstdint>

class CBrowseEdit;
class CMediaObject;
class QCheckBox;
class QLineEdit;
class QRadioButton;
class QWebEngineView;

// "Insert media" (27931): the options of a media player object for a sound or a video, with a
// live preview in which the object plays as it would in a browser. The caller may preset name
// and source before DoModal and reads the fields after OK; the video flag chooses the remembered
// folder (videos or sounds) that the Source box's browse button starts in and keeps.
//
// The name follows the source while it is empty; OK makes it a valid script name. The count
// box holds text: its leading decimal number is the play count (no number gives 0, which
// repeats forever).
class CInsertMediaDlg : public CDialog
{
    Q_OBJECT

public:
    explicit CInsertMediaDlg(bool video, QWidget *parent = nullptr);
    ~CInsertMediaDlg() override;

    void accept() override;

    // The player object of the fields: id = name, file = source as typed.
    CMediaObject MediaObject() const;
    // The play count of a count text, saturated to the 16-bit range.
    static std::int16_t PlayCount(const QString &countText);
    // The remembered-folder kind of the Source box.
    int FolderKind() const;

    QString m_strName;
    QString m_strSource;
    bool m_bAutoRewind = true;
    bool m_bAutoStart = false;
    bool m_bClickToPlay = false;
    bool m_bMute = false;
    QString m_strCount = QStringLiteral("1");
    int m_nRepeat = 0; // 0 play the count, 1 repeat forever
    bool m_bShowControls = true;
    bool m_bShowDisplay = true;
    bool m_bShowTracker = true;

    QWebEngineView *Preview() const { return m_preview; }

protected:
    void DoDataExchange(CDataExchange &dx) override;
    void OnInitDialog() override;

private:
    void RefreshPreview();
    void OnSourceChanged();
    void OnPlay();
    void OnRepeatForever();
    // Name from the source while the name is empty (fields and box).
    void NameFromSource();

    bool m_bVideo;
    QLineEdit *m_name;
    CBrowseEdit *m_source;
    QCheckBox *m_autoRewind;
    QCheckBox *m_autoStart;
    QCheckBox *m_clickToPlay;
    QCheckBox *m_mute;
    QLineEdit *m_count;
    QRadioButton *m_play;
    QRadioButton *m_repeat;
    QCheckBox *m_showControls;
    QCheckBox *m_showDisplay;
    QCheckBox *m_showTracker;
    QWebEngineView *m_preview;
};
