#pragma once

#include <QFileDialog>
#include <QString>

#include <functional>
#include <optional>

// A modal folder picker: a file dialog that lists folders only. OK gives the folder typed into
// the name box or selected in the list, or with neither the folder the dialog is showing.
// Cancel gives no folder.
class CFolderDialog : public QFileDialog
{
    Q_OBJECT

public:
    // initialFolder: where to start, or empty for the dialog's default.
    CFolderDialog(const QString &title, const QString &initialFolder = QString(),
                  QWidget *parent = nullptr);

    // The chosen folder after OK (absolute, without a trailing "/"), else empty.
    QString Folder() const { return m_folder; }

    void accept() override;

    // Runs the dialog modally: true with folder set on OK, false on Cancel.
    static bool Run(QWidget *parent, const QString &title, const QString &initialFolder,
                    QString &folder);

    // Tests answer the picker through this hook (a folder, or nothing for Cancel) instead of a
    // modal window; an unset hook shows the real dialog.
    using Hook =
        std::function<std::optional<QString>(const QString &title, const QString &initialFolder)>;
    static void SetHook(Hook hook);

private:
    QString m_folder;
};
