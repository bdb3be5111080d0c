#include "engine/CEditEngine.h"

#include "engine/CEditEnginePrivate.h"
#include "engine/PageFolders.h"
#include "toolkit/QtBridge.h"
#include "util/FileUtil.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QWebEngineSettings>

namespace {

const char kBlankPage[] = "<html><head><title></title></head><body></body></html>";

// The largest page whose source an ordinary open keeps (see Load). The save of a changed page
// writes the unchanged part before the first change as one piece of source and stays fast up to
// several megabytes; the open is what bounds this. A page that keeps its source reaches Chromium
// numbered and through the page scheme, and takes several times as long to become editable as a
// plain open of the file (about 2 s against 0.4 s for 1 MB, 4-6 s against 0.4 s for 2 MB).
constexpr qsizetype kKeepSourceLimit = 1024 * 1024;

} // namespace

// A local page is editable once the runtime has set it up: the document is parsed and the
// first state is here. Chromium's load event also waits for the page's images and frames, which
// can take long (or forever, for an image on a server that does not answer) and change nothing
// for editing. A page from a server waits for Chromium all the same, which alone knows whether
// the server answered with an error.
bool CEditEnginePrivate::readyInPage(const QVariantMap &map) const
{
    if (!pageUrl.isLocalFile() && pageUrl.scheme() != QLatin1String(CPageSchemeHandler::SchemeName))
        return false;
    return QUrl(map.value(QStringLiteral("url")).toString()) == pageUrl;
}

void CEditEnginePrivate::startLoad(const QUrl &url, const QJsonObject &options)
{
    if (mode == CEditEngine::Mode::Browser)
        enterEditorMode();
    ++generation;
    loading = true;
    loaded = false;
    pageSucceeded = false;
    runtimeReady = false;
    lastSeq = 0;
    titleReported = false;
    state = EngineState();
    if (scheme && !pageUrl.isEmpty())
        scheme->Withdraw(pageUrl);
    pageUrl = url;
    foreignLoads.clear();

    // The runtime of this load, told its generation and options up front, so that it reports
    // itself ready without a round trip after the load.
    installRuntime(options);

    page->AllowNavigation(url);
    const QString name = currentFile.isEmpty() ? url.toDisplayString() : currentFile;
    emit q->progressText(QStringLiteral("Loading %1").arg(QFileInfo(name).fileName()));
    page->load(url);
}

void CEditEnginePrivate::onLoadFinished(bool ok)
{
    if (!loading || pageSucceeded)
        return;
    if (!ok) {
        finishLoad(false);
        return;
    }
    pageSucceeded = true;
    if (runtimeReady) {
        finishLoad(true);
        return;
    }
    // The first push is late (or the runtime is missing, as in a document that is not HTML):
    // ask directly.
    QJsonObject request;
    request.insert(QStringLiteral("op"), QStringLiteral("init"));
    const quint64 gen = generation;
    call(request, [this, gen](bool ok, const QVariant &) {
        if (gen == generation && loading)
            finishLoad(ok);
    });
}

void CEditEnginePrivate::finishLoad(bool ok)
{
    loading = false;
    page->LoadEnded();
    loaded = ok;
    if (ok) {
        titleReported = true;
        lastTitle = state.title;
        emit q->titleChanged(state.title);
        emit q->updateCommands();
    }
    emit q->progressText(ok ? QStringLiteral("Done") : QString());
    emit q->loadFinished(ok);
}

