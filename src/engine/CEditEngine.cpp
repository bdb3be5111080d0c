#include "engine/CEditEngine.h"

#include "engine/CEngineBridge.h"
#include "engine/CEnginePage.h"
#include "engine/CFindDialog.h"
#include "engine/CFontPromptDialog.h"
#include "engine/CInputPromptDialog.h"
#include "engine/CPageCodec.h"
#include "engine/CPageSchemeHandler.h"
#include "engine/CSourceFilter.h"
#include "toolkit/QtBridge.h"
#include "util/FileUtil.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMimeData>
#include <QPageLayout>
#include <QPageSize>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSet>
#include <QStackedLayout>
#include <QUrl>
#include <QWebEngineLoadingInfo>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineView>

static void InitEngineResources()
{
    Q_INIT_RESOURCE(engine);
}

namespace {

const char *const kRuntimeFiles[] = {
    ":/engine/js/core.js",      ":/engine/js/journal.js",   ":/engine/js/commands.js",
    ":/engine/js/pagemodel.js", ":/engine/js/serialize.js", ":/engine/js/aids.js",
    ":/engine/js/tables.js",    ":/engine/js/position.js",  ":/engine/js/sound.js",
    ":/engine/js/prompts.js",   ":/engine/js/sourcemap.js", ":/engine/js/runs.js",
};

// The runtime files in one script, in their own function scope after the bootstrap object of
// the load (a JSON literal built by QJsonDocument). Each file may have a marker line: what
// follows it goes into the text kLateSource, compiled once the page is editable (the runtime's
// loadLate); the rest runs as the document is created.
const QString kLateMarker = QStringLiteral("// ---- compiled once the page is editable ----");

QString RuntimeSource(const QJsonObject &bootstrap)
{
    static QString early, lateLiteral;
    if (early.isEmpty()) {
        InitEngineResources();
        QString late;
        for (const char *name : kRuntimeFiles) {
            QFile file(QString::fromLatin1(name));
            if (!file.open(QIODevice::ReadOnly)) {
                qWarning("engine: runtime file %s is missing", name);
                continue;
            }
            const QString text = QString::fromUtf8(file.readAll());
            const qsizetype marker = text.indexOf(kLateMarker);
            early += (marker < 0 ? text : text.left(marker)) + QLatin1Char('\n');
            if (marker >= 0)
                late += text.mid(marker) + QLatin1Char('\n');
        }
        late += QStringLiteral("//# sourceURL=pelion-engine-late.js\n");
        // A JSON string is a JavaScript string literal.
        const QByteArray json = QJsonDocument(QJsonArray{late}).toJson(QJsonDocument::Compact);
        lateLiteral = QString::fromUtf8(json.mid(1, json.size() - 2));
    }
    return QStringLiteral("(function () {\n'use strict';\nconst kBootstrap = ") +
           QString::fromUtf8(QJsonDocument(bootstrap).toJson(QJsonDocument::Compact)) +
           QStringLiteral(";\nconst kLateSource = ") + lateLiteral + QStringLiteral(";\n") + early +
           QStringLiteral("})();\n");
}

const QString kRuntimeName = QStringLiteral("pelion-engine");

const char kBlankPage[] = "<html><head><title></title></head><body></body></html>";

struct EngineState
{
    int selection = 0;
    QHash<int, int> flags;
    QString fontName;
    int fontSize = 0;
    QString blockFormat;
    int color = -1;
    QString title;
    QStringList images;
    QVariantMap body;
    QString link;  // href of the link around the selection
    QString sound; // src of the background sound playing
    bool modified = false;
    QString charset;
    QVariantMap raw;
};

const QStringList &BlockFormatNames()
{
    static const QStringList names = {
        QStringLiteral("Normal"),    QStringLiteral("Heading 1"), QStringLiteral("Heading 2"),
        QStringLiteral("Heading 3"), QStringLiteral("Heading 4"), QStringLiteral("Heading 5"),
        QStringLiteral("Heading 6"), QStringLiteral("Formatted"), QStringLiteral("Address")};
    return names;
}

QString BodyAttributeName(CEditEngine::BodyAttribute a)
{
    switch (a) {
    case CEditEngine::BodyAttribute::Background:
        return QStringLiteral("background");
    case CEditEngine::BodyAttribute::BgProperties:
        return QStringLiteral("bgproperties");
    case CEditEngine::BodyAttribute::BgColor:
        return QStringLiteral("bgcolor");
    case CEditEngine::BodyAttribute::Link:
        return QStringLiteral("link");
    case CEditEngine::BodyAttribute::VLink:
        return QStringLiteral("vlink");
    case CEditEngine::BodyAttribute::ALink:
        return QStringLiteral("alink");
    }
    return {};
}

bool IsColourAttribute(CEditEngine::BodyAttribute a)
{
    return a != CEditEngine::BodyAttribute::Background &&
           a != CEditEngine::BodyAttribute::BgProperties;
}

} // namespace

