#include "engine/CEditEnginePrivate.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QWebEngineView>

// Printing goes through the view on screen (the editing view, or the browser view in browser
// mode); the display aids are screen-only style sheets, so paper never shows them.
bool CEditEnginePrivate::print(const QVariant &input, bool prompt)
{
    if (printing)
        return false;
    if (prompt) {
        printWithDialog();
        return true;
    }
    const QString pdf = input.toString();
    if (!pdf.isEmpty()) {
        printing = true;
        activeView()->page()->printToPdf(
            pdf, QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
        return true;
    }
    if (QPrinterInfo::defaultPrinter().isNull())
        return false;
    printing = true;
    printer = std::make_unique<QPrinter>(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
    activeView()->print(printer.get());
    return true;
}

void CEditEnginePrivate::printWithDialog()
{
    if (printing)
        return;
    auto owned = std::make_unique<QPrinter>(QPrinter::HighResolution);
    auto *dialog = new QPrintDialog(owned.get(), q);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::WindowModal);
    printer = std::move(owned);
    printing = true;
    QObject::connect(dialog, &QDialog::finished, q, [this](int result) {
        if (result != QDialog::Accepted) {
            printing = false;
            printer.reset();
            emit q->printFinished(false);
            return;
        }
        activeView()->print(printer.get());
    });
    dialog->open();
}

void CEditEnginePrivate::printFinished(bool ok)
{
    if (!printing)
        return;
    printing = false;
    // The printer may still be in use by the caller of this signal; free it afterwards.
    QPrinter *done = printer.release();
    QMetaObject::invokeMethod(
        q, [done] { delete done; }, Qt::QueuedConnection);
    emit q->printFinished(ok);
}
