#include "toolkit/FileDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

static FileDialogHook s_hook;

void SetFileDialogHook(FileDialogHook hook)
{
    s_hook = std::move(hook);
}

QString ToQtFileFilter(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString name = parts.at(i).trimmed();
        if (name.isEmpty())
            break;
        QStringList patterns;
        for (const QString &pattern : parts.at(i + 1).split(QLatin1Char(';'))) {
            const QString trimmed = pattern.trimmed();
            if (!trimmed.isEmpty())
                patterns.append(trimmed == QLatin1String("*.*") ? QStringLiteral("*") : trimmed);
        }
        if (patterns.isEmpty())
            continue;
        // A name that already shows its patterns in parentheses keeps the words only, so that
        // the patterns appear once.
        static const QRegularExpression trailingPatterns(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
        name.remove(trailingPatterns);
        filters.append(QStringLiteral("%1 (%2)").arg(name, patterns.join(QLatin1Char(' '))));
    }
    return filters.join(QStringLiteral(";;"));
}

QString StartFolder(const QString &folder)
{
    // QFileDialog takes a path that is no folder for a file name to fill in; a remembered
    // folder that does not exist (yet) starts at the nearest one that does.
    if (folder.isEmpty())
        return QString();
    QString path = QDir::cleanPath(QDir(folder).absolutePath());
    while (!QFileInfo(path).isDir()) {
        const QString parent = QFileInfo(path).path();
        if (parent == path)
            return QString();
        path = parent;
    }
    return path;
}

QString RunFileDialog(const FileDialogRequest &request)
{
    if (s_hook)
        return s_hook(request);
    QFileDialog dialog(request.parent, request.caption, StartFolder(request.folder),
                       ToQtFileFilter(request.filter));
    dialog.setAcceptMode(request.open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(request.open && request.mustExist ? QFileDialog::ExistingFile
                                                         : QFileDialog::AnyFile);
    if (!request.defaultSuffix.isEmpty())
        dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.open && !request.overwritePrompt)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}