class CEditEnginePrivate
{
public:
    explicit CEditEnginePrivate(CEditEngine *engine)
        : q(engine)
    {}

    using Reply = std::function<void(bool ok, const QVariant &result)>;

    CEditEngine *q;
    std::shared_ptr<bool> alive = std::make_shared<bool>(true);
    QStackedLayout *stack = nullptr;
    QWebEngineView *view = nullptr;
    CEnginePage *page = nullptr;
    CEngineBridge *bridge = nullptr;
    CPageSchemeHandler *scheme = nullptr;

    // The current load.
    quint64 generation = 0;
    bool loading = false;
    bool loaded = false;
    QUrl pageUrl;            // what the view loaded
    QSet<QUrl> foreignLoads; // navigations started by the page itself (and refused)
    QString currentFile;     // where Save() writes; empty for a blank page or an http page
    bool filtered = false;
    int filterFlags = EngineFilter::None;
    QByteArray original; // the bytes as read (or last written); valid when haveOriginal
    bool haveOriginal = false;
    CPageCodec::Detection detection;
    std::unique_ptr<CSourceFilter> filter; // set for a filtered load

    EngineState state;
    qint64 lastSeq = 0;
    QString lastTitle;
    bool titleReported = false;

    // Options that have no effect on this engine but keep their latched state.
    bool activateActiveX = false;
    bool activateApplets = false;
    bool activateDTCs = false;

    CEditEngine::Mode mode = CEditEngine::Mode::Editor;
    QWebEngineView *browserView = nullptr; // browser mode: a live copy of the page
    QUrl browserUrl;
    bool showBorders = false;
    bool showDetails = false;
    QPoint grid;
    bool constrain = false;

    QPointer<CFindDialog> findDialog;
    std::unique_ptr<QPrinter> printer; // kept alive while a print job runs
    bool printing = false;
    bool busyCursor = false; // the wait cursor of a long runtime pass is showing

    void exec(int id, const QJsonValue &input, Reply done = {});
    QJsonObject displayOptions() const;
    void enterBrowserMode();
    void enterEditorMode();
    bool print(const QVariant &input, bool prompt);
    void printWithDialog();
    void printFinished(bool ok);
    QWebEngineView *activeView() const { return browserView ? browserView : view; }
    QString sourceReference(const QString &text) const;
    // Serialised page text as it goes to a file (filter-out done, line ends as the page's).
    QString pageText(const QVariantMap &serialised) const;
    QByteArray encodePage(const QString &text, const QVariantMap &serialised) const;

    void call(QJsonObject request, Reply done = {});
    void applyState(const QVariantMap &map);
    void startLoad(const QUrl &url, const QJsonObject &options = {});
    void onLoadFinished(bool ok);
    void finishLoad(bool ok);
    bool pageSucceeded = false; // Chromium finished the load
    bool runtimeReady = false;  // the runtime's first push of this load arrived
    bool readyInPage(const QVariantMap &map) const;
    void finishSave(const QString &target, const QByteArray &bytes, int depth, bool serialised,
                    const CEditEngine::SaveCallback &done);
    void save(const QString &path, bool filteredSave, int flags, CEditEngine::SaveCallback done);
    bool clipboardHasContent() const;
};

