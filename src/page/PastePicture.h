#pragma once

#include "insert/HtmlInserter.h"

#include <QImage>
#include <QString>

class QMimeData;
class QWidget;

// Paste Special: the picture on the clipboard (an SVG drawing or image data, the drawing
// preferred) drawn on white at its own size, written as a JPEG file in the page's resource
// folder and referred to by an image tag at the selection.

// True when data carries a picture that Paste Special takes.
bool HasClipboardPicture(const QMimeData *data);

// The picture of data drawn at its own size (200 x 200 for tiny ones), stretched to the whole
// bitmap over white. A null image when there is none or it cannot be drawn; problem (when
// given) then holds a message for the user, or stays empty when there simply is no picture.
QImage RenderClipboardPicture(const QMimeData *data, QString *problem = nullptr);

struct PastePictureTarget
{
    QWidget *parent = nullptr;
    QString pagePath;
    // Asks for the file name (AutoSaveMetafiles off) instead of taking the next free one.
    bool askName = false;
    HtmlInserter insertHtml;
};

// Pastes the picture of data into the page. Nothing happens without a picture or when the
// name question is cancelled; failures are shown ("Error: file writing failed" when the file
// cannot be written) and insert nothing. True when the file was written; the tag may still
// have been refused by an object selection.
bool PasteClipboardPicture(const PastePictureTarget &target, const QMimeData *data);
