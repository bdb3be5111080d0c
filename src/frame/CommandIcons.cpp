#include "frame/CommandIcons.h"

#include "toolkit/CommandIds.h"

#include <QDir>
#include <QStandardPaths>

namespace {

struct CommandPicture
{
    int id;
    const char *themeName; // freedesktop name, or null
    const char *bundled;
};

constexpr CommandPicture kPictures[] = {
    {cmd::FileNew, "document-new", "new"},
    {cmd::FileOpen, "document-open", "open"},
    {cmd::FileSave, "document-save", "save"},
    {cmd::Reload, "view-refresh", "reload"},
    {cmd::PelionExtensions, nullptr, "extensions"},
    {cmd::PrintToolbar, "document-print", "print"},
    {cmd::Print, "document-print", "print"},
    {cmd::Find, "edit-find", "find"},
    {cmd::Cut, "edit-cut", "cut"},
    {cmd::Copy, "edit-copy", "copy"},
    {cmd::Paste, "edit-paste", "paste"},
    {cmd::PasteSpecial, nullptr, "paste-special"},
    {cmd::Undo, "edit-undo", "undo"},
    {cmd::Redo, "edit-redo", "redo"},
    {cmd::EditorMode, "document-edit", "editor-mode"},
    {cmd::BrowserMode, "web-browser", "browser-mode"},
    {cmd::MakeAbsolute, nullptr, "absolute"},
    {cmd::BringToFront, nullptr, "bring-front"},
    {cmd::SendToBack, nullptr, "send-back"},
    {cmd::Tags, nullptr, "tags"},
    {cmd::Lessons, "help-contents", "lessons"},
    {cmd::AppAbout, "help-about", "about"},

    {cmd::InsertLink, "insert-link", "link"},
    {cmd::InsertAnchor, nullptr, "anchor"},
    {cmd::TextBox, nullptr, "textbox"},
    {cmd::InsertImage, "insert-image", "image"},
    {cmd::HorizontalRule, nullptr, "rule"},
    {cmd::InsertApplet, nullptr, "applet"},
    {cmd::InsertFlash, nullptr, "flash"},
    {cmd::InsertShockwave, nullptr, "shockwave"},
    {cmd::InsertTable, nullptr, "table"},
    {cmd::InsertRow, nullptr, "insert-row"},
    {cmd::InsertColumn, nullptr, "insert-column"},
    {cmd::InsertCell, nullptr, "insert-cell"},
    {cmd::MergeCells, nullptr, "merge-cells"},
    {cmd::SplitCell, nullptr, "split-cell"},
    {cmd::InsertForm, nullptr, "form"},
    {cmd::InsertButton, nullptr, "button"},
    {cmd::InsertCheckbox, nullptr, "checkbox"},
    {cmd::InsertRadio, nullptr, "radio"},
    {cmd::InsertListMenu, nullptr, "listmenu"},
    {cmd::InsertTextField, nullptr, "textfield"},
    {cmd::RecordSound, "audio-input-microphone", "record-sound"},

    {cmd::Bold, "format-text-bold", "bold"},
    {cmd::Italic, "format-text-italic", "italic"},
    {cmd::Underline, "format-text-underline", "underline"},
    {cmd::AlignLeft, "format-justify-left", "align-left"},
    {cmd::Center, "format-justify-center", "align-center"},
    {cmd::AlignRight, "format-justify-right", "align-right"},
    {cmd::BulletList, "view-list-bullet", "bullets"},
    {cmd::NumberList, "view-list-ordered", "numbers"},
    {cmd::DecreaseIndent, "format-indent-less", "outdent"},
    {cmd::IncreaseIndent, "format-indent-more", "indent"},
    {cmd::FontColor, nullptr, "font-color"},
    {cmd::FontDialog, "preferences-desktop-font", "font"},
};

} // namespace

QIcon BundledIcon(const QString &name)
{
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(name));
}

QIcon CommandIcon(int id)
{
    for (const CommandPicture &picture : kPictures) {
        if (picture.id != id)
            continue;
        if (picture.themeName && !QIcon::themeName().isEmpty()) {
            const QString name = QString::fromLatin1(picture.themeName);
            // Current freedesktop themes often carry only the "-symbolic" variant.
            for (const QString &candidate : {name, name + QStringLiteral("-symbolic")}) {
                if (QIcon::hasThemeIcon(candidate))
                    return QIcon::fromTheme(candidate);
            }
        }
        return BundledIcon(QString::fromLatin1(picture.bundled));
    }
    return QIcon();
}

void PrepareIconTheme()
{
    // The pictures live in the UI library, a static library: their resource must be pulled in.
    Q_INIT_RESOURCE(icons);
    const QString current = QIcon::themeName();
    if (!current.isEmpty() && current != QLatin1String("hicolor"))
        return;
    const QStringList folders =
        QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("icons"),
                                  QStandardPaths::LocateDirectory);
    for (const char *theme : {"Adwaita", "breeze", "Tango", "gnome"}) {
        for (const QString &folder : folders) {
            if (QDir(folder).exists(QString::fromLatin1(theme) + QStringLiteral("/index.theme"))) {
                QIcon::setThemeName(QString::fromLatin1(theme));
                return;
            }
        }
    }
}