void CEditEnginePrivate::call(QJsonObject request, Reply done)
{
    if (!loaded && !loading) {
        if (done)
            done(false, {});
        return;
    }
    const QString script =
        QStringLiteral("__pelionEngine.call(%1)")
            .arg(QString::fromUtf8(QJsonDocument(request).toJson(QJsonDocument::Compact)));
    const quint64 gen = generation;
    std::weak_ptr<bool> guard = alive;
    page->runJavaScript(script, QWebEngineScript::ApplicationWorld,
                        [this, guard, gen, done](const QVariant &answer) {
                            auto isAlive = guard.lock();
                            if (!isAlive || !*isAlive)
                                return;
                            const QVariantMap map = answer.toMap();
                            if (gen == generation && map.value(QStringLiteral("state")).isValid())
                                applyState(map.value(QStringLiteral("state")).toMap());
                            if (done) {
                                if (gen != generation)
                                    done(false, {});
                                else
                                    done(map.value(QStringLiteral("ok")).toBool(),
                                         map.value(QStringLiteral("result")));
                            }
                        });
}

void CEditEnginePrivate::applyState(const QVariantMap &map)
{
    if (map.isEmpty() || map.value(QStringLiteral("gen")).toULongLong() != generation)
        return;
    const qint64 seq = map.value(QStringLiteral("seq")).toLongLong();
    if (seq <= lastSeq)
        return; // an older push overtaken by a reply
    lastSeq = seq;
    EngineState s;
    s.selection = map.value(QStringLiteral("sel")).toInt();
    const QVariantMap flags = map.value(QStringLiteral("flags")).toMap();
    for (auto it = flags.constBegin(); it != flags.constEnd(); ++it)
        s.flags.insert(it.key().toInt(), it.value().toInt());
    s.fontName = map.value(QStringLiteral("fontName")).toString();
    s.fontSize = map.value(QStringLiteral("fontSize")).toInt();
    s.blockFormat = map.value(QStringLiteral("blockFormat")).toString();
    s.color = map.value(QStringLiteral("color")).toInt();
    s.title = map.value(QStringLiteral("title")).toString();
    s.images = map.value(QStringLiteral("images")).toStringList();
    s.body = map.value(QStringLiteral("body")).toMap();
    s.modified = map.value(QStringLiteral("modified")).toBool();
    s.charset = map.value(QStringLiteral("charset")).toString();
    s.link = map.value(QStringLiteral("link")).toString();
    s.sound = map.value(QStringLiteral("sound")).toString();
    QVariantMap comparable = map;
    comparable.remove(QStringLiteral("seq"));
    s.raw = comparable;
    const bool changed = s.raw != state.raw;
    const bool ready = map.value(QStringLiteral("ready")).toBool();
    state = std::move(s);
    if (loading) {
        if (ready && !runtimeReady) {
            runtimeReady = true;
            if (pageSucceeded || readyInPage(map))
                finishLoad(true);
        }
        return;
    }
    if (!loaded)
        return;
    if (!titleReported || state.title != lastTitle) {
        titleReported = true;
        lastTitle = state.title;
        emit q->titleChanged(state.title);
    }
    if (changed)
        emit q->updateCommands();
}

bool CEditEnginePrivate::clipboardHasContent() const
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
    return data && (data->hasText() || data->hasHtml() || data->hasImage() || data->hasUrls());
}

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
    QJsonObject bootstrap;
    bootstrap.insert(QStringLiteral("gen"), double(generation));
    bootstrap.insert(QStringLiteral("token"), bridge->Token());
    QJsonObject allOptions = displayOptions();
    for (auto it = options.constBegin(); it != options.constEnd(); ++it)
        allOptions.insert(it.key(), it.value());
    bootstrap.insert(QStringLiteral("options"), allOptions);
    QWebEngineScriptCollection &scripts = page->scripts();
    for (const QWebEngineScript &old : scripts.find(kRuntimeName))
        scripts.remove(old);
    QWebEngineScript runtime;
    runtime.setName(kRuntimeName);
    runtime.setInjectionPoint(QWebEngineScript::DocumentCreation);
    runtime.setWorldId(QWebEngineScript::ApplicationWorld);
    runtime.setRunsOnSubFrames(false);
    runtime.setSourceCode(RuntimeSource(bootstrap));
    scripts.insert(runtime);

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

