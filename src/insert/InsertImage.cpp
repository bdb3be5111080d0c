#include "insert/InsertImage.h"

#include "insert/CInsertImageDlg.h"
#include "sites/SiteDefinitions.h"
#include "toolkit/QtBridge.h"

#include <vector>

bool RunInsertImage(const ImageInsertTarget &target, const ImagePreset &preset)
{
    const std::string pagePath = fromQt(target.pagePath);
    CInsertImageDlg dialog(target.imageNames, target.pagePath,
                           toQt(GetResourceFolder(pagePath).folder), target.parent);
    dialog.Preset(preset);
    if (dialog.DoModal() != QDialog::Accepted)
        return false;
    const QString html = toQt(BuildInsertedImage(dialog.Values(), pagePath));
    return target.insertHtml && target.insertHtml(html);
}

bool InsertGalleryImage(const ImageInsertTarget &target, const QString &file, bool clickFromPath)
{
    const std::string path = fromQt(file);
    if (clickFromPath && !OpensImageDialog(path))
        return false;
    std::vector<std::string> names;
    for (const QString &name : target.imageNames)
        names.push_back(fromQt(name));
    return RunInsertImage(target, GalleryImagePreset(path, names, clickFromPath));
}
