#include "engine/CEditEnginePrivate.h"

#include <QPointer>
#include <QStackedLayout>
#include <QWebEngineView>

// Browser mode: the page as it stands now, serialised and shown in a second view with page
// scripts on. The editing view keeps its document and history untouched underneath.
void CEditEnginePrivate::enterBrowserMode()
{
    if (mode == CEditEngine::Mode::Browser)
        return;
    mode = CEditEngine::Mode::Browser;
    QJsonObject soundOff{{QStringLiteral("op"), QStringLiteral("sound")},
                         {QStringLiteral("enabled"), false}};
    call(soundOff);
    browserView = new QWebEngineView(q);
    auto *browserPage = new QWebEnginePage(page->profile(), browserView);
    browserView->setPage(browserPage);
    browserView->setContextMenuPolicy(Qt::CustomContextMenu);
    QPointer<QWebEngineView> shown = browserView;
    QObject::connect(browserView, &QWidget::customContextMenuRequested, q,
                     [this, shown](const QPoint &at) {
                         if (shown)
                             emit q->contextMenuRequested(shown->mapToGlobal(at));
                     });
    stack->addWidget(browserView);
    stack->setCurrentWidget(browserView);
    QObject::connect(browserPage, &QWebEnginePage::printRequested, q,
                     [this] { printWithDialog(); });
    QObject::connect(browserView, &QWebEngineView::printFinished, q,
                     [this](bool ok) { printFinished(ok); });
    QObject::connect(browserPage, &QWebEnginePage::pdfPrintingFinished, q,
                     [this](const QString &, bool ok) { printFinished(ok); });
    QJsonObject request{{QStringLiteral("op"), QStringLiteral("serialize")},
                        {QStringLiteral("forBrowser"), true}};
    QPointer<QWebEngineView> target = browserView;
    call(request, [this, target](bool ok, const QVariant &result) {
        if (!target || !ok)
            return;
        const QByteArray html = pageText(result.toMap()).toUtf8();
        const QUrl url = scheme->Publish(currentFile, html, "text/html;charset=UTF-8");
        browserUrl = url;
        target->load(url);
    });
    emit q->modeChanged(mode);
    emit q->updateCommands();
}

void CEditEnginePrivate::enterEditorMode()
{
    if (mode == CEditEngine::Mode::Editor)
        return;
    mode = CEditEngine::Mode::Editor;
    if (browserView) {
        stack->removeWidget(browserView);
        browserView->deleteLater(); // its page, scripts and sounds end with it
        browserView = nullptr;
    }
    if (!browserUrl.isEmpty()) {
        scheme->Withdraw(browserUrl);
        browserUrl.clear();
    }
    stack->setCurrentWidget(view);
    QJsonObject soundOn{{QStringLiteral("op"), QStringLiteral("sound")},
                        {QStringLiteral("enabled"), true}};
    call(soundOn);
    emit q->modeChanged(mode);
    emit q->updateCommands();
}