CEditEngine::CEditEngine(QWidget *parent)
    : QWidget(parent)
    , d(std::make_unique<CEditEnginePrivate>(this))
{
    d->stack = new QStackedLayout(this);
    d->stack->setContentsMargins(0, 0, 0, 0);
    d->view = new QWebEngineView(this);
    d->page = new CEnginePage(d->view);
    d->view->setPage(d->page);
    d->stack->addWidget(d->view);
    setFocusProxy(d->view);

    d->scheme = CPageSchemeHandler::ForProfile(d->page->profile());
    d->bridge = new CEngineBridge(this);
    d->page->SetBridge(d->bridge);

    connect(d->bridge, &CEngineBridge::stateArrived, this,
            [this](const QVariantMap &state) { d->applyState(state); });
    // A long pass of the runtime (formatting a large selection) tells its progress while it
    // runs: a wait cursor and the text in the status bar until it reports itself done.
    connect(d->bridge, &CEngineBridge::notified, this,
            [this](const QString &what, const QVariantMap &data) {
                if (what != QLatin1String("busy"))
                    return;
                const bool done = data.value(QStringLiteral("done")).toBool();
                if (!done && !d->busyCursor) {
                    d->busyCursor = true;
                    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
                } else if (done && d->busyCursor) {
                    d->busyCursor = false;
                    QGuiApplication::restoreOverrideCursor();
                }
                emit progressText(data.value(QStringLiteral("text")).toString());
            });
    // loadingChanged rather than loadFinished: a navigation the page refuses (a meta refresh,
    // say) reports its own start and failure, which must not end our load.
    connect(d->page, &QWebEnginePage::loadingChanged, this,
            [this](const QWebEngineLoadingInfo &info) {
                switch (info.status()) {
                case QWebEngineLoadingInfo::LoadStartedStatus:
                    if (info.url() != d->pageUrl)
                        d->foreignLoads.insert(info.url());
                    break;
                case QWebEngineLoadingInfo::LoadSucceededStatus:
                case QWebEngineLoadingInfo::LoadFailedStatus:
                case QWebEngineLoadingInfo::LoadStoppedStatus:
                    if (d->foreignLoads.remove(info.url()))
                        break;
                    d->onLoadFinished(info.status() == QWebEngineLoadingInfo::LoadSucceededStatus &&
                                      !info.isErrorPage());
                    break;
                }
            });
    connect(d->page, &QWebEnginePage::loadProgress, this, [this](int percent) {
        if (d->loading && percent < 100)
            emit progressText(QStringLiteral("Loading %1%").arg(percent));
    });
    connect(d->page, &QWebEnginePage::printRequested, this, [this] { d->printWithDialog(); });
    connect(d->view, &QWebEngineView::printFinished, this,
            [this](bool ok) { d->printFinished(ok); });
    connect(d->page, &QWebEnginePage::pdfPrintingFinished, this,
            [this](const QString &, bool ok) { d->printFinished(ok); });
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [this] {
        if (d->loaded)
            emit updateCommands();
    });
}

CEditEngine::~CEditEngine()
{
    *d->alive = false;
    if (d->busyCursor)
        QGuiApplication::restoreOverrideCursor();
    if (d->scheme && !d->pageUrl.isEmpty())
        d->scheme->Withdraw(d->pageUrl);
}

void CEditEngine::RegisterUrlScheme()
{
    CPageSchemeHandler::RegisterScheme();
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
        d->startLoad(d->scheme->Publish(QString(), kBlankPage, "text/html;charset=UTF-8"));
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
    if (filtered) {
        // The page text as the filter sees it; Chromium gets the filtered text in UTF-8 (the
        // save encodes in the page's own charset again).
        const bool utf16 = d->detection.charset.startsWith("UTF-16");
        d->filter = std::make_unique<CSourceFilter>();
        d->filter->FilterIn(CPageCodec::Decode(d->original, d->detection.charset),
                            utf16 ? int(EngineFilter::None) : filterFlags);
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
            d->scheme->Publish(absolute, d->filter->Served().toUtf8(), "text/html;charset=UTF-8"),
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
    const bool ok = util::WriteFileAtomic(
        fromQt(target), std::string(bytes.constData(), size_t(bytes.size())), &error);
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
            call(request, [done](bool, const QVariant &) {
                if (done)
                    done(true, QString());
            });
            return;
        }
    }
    if (done)
        done(ok, ok ? QString() : toQt(error));
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