bool CEditEngine::Load(const QString &path, bool filtered, int filterFlags)
{
    d->filtered = false;
    d->filter.reset();
    d->filterFlags = filterFlags;
    d->haveOriginal = false;
    d->original.clear();
    d->detection = CPageCodec::Detection();
    d->detection.charset = "UTF-8";

    if (path.startsWith(QLatin1String("file:")) || path.startsWith(QLatin1String("http:"))) {
        const QUrl url(path);
        if (!url.isValid())
            return false;
        d->currentFile.clear();
        d->detection.charset.clear(); // Chromium decides; the save asks the document
        if (url.isLocalFile()) {
            // Read as well, so that an unchanged page saves byte for byte.
            d->currentFile = url.toLocalFile();
            std::string bytes;
            if (!util::ReadFile(fromQt(d->currentFile), bytes))
                return false;
            d->original = QByteArray(bytes.data(), qsizetype(bytes.size()));
            d->haveOriginal = true;
            d->detection = CPageCodec::Detect(d->original);
            d->page->settings()->setDefaultTextEncoding(QString::fromLatin1(d->detection.charset));
        }
        d->startLoad(url);
        return true;
    }

    if (path.isEmpty()) {
        d->currentFile.clear();
        d->startLoad(d->scheme->Publish(QString(), kBlankPage, "text/html;charset=UTF-8", {}));
        return true;
    }
    const QString absolute = QFileInfo(path).absoluteFilePath();
    std::string data;
    if (!QFileInfo(absolute).isFile() || !util::ReadFile(fromQt(absolute), data))
        return false;
    d->original = QByteArray(data.data(), qsizetype(data.size()));
    d->haveOriginal = true;
    d->currentFile = absolute;
    d->detection = CPageCodec::Detect(d->original);
    d->filtered = filtered;
    const bool utf16 = d->detection.charset.startsWith("UTF-16");
    // With source formatting on, every page keeps its source for the save (the ordinary open
    // takes only that part of the filter: server blocks stay page text). Pages above
    // kKeepSourceLimit keep the standard save.
    const bool keepSource = !utf16 && (filterFlags & EngineFilter::SourceFormatting) &&
                            d->original.size() <= kKeepSourceLimit;
    if (filtered || keepSource) {
        // The page text as the filter sees it; Chromium gets the filtered text in UTF-8 (the
        // save encodes in the page's own charset again).
        d->filter = std::make_unique<CSourceFilter>();
        d->filter->FilterIn(CPageCodec::Decode(d->original, d->detection.charset),
                            utf16      ? int(EngineFilter::None)
                            : filtered ? filterFlags
                                       : int(EngineFilter::SourceFormatting));
        QJsonObject options;
        if (d->filter->Flags() & EngineFilter::SourceFormatting) {
            QJsonArray spans;
            for (const CSourceFilter::Span &span : d->filter->Spans()) {
                spans.append(span.start);
                spans.append(span.startTagEnd);
                spans.append(span.endTagStart);
                spans.append(span.end);
            }
            options.insert(QStringLiteral("filter"),
                           QJsonObject{{QStringLiteral("sourceMap"), true},
                                       {QStringLiteral("source"), d->filter->Plain()},
                                       {QStringLiteral("spans"), spans},
                                       {QStringLiteral("crlf"), d->detection.crlf}});
        }
        d->startLoad(
            d->scheme->Publish(absolute, d->filter->Served().toUtf8(), "text/html;charset=UTF-8",
                               PageFolders::ForPage(absolute)),
            options);
        return true;
    }
    // Chromium reads the file itself (faster than any scheme handler for large pages); it uses
    // the declared charset, and for an undeclared page the default encoding, which is the one
    // we detected.
    d->page->settings()->setDefaultTextEncoding(QString::fromLatin1(d->detection.charset));
    d->startLoad(QUrl::fromLocalFile(absolute));
    return true;
}

bool CEditEngine::IsLoaded() const
{
    return d->loaded;
}

QString CEditEngine::CurrentPath() const
{
    return d->currentFile;
}

bool CEditEngine::IsFilteredLoad() const
{
    return d->filtered;
}

bool CEditEngine::IsModified() const
{
    return d->loaded && d->state.modified;
}

