#pragma once

#include <QString>
#include <QStringList>

// Which local files a page shown by the engine may read: those in its own folder tree, those
// in the tree of a defined site that holds the page, and the program's installation data.
// Every check is made on canonical paths (links and ".." resolved), so that neither a link in
// an allowed folder nor "../" in a reference leads out of it. Folders are absolute, without a
// trailing "/" ("/" itself stays).
namespace PageFolders {

// The folders the page at pagePath (absolute) may read below, besides the program folder: the
// page's own folder and the root of every defined site whose tree holds that folder, canonical.
// Empty for an empty path: a blank page reads from the program folder alone.
QStringList ForPage(const QString &pagePath);

// The canonical forms of folders; folders that do not exist are left out.
QStringList Canonical(const QStringList &folders);

// The program folder (util::ProgramFolder), canonical; "" when it does not exist.
QString ProgramFolder();

// True when canonicalPath is folder or lies below it.
bool IsBelow(const QString &canonicalPath, const QString &folder);

enum class Access {
    Allowed, // a regular file in an allowed folder
    Missing, // in an allowed folder, but no such file (or not a regular file)
    Denied,  // outside every allowed folder, whether or not it exists
};

// Whether the local file at path (absolute) may be read, given the page's canonical folders;
// the program folder is always allowed. canonical receives the file's canonical path when it
// is Allowed: open that, not path.
Access Check(const QString &path, const QStringList &folders, QString *canonical = nullptr);

} // namespace PageFolders
