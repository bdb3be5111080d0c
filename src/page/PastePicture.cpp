#include "page/PastePicture.h"

#include "imagelib/CBmp.h"
#include "imagelib/ImageServices.h"
#include "insert/PastedPicture.h"
#include "sites/NewPage.h"
#include "toolkit/CInputDlg.h"
#include "toolkit/MessageBox.h"
#include "toolkit/QtBridge.h"
#include "util/AppProfile.h"
#include "util/FileUtil.h"

#include <QMimeData>
#include <QPainter>
#include <QSvgRenderer>

namespace {

const QString kSvgFormat = QStringLiteral("image/svg+xml");

// Whether a bitmap of that size stays within what the image library takes.
bool WithinLimits(const PastedPictureSize &size)
{
    const imagelib::ImageLimits limits = imagelib::GetImageLimits();
    if (size.width > limits.maxDimension || size.height > limits.maxDimension)
        return false;
    const qint64 pixels = qint64(size.width) * qint64(size.height);
    return pixels <= qint64(limits.maxBytes / 4);
}

QImage WhiteCanvas(const PastedPictureSize &size, QString *problem)
{
    if (!WithinLimits(size)) {
        if (problem)
            *problem = QStringLiteral("The picture on the clipboard is too large (%1 x %2).")
                           .arg(size.width)
                           .arg(size.height);
        return QImage();
    }
    QImage canvas(size.width, size.height, QImage::Format_RGB32);
    if (canvas.isNull()) {
        if (problem)
            *problem = QStringLiteral("Can't allocate memory");
        return QImage();
    }
    canvas.fill(Qt::white);
    return canvas;
}

// The rendering as a 24-bit picture of the image library.
bool ToPicture(const QImage &image, CBmp &picture, QString *problem)
{
    CDib dib;
    std::string error;
    if (!dib.Create(image.width(), image.height(), 24, &error, false)) {
        if (problem)
            *problem = toQt(error);
        return false;
    }
    for (int y = 0; y < image.height(); ++y) {
        const auto *source = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        uint8_t *row = dib.RowFromTop(y);
        for (int x = 0; x < image.width(); ++x) {
            row[3 * x] = static_cast<uint8_t>(qBlue(source[x]));
            row[3 * x + 1] = static_cast<uint8_t>(qGreen(source[x]));
            row[3 * x + 2] = static_cast<uint8_t>(qRed(source[x]));
        }
    }
    picture.SetDib(std::move(dib));
    return true;
}

QString AskFileName(QWidget *parent, const QString &proposed)
{
    CInputDlg dialog(QStringLiteral("Type in the name of the file"), proposed, parent);
    if (dialog.DoModal() != QDialog::Accepted)
        return QString();
    return dialog.Text();
}

} // namespace

bool HasClipboardPicture(const QMimeData *data)
{
    return data && (data->hasFormat(kSvgFormat) || data->hasImage());
}

QImage RenderClipboardPicture(const QMimeData *data, QString *problem)
{
    if (problem)
        problem->clear();
    if (!data)
        return QImage();
    if (data->hasFormat(kSvgFormat)) {
        QSvgRenderer drawing(data->data(kSvgFormat));
        if (drawing.isValid()) {
            const QSize own = drawing.defaultSize();
            QImage canvas = WhiteCanvas(PastedPictureSizeFor(own.width(), own.height()), problem);
            if (canvas.isNull())
                return QImage();
            QPainter painter(&canvas);
            painter.setRenderHint(QPainter::Antialiasing);
            drawing.render(&painter, QRectF(canvas.rect()));
            return canvas;
        }
    }
    // Image data, also when a drawing came with it that cannot be read.
    if (data->hasImage()) {
        const QImage image = qvariant_cast<QImage>(data->imageData());
        if (!image.isNull()) {
            QImage canvas =
                WhiteCanvas(PastedPictureSizeFor(image.width(), image.height()), problem);
            if (canvas.isNull())
                return QImage();
            QPainter painter(&canvas);
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawImage(QRectF(canvas.rect()), image);
            return canvas;
        }
    }
    if (problem && HasClipboardPicture(data))
        *problem = QStringLiteral("The picture on the clipboard cannot be read.");
    return QImage();
}

bool PasteClipboardPicture(const PastePictureTarget &target, const QMimeData *data)
{
    QString problem;
    const QImage rendering = RenderClipboardPicture(data, &problem);
    if (rendering.isNull()) {
        if (!problem.isEmpty())
            ShowMessageBox(target.parent, problem, QMessageBox::Ok, QMessageBox::Warning);
        return false;
    }

    const PastedPictureTarget where =
        PastedPictureTargetFor(fromQt(target.pagePath), util::AppProfile());
    if (where.folder.empty()) {
        // The picture becomes a file beside the page, so the page needs a folder first.
        ShowMessageBox(target.parent,
                       QStringLiteral("Save the page before pasting a picture: the picture is "
                                      "written as a file beside the page."),
                       QMessageBox::Ok, QMessageBox::Warning);
        return false;
    }

    std::string name = NextPastedPictureName(where.folder);
    if (target.askName) {
        const QString typed = AskFileName(target.parent, toQt(name));
        if (typed.isEmpty())
            return false;
        name = fromQt(typed);
        // A name of the user's choice may be that of a file the site already has (the page
        // itself, even): it is replaced only when the user says so.
        const std::string path = util::JoinPath(where.folder, name);
        if (util::FileExists(path) &&
            ShowMessageBox(
                target.parent,
                toQt(path) + QStringLiteral(" already exists. Do you want to replace it?"),
                QMessageBox::Yes | QMessageBox::No, QMessageBox::Question) != QMessageBox::Yes)
            return false;
    }

    CBmp picture;
    if (!ToPicture(rendering, picture, &problem)) {
        ShowMessageBox(target.parent, problem, QMessageBox::Ok, QMessageBox::Warning);
        return false;
    }
    if (!WritePastedPicture(picture, where.folder, name)) {
        ShowMessageBox(target.parent, toQt(std::string(kFileWritingFailedMessage)));
        return false;
    }
    if (target.insertHtml)
        target.insertHtml(toQt(PastedPictureHtml(where.subFolder, name)));
    return true;
}