int CEditEngine::QueryEngineCommand(int id) const
{
    if (!d->loaded)
        return 0;
    constexpr int on = EngineFlag::Supported | EngineFlag::Enabled;
    const auto latched = [](bool state) { return state ? int(EngineFlag::Latched) : 0; };
    const bool browsing = d->mode == Mode::Browser;
    switch (id) {
    case EngineId::BrowseMode:
        return on | latched(browsing);
    case EngineId::EditMode:
        return on | latched(!browsing);
    case EngineId::Print:
        return d->printing ? int(EngineFlag::Supported) : on;
    // The activation options keep their latched state; this engine never activates controls,
    // applets or DTCs differently, so they have no further effect.
    case EngineId::ActivateActiveX:
        return on | latched(d->activateActiveX);
    case EngineId::ActivateApplets:
        return on | latched(d->activateApplets);
    case EngineId::ActivateDTCs:
        return on | latched(d->activateDTCs);
    default:
        break;
    }
    // Browser mode shows a live copy of the page; nothing in it can be edited.
    if (browsing)
        return d->state.flags.contains(id) ? int(EngineFlag::Supported) : 0;
    const int flags = d->state.flags.value(id);
    if (id == EngineId::Paste && (flags & EngineFlag::Enabled) && !d->clipboardHasContent())
        return flags & ~EngineFlag::Enabled;
    return flags;
}

void CEditEnginePrivate::exec(int id, const QJsonValue &input, Reply done)
{
    QJsonObject request;
    request.insert(QStringLiteral("op"), QStringLiteral("exec"));
    request.insert(QStringLiteral("id"), id);
    request.insert(QStringLiteral("input"), input);
    call(request, std::move(done));
}

QJsonObject CEditEnginePrivate::displayOptions() const
{
    QJsonObject options;
    options.insert(QStringLiteral("showBorders"), showBorders);
    options.insert(QStringLiteral("showDetails"), showDetails);
    options.insert(QStringLiteral("gridX"), grid.x());
    options.insert(QStringLiteral("gridY"), grid.y());
    options.insert(QStringLiteral("constrain"), constrain);
    return options;
}

static QJsonObject PointInput(const QVariant &input, bool *ok)
{
    QPoint point;
    if (input.canConvert<QPoint>() && input.typeId() == QMetaType::QPoint) {
        point = input.toPoint();
        *ok = true;
    } else if (input.typeId() == QMetaType::QVariantMap) {
        const QVariantMap map = input.toMap();
        bool okX = false, okY = false;
        point = QPoint(map.value(QStringLiteral("x")).toInt(&okX),
                       map.value(QStringLiteral("y")).toInt(&okY));
        *ok = okX && okY;
    } else {
        *ok = false;
    }
    return QJsonObject{{QStringLiteral("x"), point.x()}, {QStringLiteral("y"), point.y()}};
}

// A file chosen for an image becomes a reference relative to the page's folder when it lies
// inside it, a file: URL otherwise; anything else (a URL, a relative name) stays as typed.
QString CEditEnginePrivate::sourceReference(const QString &text) const
{
    const QFileInfo file(text);
    if (!file.isAbsolute() || !file.isFile())
        return text;
    if (!currentFile.isEmpty()) {
        const QDir folder = QFileInfo(currentFile).absoluteDir();
        const QString relative = folder.relativeFilePath(file.absoluteFilePath());
        if (!relative.startsWith(QLatin1String("../")))
            return relative;
    }
    return QUrl::fromLocalFile(file.absoluteFilePath()).toString();
}

