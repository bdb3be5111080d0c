#include "sites/CFolderDialog.h"

#include <QDir>
#include <QFileInfo>

static CFolderDialog::Hook s_hook;

CFolderDialog::CFolderDialog(const QString &title, const QString &initialFolder, QWidget *parent)
    : QFileDialog(parent, title)
{
    // The widget-based dialog, so that OK can be made to take the folder being shown.
    setOption(QFileDialog::DontUseNativeDialog, true);
    setOption(QFileDialog::ShowDirsOnly, true);
    setFileMode(QFileDialog::Directory);
    setAcceptMode(QFileDialog::AcceptOpen);
    if (!initialFolder.isEmpty())
        setDirectory(initialFolder);
}

void CFolderDialog::accept()
{
    // The folder typed into the name box or selected in the list is the one chosen; with
    // neither, the folder being shown.
    QString chosen = directory().absolutePath();
    const QStringList selected = selectedFiles();
    if (!selected.isEmpty() && !selected.first().isEmpty())
        chosen = QDir(directory()).absoluteFilePath(selected.first());
    const QFileInfo info(chosen);
    if (!info.isDir()) {
        // A typed name that is no folder: show where the author is and let them choose again.
        QFileDialog::accept();
        return;
    }
    m_folder = QDir::cleanPath(info.absoluteFilePath());
    QDialog::accept();
}

bool CFolderDialog::Run(QWidget *parent, const QString &title, const QString &initialFolder,
                        QString &folder)
{
    if (s_hook) {
        const std::optional<QString> chosen = s_hook(title, initialFolder);
        if (!chosen)
            return false;
        folder = *chosen;
        return true;
    }
    CFolderDialog dialog(title, initialFolder, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    folder = dialog.Folder();
    return true;
}

void CFolderDialog::SetHook(Hook hook)
{
    s_hook = std::move(hook);
}
