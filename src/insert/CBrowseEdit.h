#pragma once

#include <QString>
#include <QWidget>

class QLineEdit;
class QToolButton;

// An edit box with a small "..." button at its right. The button opens the picture-previewing
// open dialog (CPreviewDlg) listing all files, starting in StartFolder(), and puts the chosen
// full path into the box; Cancel leaves the box as it was. The dialogs that use it give it the
// page's resource folder as start folder.
class CBrowseEdit : public QWidget
{
    Q_OBJECT

public:
    explicit CBrowseEdit(QWidget *parent = nullptr);

    QLineEdit *Edit() const { return m_edit; }
    QToolButton *Button() const { return m_button; }

    QString Text() const;
    void SetText(const QString &text);

    QString StartFolder() const { return m_startFolder; }
    void SetStartFolder(const QString &folder) { m_startFolder = folder; }

    // What the button does: runs the open dialog and takes the chosen file.
    void Browse();

    // The filter of the browse dialog.
    static QString Filter() { return QStringLiteral("All Files (*.*)|*.*|"); }

signals:
    void textChanged(const QString &text);
    // A file was chosen with the button (after the text was set).
    void fileChosen(const QString &path);

private:
    QLineEdit *m_edit;
    QToolButton *m_button;
    QString m_startFolder;
};
