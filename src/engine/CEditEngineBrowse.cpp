#include "engine/CEditEnginePrivate.h"
#include "engine/PageFolders.h"

#include <QCoreApplication>
#include <QPointer>
#include <QStackedLayout>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>

namespace {

// Refuses the file: requests of a browser-mode page (its resources and what its scripts read)
// outside the page's folders; the page scheme checks its own requests alike.
class FileRequestFilter : public QWebEngineUrlRequestInterceptor
{
public:
    FileRequestFilter(const QStringList &folders, QObject *parent)
        : QWebEngineUrlRequestInterceptor(parent)
        , m_folders(folders)
    {}

    void interceptRequest(QWebEngineUrlRequestInfo &info) override
    {
        const QUrl url = info.requestUrl();
        if (url.isLocalFile() &&
            PageFolders::Check(url.toLocalFile(), m_folders) != PageFolders::Access::Allowed)
            info.block(true);
    }

private:
    const QStringList m_folders;
};

QWebEngineProfile *g_browseProfile = nullptr;

// A post routine runs while the application object goes, before Qt WebEngine shuts down.
void DeleteBrowseProfile()
{
    delete g_browseProfile;
    g_browseProfile = nullptr;
}

} // namespace

// One profile for the browser-mode pages of every engine, off the record (nothing they store
// reaches the disk, nor the editing views' profile), made on first use and kept until the
// application object goes.
QWebEngineProfile *CEditEnginePrivate::browseProfile()
{
    if (g_browseProfile)
        return g_browseProfile;
    g_browseProfile = new QWebEngineProfile; // no storage name: off the record
    g_browseProfile->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
    g_browseProfile->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
    QWebEngineSettings *s = g_browseProfile->settings();
    s->setAttribute(QWebEngineSettings::JavascriptEnabled, true);
    s->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    // The page is served through the page scheme, which answers its relative references; a
    // file: URL it names is read only when inside its folders (FileRequestFilter). Nothing
    // needs the file-origin rules relaxed.
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    CPageSchemeHandler::ForProfile(g_browseProfile);
    qAddPostRoutine(DeleteBrowseProfile);
    return g_browseProfile;
}

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
    // The copy's folders are those of the page as it was opened; they hold for the copy's
    // requests through both the page scheme and file: URLs.
    const QStringList folders = PageFolders::ForPage(currentFile);
    QWebEngineProfile *profile = browseProfile();
    browserScheme = CPageSchemeHandler::ForProfile(profile);
    browserView = new QWebEngineView(q);
    auto *browserPage = new QWebEnginePage(profile, browserView);
    browserPage->setUrlRequestInterceptor(new FileRequestFilter(folders, browserPage));
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
    call(request, [this, target, folders](bool ok, const QVariant &result) {
        if (!target || !ok)
            return;
        const QByteArray html = pageText(result.toMap()).toUtf8();
        const QUrl url =
            browserScheme->Publish(currentFile, html, "text/html;charset=UTF-8", folders);
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
        browserScheme->Withdraw(browserUrl);
        browserUrl.clear();
    }
    stack->setCurrentWidget(view);
    QJsonObject soundOn{{QStringLiteral("op"), QStringLiteral("sound")},
                        {QStringLiteral("enabled"), true}};
    call(soundOn);
    emit q->modeChanged(mode);
    emit q->updateCommands();
}
