#include "engine/PageFolders.h"

#include "sites/SiteDefinitions.h"
#include "toolkit/QtBridge.h"
#include "util/AppProfile.h"
#include "util/FileUtil.h"

#include <QDir>
#include <QFileInfo>

namespace PageFolders {

static QString CanonicalFolder(const QString &folder)
{
    const QFileInfo info(folder);
    return info.isDir() ? info.canonicalFilePath() : QString();
}

QStringList ForPage(const QString &pagePath)
{
    if (pagePath.isEmpty())
        return {};
    QStringList folders;
    const QString own = CanonicalFolder(QFileInfo(pagePath).absolutePath());
    if (own.isEmpty())
        return {};
    folders << own;
    SiteDefinitions sites(util::AppProfile());
    for (const std::string &name : sites.Names()) {
        const QString root = CanonicalFolder(toQt(sites.RootFolder(name)));
        if (!root.isEmpty() && IsBelow(own, root) && !folders.contains(root))
            folders << root;
    }
    return folders;
}

QStringList Canonical(const QStringList &folders)
{
    QStringList result;
    for (const QString &folder : folders) {
        const QString canonical = CanonicalFolder(folder);
        if (!canonical.isEmpty() && !result.contains(canonical))
            result << canonical;
    }
    return result;
}

QString ProgramFolder()
{
    const std::string folder = util::ProgramFolder();
    return folder.empty() ? QString() : CanonicalFolder(toQt(folder));
}

bool IsBelow(const QString &canonicalPath, const QString &folder)
{
    if (folder.isEmpty() || canonicalPath.isEmpty())
        return false;
    if (folder == QLatin1String("/"))
        return canonicalPath.startsWith(QLatin1Char('/'));
    return canonicalPath == folder ||
           (canonicalPath.startsWith(folder) && canonicalPath.at(folder.size()) == QLatin1Char('/'));
}

Access Check(const QString &path, const QStringList &folders, QString *canonical)
{
    if (path.isEmpty() || !QDir::isAbsolutePath(path))
        return Access::Denied;
    const QFileInfo info(path);
    const QString real = info.canonicalFilePath();
    // A file that does not exist has no canonical path; its place is judged by the path as
    // written with "." and ".." taken out, so that a missing file outside is refused as well
    // (and a refusal does not tell whether something exists there).
    const QString judged = real.isEmpty() ? QDir::cleanPath(path) : real;
    bool allowed = IsBelow(judged, ProgramFolder());
    for (qsizetype i = 0; i < folders.size() && !allowed; ++i)
        allowed = IsBelow(judged, folders.at(i));
    if (!allowed)
        return Access::Denied;
    if (real.isEmpty() || !QFileInfo(real).isFile())
        return Access::Missing;
    if (canonical)
        *canonical = real;
    return Access::Allowed;
}

} // namespace PageFolders