void CEditEnginePrivate::finishSave(const QString &target, const QByteArray &bytes, int depth,
                                    bool serialised, const CEditEngine::SaveCallback &done)
{
    std::string error;
    bool inPlace = false;
    const bool ok = util::WriteFileAtomic(
        fromQt(target), std::string(bytes.constData(), size_t(bytes.size())), &error, &inPlace);
    // A successful save reports a message only when it was not atomic (read-only folder).
    const QString note = inPlace ? QStringLiteral("Saved in place: the folder is read-only, so "
                                                  "the save was not atomic.")
                                 : QString();
    if (ok) {
        currentFile = target;
        original = bytes;
        haveOriginal = true;
        if (serialised) {
            // The callback waits for the runtime to take the saved point, so that IsModified()
            // is already false in it (edits made since the serialisation still count).
            QJsonObject request;
            request.insert(QStringLiteral("op"), QStringLiteral("markSaved"));
            request.insert(QStringLiteral("depth"), depth);
            call(request, [done, note](bool, const QVariant &) {
                if (done)
                    done(true, note);
            });
            return;
        }
    }
    if (done)
        done(ok, ok ? note : toQt(error));
}

QString CEditEnginePrivate::pageText(const QVariantMap &serialised) const
{
    QString text = serialised.value(QStringLiteral("html")).toString();
    if (detection.crlf && !serialised.value(QStringLiteral("lineEndsDone")).toBool())
        text = CPageCodec::ToCrLf(text);
    // Also for a plain save of a filtered page: the kept blocks always go back into the file.
    if (filter)
        text = filter->FilterOut(text);
    return text;
}

QByteArray CEditEnginePrivate::encodePage(const QString &text, const QVariantMap &serialised) const
{
    // The charset Chromium decoded the page with, so that every character reads back; a
    // filtered page was given to Chromium in UTF-8 and goes back in its own charset.
    QByteArray charset = filter ? detection.charset
                                : serialised.value(QStringLiteral("charset")).toString().toLatin1();
    if (charset.isEmpty())
        charset = detection.charset.isEmpty() ? QByteArray("UTF-8") : detection.charset;
    QByteArray bytes = CPageCodec::Encode(text, charset);
    if (detection.bom && CPageCodec::CanonicalLabel(charset) == "UTF-8")
        bytes.prepend("\xEF\xBB\xBF");
    return bytes;
}

void CEditEnginePrivate::save(const QString &path, bool filteredSave, int flags,
                              CEditEngine::SaveCallback done)
{
    // The blocks the load kept aside go back whatever the save is called; the flags of a
    // filtered save cannot add what the load did not take apart.
    Q_UNUSED(filteredSave);
    Q_UNUSED(flags);
    const QString target = path.isEmpty() ? currentFile : QFileInfo(path).absoluteFilePath();
    if (!loaded || target.isEmpty()) {
        if (done)
            done(false, loaded ? QStringLiteral("The page has no file to save to.")
                               : QStringLiteral("No page is loaded."));
        return;
    }
    QJsonObject request;
    request.insert(QStringLiteral("op"), QStringLiteral("serialize"));
    request.insert(QStringLiteral("onlyIfModified"), haveOriginal);
    call(request, [this, target, done](bool ok, const QVariant &result) {
        if (!ok) {
            if (done)
                done(false, QStringLiteral("The page could not be serialised."));
            return;
        }
        const QVariantMap r = result.toMap();
        const int depth = r.value(QStringLiteral("depth")).toInt();
        if (!r.value(QStringLiteral("modified")).toBool() && haveOriginal) {
            finishSave(target, original, depth, false, done);
            return;
        }
        const QString text = pageText(r);
        finishSave(target, encodePage(text, r), depth, true, done);
    });
}

void CEditEngine::Save(const QString &path, SaveCallback done)
{
    d->save(path, false, 0, std::move(done));
}

void CEditEngine::SaveFiltered(const QString &path, int filterFlags, SaveCallback done)
{
    d->save(path, true, filterFlags, std::move(done));
}

void CEditEngine::Serialize(std::function<void(const QByteArray &)> done)
{
    QJsonObject request;
    request.insert(QStringLiteral("op"), QStringLiteral("serialize"));
    request.insert(QStringLiteral("onlyIfModified"), false);
    d->call(request, [this, done](bool ok, const QVariant &result) {
        if (!done)
            return;
        if (!ok) {
            done({});
            return;
        }
        const QVariantMap r = result.toMap();
        done(d->encodePage(d->pageText(r), r));
    });
}
