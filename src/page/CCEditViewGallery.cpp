// The clip-art gallery's commands on the editor view: the default insert of a file, its context
// menu and the commands of that menu.
#include "page/CCEditView.h"

#include "gallery/ClipArtTree.h"
#include "insert/CImageObject.h"
#include "page/CPagePropertyWriter.h"
#include "sites/ResourceCopy.h"
#include "toolkit/CommandIds.h"
#include "toolkit/QtBridge.h"

#include <QMenu>

namespace {

struct GalleryMenuEntry
{
    int id;
    const char *text;
};

// The three menus of a gallery file, by ContextSubMenu.
const GalleryMenuEntry kImageMenu[] = {
    {cmd::GalleryImageQuickInsert, "Quick Insert"},
    {cmd::GalleryImagePreviewInsert, "Preview and Insert"},
    {0, nullptr},
    {cmd::GalleryImageBackground, "Insert as Background"},
    {cmd::GalleryImageFixedBackground, "Insert as Fixed Background"},
};
const GalleryMenuEntry kSoundMenu[] = {
    {cmd::GallerySoundPlay, "Play"},
    {cmd::GallerySoundStop, "Stop Playing"},
    {0, nullptr},
    {cmd::GallerySoundQuickInsert, "Quick Insert"},
    {cmd::GallerySoundWithOptions, "Insert with Options"},
    {0, nullptr},
    {cmd::GallerySoundBackground, "Insert as Background Sound"},
    {cmd::GallerySoundLoopingBackground, "Insert as Looping Background Sound"},
};
const GalleryMenuEntry kVideoMenu[] = {
    {cmd::GalleryVideoQuickInsert, "Quick Insert"},
    {cmd::GalleryVideoPreviewInsert, "Preview and Insert"},
};

} // namespace

QMenu *CCEditView::CreateGalleryMenu(const QString &file, QWidget *parent)
{
    auto *menu = new QMenu(parent);
    const GalleryMenuEntry *begin = kImageMenu;
    const GalleryMenuEntry *end = std::end(kImageMenu);
    switch (gallery::ContextSubMenu(fromQt(file))) {
    case 1:
        menu->setTitle(QStringLiteral("Sound"));
        begin = kSoundMenu;
        end = std::end(kSoundMenu);
        break;
    case 2:
        menu->setTitle(QStringLiteral("Video"));
        begin = kVideoMenu;
        end = std::end(kVideoMenu);
        break;
    default:
        menu->setTitle(QStringLiteral("Image"));
        break;
    }
    QPointer<CCEditView> self(this);
    for (const GalleryMenuEntry *entry = begin; entry != end; ++entry) {
        if (!entry->text) {
            menu->addSeparator();
            continue;
        }
        QAction *action = menu->addAction(QString::fromLatin1(entry->text));
        action->setData(entry->id);
        const int id = entry->id;
        connect(action, &QAction::triggered, this, [self, id, file] {
            if (self)
                self->RunGalleryCommand(id, file);
        });
    }
    return menu;
}

void CCEditView::RunGalleryCommand(int id, const QString &file, const QPoint &menuPos)
{
    const std::string path = fromQt(file);
    if (file.isEmpty() || IsReadOnly())
        return;
    const auto copyToSite = [this, &path] {
        return toQt(CopyResourceToSite(fromQt(PagePath()), path));
    };
    switch (id) {
    case cmd::GalleryActivate:
        switch (gallery::DefaultInsert(path)) {
        case gallery::GalleryInsert::Background:
            RunGalleryCommand(cmd::GalleryImageBackground, file);
            break;
        case gallery::GalleryInsert::ImageDialog:
            InsertGalleryImage(file, true);
            break;
        case gallery::GalleryInsert::MediaDialog:
            InsertMediaWithDialog(file, GetResourceType(path) == ResourceVideo);
            break;
        case gallery::GalleryInsert::Nothing:
            break;
        }
        break;
    case cmd::GalleryContextMenu: {
        QMenu *menu = CreateGalleryMenu(file, this);
        menu->setObjectName(QStringLiteral("galleryContextMenu"));
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(menuPos + QPoint(5, 5));
        break;
    }
    case cmd::GalleryImageQuickInsert: {
        CImageObject image;
        image.m_strValue = fromQt(copyToSite());
        InsertHtmlAtSelection(toQt(image.GetHtml()));
        break;
    }
    case cmd::GalleryImagePreviewInsert:
        InsertGalleryImage(file, false);
        break;
    case cmd::GalleryImageBackground:
    case cmd::GalleryImageFixedBackground:
        if (PropertyWriter())
            PropertyWriter()->InsertBackground(file, id == cmd::GalleryImageFixedBackground);
        break;
    case cmd::GallerySoundPlay:
        PlaySoundInline(file);
        break;
    case cmd::GallerySoundStop:
        StopPlayingSound();
        break;
    case cmd::GallerySoundQuickInsert:
    case cmd::GalleryVideoQuickInsert:
        QuickInsertMedia(file);
        break;
    case cmd::GallerySoundWithOptions:
        InsertMediaWithDialog(file, false);
        break;
    case cmd::GalleryVideoPreviewInsert:
        InsertMediaWithDialog(file, true);
        break;
    case cmd::GallerySoundBackground:
    case cmd::GallerySoundLoopingBackground:
        if (PropertyWriter())
            PropertyWriter()->InsertBackgroundSound(file, id == cmd::GallerySoundLoopingBackground);
        break;
    default:
        break;
    }
}
