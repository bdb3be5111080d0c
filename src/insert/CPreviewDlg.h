#pragma once

#include <QFileDialog>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

class QCheckBox;
class QLabel;

// The open-file dialog with a picture preview: Qt's own file dialog (never the platform's, so
// that it can be extended) with a panel at its bottom holding the label "Preview", the preview
// area (5001), four texts (5002 width, 5003 height, 5004 colours, 5005 only ever cleared) and the
// check box "Show Preview" (5006). Pictures are decoded by the program's image library and drawn
// scaled to fit the area with their proportions kept.
//
// Shared by every instance for the run: the current preview file, the size and bit count of
// the current picture, and the "Show Preview" choice (initially on).
class CPreviewDlg : public QFileDialog
{
    Q_OBJECT

public:
    // filter in the program's notation ("All Files (*.*)|*.*|"); defaultExtension without the
    // dot; fileName the initial file name (may be empty).
    CPreviewDlg(bool open, const QString &defaultExtension, const QString &fileName,
                const QString &filter, QWidget *parent = nullptr);

    // QDialog::Accepted or QDialog::Rejected.
    int DoModal();
    // The chosen full path after OK; empty otherwise.
    QString GetPathName() const;
    void SetFolder(const QString &folder);

    QLabel *Text(int index) const { return m_texts[index]; } // 0 to 3: controls 5002 to 5005
    QCheckBox *ShowPreviewBox() const { return m_showPreview; }
    QWidget *PreviewArea() const { return m_area; }

    // The picture behind the preview area (null when nothing is shown).
    const QImage &Picture() const { return m_picture; }

    // The state of the run.
    static QString CurrentFile();
    static bool ShowPreviewChoice();
    static void SetShowPreviewChoice(bool show);

    // Where a picture of size picture is drawn inside an area of size area: as large as fits
    // with its proportions kept, centred across the other direction; small pictures are
    // enlarged. Empty for an empty picture or area.
    static QRect PictureRect(const QSize &area, const QSize &picture);
    // "Colours: 256" and the other colour texts by bits per pixel; "" for other bit counts.
    static QString ColourText(int bitsPerPixel);
    // Whether a file name has one of the extensions the preview decodes (any case).
    static bool IsPictureFile(const QString &path);

    // Selection changed in the dialog (the dialog's own notification calls this).
    void OnSelectionChanged(const QString &path);

public slots:
    void accept() override;

private:
    void OnShowPreviewClicked(bool checked);
    void ShowFile(const QString &path);
    void ClearPicture();

    QLabel *m_texts[4] = {};
    QCheckBox *m_showPreview = nullptr;
    QWidget *m_area = nullptr;
    QImage m_picture;
};
