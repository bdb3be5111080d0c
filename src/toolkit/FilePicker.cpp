#include "toolkit/FilePicker.h"

#include "toolkit/FileDialog.h"
#include "toolkit/QtBridge.h"
#include "util/FileUtil.h"

#include <array>

static std::array<QString, 10> s_folders;

// The slot that holds a kind's folder, or -1; kinds 2 and 3 share one.
static int FolderSlot(int kind)
{
    if (kind < 0 || kind > filekind::Flash || kind == filekind::None)
        return -1;
    return kind == filekind::Animations ? filekind::Multimedia : kind;
}

static const char *DefaultFolder(int slot)
{
    switch (slot) {
    case filekind::Images:
        return "Clipart/Images";
    case filekind::Sounds:
        return "Clipart/Sounds";
    case filekind::Multimedia:
        return "Clipart/Animations";
    case filekind::Applets:
        return "Applets";
    case filekind::WebPages:
        return "WebPages";
    case filekind::Videos:
        return "Clipart/Videos";
    case filekind::Shockwave:
        return "Shockwave";
    case filekind::Flash:
        return "Flash";
    default:
        return "";
    }
}

QString FileKindFilter(int filterKind)
{
    switch (filterKind) {
    case 0:
        return QStringLiteral("Image Files|*.bmp; *.dib; *.gif; *.jpeg; *.jpg; *.pcx; *.rle; "
                              "*.tga; *.tif; *.tiff||");
    case 1:
        return QStringLiteral("Sound Files|*.wav; *.mid||");
    case 2:
        return QStringLiteral("Multimedia Files|*.wav; *.avi; *.mid||");
    case 3:
        return QStringLiteral("Animation Files|*.avi||");
    case 4:
        return QStringLiteral("Java Applets|*.class||");
    case 6:
        return QStringLiteral("HTML Files (*.htm; *.html)|*.htm; *.html|HTML Templates "
                              "(*.htt)|*.htt|All Files (*.*)|*.*||");
    default:
        return QStringLiteral("All Files|*.*||");
    }
}

QString FileKindExtension(int extensionKind)
{
    switch (extensionKind) {
    case 0:
        return QStringLiteral("bmp");
    case 1:
        return QStringLiteral("wav");
    case 3:
        return QStringLiteral("avi");
    case 4:
        return QStringLiteral("class");
    case 6:
        return QStringLiteral("html");
    default:
        return QStringLiteral("htm");
    }
}

QString GetLastFolder(int kind)
{
    const int slot = FolderSlot(kind);
    if (slot < 0)
        return QString();
    if (s_folders[slot].isEmpty())
        s_folders[slot] = toQt(util::ProgramFolder() + DefaultFolder(slot));
    return s_folders[slot];
}

void SetLastFolder(int kind, const QString &folder)
{
    const int slot = FolderSlot(kind);
    if (slot >= 0)
        s_folders[slot] = folder;
}

void ResetLastFolders()
{
    s_folders.fill(QString());
}

QString BrowseForFile(int kind, int filterKind, int extensionKind, bool open, QWidget *parent)
{
    FileDialogRequest request;
    request.parent = parent;
    request.open = open;
    request.filter = FileKindFilter(filterKind);
    request.defaultSuffix = FileKindExtension(extensionKind);
    request.folder = GetLastFolder(kind);
    request.mustExist = open;
    request.overwritePrompt = !open;
    const QString path = RunFileDialog(request);
    if (path.isEmpty())
        return QString();
    SetLastFolder(kind, toQt(util::PathFolder(fromQt(path))));
    return path;
}
