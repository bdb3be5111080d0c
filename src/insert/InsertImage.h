#pragma once

#include "insert/ImageInsertion.h"

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

// What inserting an image needs of the page it goes into.
struct ImageInsertTarget
{
    QWidget *parent = nullptr;
    QString pagePath;
    QStringList imageNames; // the page's image names (GetPageImageNames)
    // Inserts HTML at the selection; false when the selection cannot take it.
    std::function<bool(const QString &html)> insertHtml;
};

// Runs the Insert image dialog with the preset and, after OK, copies the files it names into
// the page's resource folder and inserts the tag. Cancel copies and inserts nothing. True when
// the tag was inserted.
bool RunInsertImage(const ImageInsertTarget &target, const ImagePreset &preset = ImagePreset());

// A file the gallery hands over: "Preview and Insert" (clickFromPath false) or a file activated
// in the gallery tree (clickFromPath true, the click action then comes from the file's path).
// An activated file that does not open the dialog (not an image or animation, or a background)
// is left to the caller: false without a dialog. Otherwise as RunInsertImage.
bool InsertGalleryImage(const ImageInsertTarget &target, const QString &file, bool clickFromPath);
