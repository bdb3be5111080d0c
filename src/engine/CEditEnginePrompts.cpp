#include "engine/CEditEnginePrivate.h"

#include "engine/CFontPromptDlg.h"
#include "engine/CInputPromptDlg.h"

void CEditEnginePrivate::promptFind(const QString &text)
{
    if (!findDialog) {
        findDialog = new CFindDlg(q);
        QObject::connect(findDialog, &CFindDlg::findRequested, q,
                         [this](const QVariantMap &options) {
                             exec(EngineId::Find, QJsonObject::fromVariantMap(options),
                                  [this](bool ok, const QVariant &found) {
                                      if (findDialog)
                                          findDialog->ShowResult(ok && found.toBool());
                                      emit q->findResult(ok && found.toBool());
                                  });
                         });
    }
    if (!text.isEmpty())
        findDialog->SetText(text);
    findDialog->show();
    findDialog->raise();
    findDialog->activateWindow();
}

void CEditEnginePrivate::promptFont()
{
    CFontPromptDlg::Start start;
    const auto checkState = [this](int command) {
        const int f = q->QueryEngineCommand(command);
        return (f & EngineFlag::Indeterminate) ? Qt::PartiallyChecked
               : (f & EngineFlag::Latched)     ? Qt::Checked
                                               : Qt::Unchecked;
    };
    start.face = state.fontName;
    start.size = state.fontSize;
    start.bold = checkState(EngineId::Bold);
    start.italic = checkState(EngineId::Italic);
    start.underline = checkState(EngineId::Underline);
    start.color = state.color;
    auto *dialog = new CFontPromptDlg(start, q);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::WindowModal);
    QObject::connect(dialog, &QDialog::accepted, q, [this, dialog] {
        const QVariantMap values = dialog->Values();
        if (!values.isEmpty())
            exec(EngineId::FontDialog, QJsonObject::fromVariantMap(values));
    });
    dialog->open();
}

void CEditEnginePrivate::promptInput(int id)
{
    const bool link = id == EngineId::Hyperlink;
    const QString initial =
        link ? (state.link.isEmpty() ? QStringLiteral("http://") : state.link) : QString();
    auto *dialog = new CInputPromptDlg(
        link ? CEditEngine::tr("Hyperlink") : CEditEngine::tr("Image"),
        link ? CEditEngine::tr("&Address:") : CEditEngine::tr("&Source:"), initial,
        link ? QString()
             : CEditEngine::tr("Images (*.gif *.jpg *.jpeg *.png *.bmp);;All Files (*)"),
        q);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::WindowModal);
    QObject::connect(dialog, &QDialog::accepted, q, [this, dialog, id, link] {
        const QString text = dialog->Text();
        if (link && (text.isEmpty() || text == QLatin1String("http://")) && state.link.isEmpty())
            return;
        if (!link && text.isEmpty())
            return;
        exec(id, link ? text : sourceReference(text));
    });
    dialog->open();
}