bool CEditEngine::ExecEngineCommand(int id, const QVariant &input, QVariant *output, bool prompt)
{
    if (!d->loaded)
        return false;
    const bool wantsValue = output && !input.isValid();
    switch (id) {
    case EngineId::BlockFormat:
        if (wantsValue) {
            *output = d->state.blockFormat;
            return true;
        }
        break;
    case EngineId::FontName:
        if (wantsValue) {
            *output = d->state.fontName;
            return true;
        }
        break;
    case EngineId::FontSize:
        if (wantsValue) {
            *output = d->state.fontSize;
            return true;
        }
        break;
    case EngineId::FontColor:
        if (wantsValue) {
            *output = d->state.color;
            return true;
        }
        break;
    case EngineId::BlockFormatNames:
        if (output)
            *output = BlockFormatNames();
        return true;
    case EngineId::ActivateActiveX:
    case EngineId::ActivateApplets:
    case EngineId::ActivateDTCs:
        (id == EngineId::ActivateActiveX   ? d->activateActiveX
         : id == EngineId::ActivateApplets ? d->activateApplets
                                           : d->activateDTCs) = input.toBool();
        emit updateCommands();
        return true;
    case EngineId::ShowBorders:
    case EngineId::ShowDetails:
        (id == EngineId::ShowBorders ? d->showBorders : d->showDetails) = input.toBool();
        d->exec(id, input.toBool());
        return true;
    case EngineId::SetAlignmentGrid: {
        bool ok = false;
        const QJsonObject point = PointInput(input, &ok);
        if (!ok || point.value(QStringLiteral("x")).toInt() < 0 ||
            point.value(QStringLiteral("y")).toInt() < 0)
            return false;
        d->grid = QPoint(point.value(QStringLiteral("x")).toInt(),
                         point.value(QStringLiteral("y")).toInt());
        d->exec(id, point);
        return true;
    }
    case EngineId::Constrain:
        d->constrain = input.toBool();
        d->exec(id, d->constrain);
        return true;
    case EngineId::BrowseMode:
        d->enterBrowserMode();
        return true;
    case EngineId::EditMode:
        d->enterEditorMode();
        return true;
    case EngineId::Print:
        return d->print(input, prompt);
    default:
        break;
    }

    const int flags = QueryEngineCommand(id);
    if (!(flags & EngineFlag::Enabled))
        return false;

    switch (id) {
    case EngineId::Copy:
        d->page->triggerAction(QWebEnginePage::Copy);
        return true;
    case EngineId::Cut:
        d->page->triggerAction(QWebEnginePage::Cut);
        return true;
    case EngineId::Paste:
        d->page->triggerAction(QWebEnginePage::Paste);
        return true;
    case EngineId::Find: {
        if (prompt) {
            if (!d->findDialog) {
                d->findDialog = new CFindDialog(this);
                connect(d->findDialog, &CFindDialog::findRequested, this,
                        [this](const QVariantMap &options) {
                            d->exec(EngineId::Find, QJsonObject::fromVariantMap(options),
                                    [this](bool ok, const QVariant &found) {
                                        if (d->findDialog)
                                            d->findDialog->ShowResult(ok && found.toBool());
                                        emit findResult(ok && found.toBool());
                                    });
                        });
            }
            if (!input.toString().isEmpty())
                d->findDialog->SetText(input.toString());
            d->findDialog->show();
            d->findDialog->raise();
            d->findDialog->activateWindow();
            return true;
        }
        QVariantMap options = input.typeId() == QMetaType::QVariantMap
                                  ? input.toMap()
                                  : QVariantMap{{QStringLiteral("text"), input.toString()}};
        if (options.value(QStringLiteral("text")).toString().isEmpty())
            return false;
        d->exec(id, QJsonObject::fromVariantMap(options),
                [this](bool ok, const QVariant &found) { emit findResult(ok && found.toBool()); });
        return true;
    }
    case EngineId::FontDialog: {
        if (prompt) {
            CFontPromptDialog::Start start;
            const auto checkState = [this](int command) {
                const int f = QueryEngineCommand(command);
                return (f & EngineFlag::Indeterminate) ? Qt::PartiallyChecked
                       : (f & EngineFlag::Latched)     ? Qt::Checked
                                                       : Qt::Unchecked;
            };
            start.face = d->state.fontName;
            start.size = d->state.fontSize;
            start.bold = checkState(EngineId::Bold);
            start.italic = checkState(EngineId::Italic);
            start.underline = checkState(EngineId::Underline);
            start.color = d->state.color;
            auto *dialog = new CFontPromptDialog(start, this);
            dialog->setAttribute(Qt::WA_DeleteOnClose);
            dialog->setWindowModality(Qt::WindowModal);
            connect(dialog, &QDialog::accepted, this, [this, dialog] {
                const QVariantMap values = dialog->Values();
                if (!values.isEmpty())
                    d->exec(EngineId::FontDialog, QJsonObject::fromVariantMap(values));
            });
            dialog->open();
            return true;
        }
        if (input.typeId() != QMetaType::QVariantMap)
            return false;
        d->exec(id, QJsonObject::fromVariantMap(input.toMap()));
        return true;
    }
    case EngineId::Hyperlink:
    case EngineId::InsertImage: {
        const bool link = id == EngineId::Hyperlink;
        if (prompt) {
            const QString initial =
                link ? (d->state.link.isEmpty() ? QStringLiteral("http://") : d->state.link)
                     : QString();
            auto *dialog = new CInputPromptDialog(
                link ? tr("Hyperlink") : tr("Image"), link ? tr("&Address:") : tr("&Source:"),
                initial,
                link ? QString() : tr("Images (*.gif *.jpg *.jpeg *.png *.bmp);;All Files (*)"),
                this);
            dialog->setAttribute(Qt::WA_DeleteOnClose);
            dialog->setWindowModality(Qt::WindowModal);
            connect(dialog, &QDialog::accepted, this, [this, dialog, id, link] {
                const QString text = dialog->Text();
                if (link && (text.isEmpty() || text == QLatin1String("http://")) &&
                    d->state.link.isEmpty())
                    return;
                if (!link && text.isEmpty())
                    return;
                d->exec(id, link ? text : d->sourceReference(text));
            });
            dialog->open();
            return true;
        }
        if (link) {
            d->exec(id, input.toString());
            return true;
        }
        if (input.typeId() == QMetaType::QVariantMap) {
            QVariantMap map = input.toMap();
            if (map.value(QStringLiteral("src")).toString().trimmed().isEmpty())
                return false;
            map.insert(QStringLiteral("src"),
                       d->sourceReference(map.value(QStringLiteral("src")).toString()));
            d->exec(id, QJsonObject::fromVariantMap(map));
            return true;
        }
        if (input.toString().trimmed().isEmpty())
            return false;
        d->exec(id, d->sourceReference(input.toString().trimmed()));
        return true;
    }
    case EngineId::NudgeElement: {
        bool ok = false;
        const QJsonObject point = PointInput(input, &ok);
        if (!ok)
            return false;
        d->exec(id, point);
        return true;
    }
    case EngineId::InsertTable:
        if (input.isValid() && input.typeId() != QMetaType::QVariantMap)
            return false;
        d->exec(id, QJsonObject::fromVariantMap(input.toMap()));
        return true;
    case EngineId::BlockFormat:
        if (!BlockFormatNames().contains(input.toString()))
            return false;
        break;
    case EngineId::FontName:
        if (input.toString().trimmed().isEmpty())
            return false;
        break;
    case EngineId::FontSize: {
        bool ok = false;
        const int size = input.toInt(&ok);
        if (!ok || size < 1 || size > 7)
            return false;
        break;
    }
    case EngineId::FontColor: {
        bool ok = false;
        input.toInt(&ok);
        if (!ok)
            return false;
        break;
    }
    default:
        break;
    }
    d->exec(id, QJsonValue::fromVariant(input));
    return true;
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
    browserView = new QWebEngineView(q);
    auto *browserPage = new QWebEnginePage(page->profile(), browserView);
    browserView->setPage(browserPage);
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

CEditEngine::SelectionType CEditEngine::GetSelectionType() const
{
    if (!d->loaded)
        return SelectionType::None;
    switch (d->state.selection) {
    case 1:
        return SelectionType::Text;
    case 2:
        return SelectionType::Control;
    default:
        return SelectionType::None;
    }
}

bool CEditEngine::InsertHtmlAtSelection(const QString &fragment)
{
    if (GetSelectionType() != SelectionType::Text)
        return false;
    QJsonObject request;
    request.insert(QStringLiteral("op"), QStringLiteral("insertHtml"));
    request.insert(QStringLiteral("html"), fragment);
    d->call(request);
    return true;
}

bool CEditEngine::InsertHtmlInParentElement(const QString &where, const QString &fragment)
{
    static const QStringList known = {QStringLiteral("beforebegin"), QStringLiteral("afterbegin"),
                                      QStringLiteral("beforeend"), QStringLiteral("afterend")};
    if (GetSelectionType() != SelectionType::Text || !known.contains(where.toLower()))
        return false;
    QJsonObject request;
    request.insert(QStringLiteral("op"), QStringLiteral("insertAdjacent"));
    request.insert(QStringLiteral("where"), where);
    request.insert(QStringLiteral("html"), fragment);
    d->call(request);
    return true;
}

QStringList CEditEngine::GetPageImageNames() const
{
    return d->loaded ? d->state.images : QStringList();
}

QString CEditEngine::GetBodyAttribute(BodyAttribute attribute) const
{
    return d->state.body.value(BodyAttributeName(attribute)).toString();
}

bool CEditEngine::SetBodyAttribute(BodyAttribute attribute, const QVariant &value)
{
    if (!d->loaded)
        return false;
    QJsonObject request;
    request.insert(QStringLiteral("op"), QStringLiteral("setBody"));
    request.insert(QStringLiteral("name"), BodyAttributeName(attribute));
    if (IsColourAttribute(attribute) && value.typeId() != QMetaType::QString) {
        bool ok = false;
        const int colour = value.toInt(&ok);
        if (!ok)
            return false;
        request.insert(QStringLiteral("value"), colour);
    } else {
        request.insert(QStringLiteral("value"), value.toString());
    }
    d->call(request);
    return true;
}

QString CEditEngine::GetTitle() const
{
    return d->state.title;
}

void CEditEngine::SetTitle(const QString &title)
{
    QJsonObject request;
    request.insert(QStringLiteral("op"), QStringLiteral("setTitle"));
    request.insert(QStringLiteral("title"), title);
    d->call(request);
}

void CEditEngine::ApplyDisplayOptions(const DisplayOptions &options)
{
    ExecEngineCommand(EngineId::ActivateDTCs, options.activateDTCs);
    ExecEngineCommand(EngineId::ActivateActiveX, options.activateActiveX);
    ExecEngineCommand(EngineId::ActivateApplets, options.activateApplets);
    ExecEngineCommand(EngineId::ShowDetails, options.showDetails);
    ExecEngineCommand(EngineId::ShowBorders, options.showBorders);
}

CEditEngine::Mode CEditEngine::CurrentMode() const
{
    return d->mode;
}

QString CEditEngine::PlayingBackgroundSound() const
{
    return d->loaded && d->mode == Mode::Editor ? d->state.sound : QString();
}

void CEditEngine::RunWhenIdle(std::function<void()> callback)
{
    if (!d->loaded) {
        if (callback)
            callback();
        return;
    }
    QJsonObject request;
    request.insert(QStringLiteral("op"), QStringLiteral("sync"));
    d->call(request, [callback](bool, const QVariant &) {
        if (callback)
            callback();
    });
}

void CEditEngine::SetFormattingPass(FormattingPass pass, std::function<void(int passes)> done)
{
    QJsonObject request;
    request.insert(QStringLiteral("op"), QStringLiteral("ownPass"));
    if (pass != FormattingPass::Automatic)
        request.insert(QStringLiteral("force"), pass == FormattingPass::Own);
    d->call(request, [done](bool ok, const QVariant &result) {
        if (done)
            done(ok ? result.toInt() : -1);
    });
}

void CEditEngine::InputEventsReceived(std::function<void(int)> done)
{
    if (!d->loaded) {
        if (done)
            done(-1);
        return;
    }
    QJsonObject request;
    request.insert(QStringLiteral("op"), QStringLiteral("inputs"));
    d->call(request, [done](bool ok, const QVariant &result) {
        if (done)
            done(ok ? result.toInt() : -1);
    });
}

void CEditEngine::RuntimeStatistics(std::function<void(double, int)> done, bool reset)
{
    QJsonObject request;
    request.insert(QStringLiteral("op"), QStringLiteral("stats"));
    request.insert(QStringLiteral("reset"), reset);
    d->call(request, [done](bool ok, const QVariant &result) {
        const QVariantMap r = result.toMap();
        if (done)
            done(ok ? r.value(QStringLiteral("ms")).toDouble() : 0.0,
                 ok ? r.value(QStringLiteral("calls")).toInt() : 0);
    });
}
