#include "engine/CEditEngine.h"

#include "engine/CEngineBridge.h"
#include "engine/CEnginePage.h"
#include "engine/CPageCodec.h"
#include "engine/CPageSchemeHandler.h"
#include "toolkit/QtBridge.h"
#include "util/FileUtil.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMimeData>
#include <QSet>
#include <QStackedLayout>
#include <QUrl>
#include <QWebChannel>
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
};

// qwebchannel.js and the runtime files in one script, the runtime in its own function scope
// after the bootstrap object of the load (a JSON literal built by QJsonDocument).
QString RuntimeSource(const QJsonObject &bootstrap)
{
    static QString channel, runtime;
    if (runtime.isEmpty()) {
        InitEngineResources();
        QFile channelFile(QStringLiteral(":/qtwebchannel/qwebchannel.js"));
        if (channelFile.open(QIODevice::ReadOnly))
            channel = QString::fromUtf8(channelFile.readAll());
        for (const char *name : kRuntimeFiles) {
            QFile file(QString::fromLatin1(name));
            if (file.open(QIODevice::ReadOnly))
                runtime += QString::fromUtf8(file.readAll()) + QLatin1Char('\n');
            else
                qWarning("engine: runtime file %s is missing", name);
        }
    }
    return channel + QStringLiteral("\n(function () {\n'use strict';\nconst kBootstrap = ") +
           QString::fromUtf8(QJsonDocument(bootstrap).toJson(QJsonDocument::Compact)) +
           QStringLiteral(";\n") + runtime + QStringLiteral("})();\n");
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

    CEditEngine *q;
    std::shared_ptr<bool> alive = std::make_shared<bool>(true);
    QStackedLayout *stack = nullptr;
    QWebEngineView *view = nullptr;
    CEnginePage *page = nullptr;
    QWebChannel *channel = nullptr;
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

    EngineState state;
    qint64 lastSeq = 0;
    QString lastTitle;
    bool titleReported = false;

    // Options that have no effect on this engine but keep their latched state.
    bool activateActiveX = false;
    bool activateApplets = false;
    bool activateDTCs = false;

    CEditEngine::Mode mode = CEditEngine::Mode::Editor;

    using Reply = std::function<void(bool ok, const QVariant &result)>;
    void call(QJsonObject request, Reply done = {});
    void applyState(const QVariantMap &map);
    void startLoad(const QUrl &url, const QJsonObject &options = {});
    void onLoadFinished(bool ok);
    void finishLoad(bool ok);
    bool pageSucceeded = false; // Chromium finished the load
    bool runtimeReady = false;  // the runtime's first push of this load arrived
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
    QVariantMap comparable = map;
    comparable.remove(QStringLiteral("seq"));
    s.raw = comparable;
    const bool changed = s.raw != state.raw;
    const bool ready = map.value(QStringLiteral("ready")).toBool();
    state = std::move(s);
    if (loading) {
        if (ready && !runtimeReady) {
            runtimeReady = true;
            if (pageSucceeded)
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

void CEditEnginePrivate::startLoad(const QUrl &url, const QJsonObject &options)
{
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
    bootstrap.insert(QStringLiteral("options"), options);
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
    d->channel = new QWebChannel(this);
    d->channel->registerObject(QStringLiteral("engineHost"), d->bridge);
    d->page->setWebChannel(d->channel, QWebEngineScript::ApplicationWorld);

    connect(d->bridge, &CEngineBridge::stateArrived, this,
            [this](const QVariantMap &state) { d->applyState(state); });
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
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [this] {
        if (d->loaded)
            emit updateCommands();
    });
}

CEditEngine::~CEditEngine()
{
    *d->alive = false;
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
        const QByteArray contentType = "text/html;charset=" + d->detection.charset;
        d->startLoad(d->scheme->Publish(absolute, d->original, contentType));
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
            QJsonObject request;
            request.insert(QStringLiteral("op"), QStringLiteral("markSaved"));
            request.insert(QStringLiteral("depth"), depth);
            call(request);
        }
    }
    if (done)
        done(ok, ok ? QString() : toQt(error));
}

void CEditEnginePrivate::save(const QString &path, bool filteredSave, int flags,
                              CEditEngine::SaveCallback done)
{
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
    request.insert(QStringLiteral("onlyIfModified"), haveOriginal && !filteredSave);
    call(request, [this, target, done](bool ok, const QVariant &result) {
        if (!ok) {
            if (done)
                done(false, QStringLiteral("The page could not be serialised."));
            return;
        }
        const QVariantMap r = result.toMap();
        const int depth = r.value(QStringLiteral("depth")).toInt();
        const QVariant html = r.value(QStringLiteral("html"));
        if (!r.value(QStringLiteral("modified")).toBool() && haveOriginal) {
            finishSave(target, original, depth, false, done);
            return;
        }
        QString text = html.toString();
        if (detection.crlf)
            text = CPageCodec::ToCrLf(text);
        // The charset Chromium decoded the page with, so that every character reads back.
        QByteArray charset = r.value(QStringLiteral("charset")).toString().toLatin1();
        if (charset.isEmpty())
            charset = detection.charset;
        finishSave(target, CPageCodec::Encode(text, charset), depth, true, done);
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
        QString text = result.toMap().value(QStringLiteral("html")).toString();
        if (d->detection.crlf)
            text = CPageCodec::ToCrLf(text);
        QByteArray charset = result.toMap().value(QStringLiteral("charset")).toString().toLatin1();
        if (charset.isEmpty())
            charset = d->detection.charset;
        done(CPageCodec::Encode(text, charset));
    });
}

int CEditEngine::QueryEngineCommand(int id) const
{
    if (!d->loaded)
        return 0;
    switch (id) {
    case EngineId::ActivateActiveX:
        return EngineFlag::Supported | EngineFlag::Enabled |
               (d->activateActiveX ? EngineFlag::Latched : 0);
    case EngineId::ActivateApplets:
        return EngineFlag::Supported | EngineFlag::Enabled |
               (d->activateApplets ? EngineFlag::Latched : 0);
    case EngineId::ActivateDTCs:
        return EngineFlag::Supported | EngineFlag::Enabled |
               (d->activateDTCs ? EngineFlag::Latched : 0);
    case EngineId::Paste: {
        const int flags = d->state.flags.value(id);
        if ((flags & EngineFlag::Enabled) && !d->clipboardHasContent())
            return flags & ~EngineFlag::Enabled;
        return flags;
    }
    default:
        return d->state.flags.value(id);
    }
}

bool CEditEngine::ExecEngineCommand(int id, const QVariant &input, QVariant *output, bool prompt)
{
    Q_UNUSED(prompt);
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
        d->activateActiveX = input.toBool();
        emit updateCommands();
        return true;
    case EngineId::ActivateApplets:
        d->activateApplets = input.toBool();
        emit updateCommands();
        return true;
    case EngineId::ActivateDTCs:
        d->activateDTCs = input.toBool();
        emit updateCommands();
        return true;
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
        QVariantMap options = input.typeId() == QMetaType::QVariantMap
                                  ? input.toMap()
                                  : QVariantMap{{QStringLiteral("text"), input.toString()}};
        if (options.value(QStringLiteral("text")).toString().isEmpty())
            return false;
        QJsonObject request;
        request.insert(QStringLiteral("op"), QStringLiteral("exec"));
        request.insert(QStringLiteral("id"), id);
        request.insert(QStringLiteral("input"), QJsonObject::fromVariantMap(options));
        d->call(request,
                [this](bool ok, const QVariant &found) { emit findResult(ok && found.toBool()); });
        return true;
    }
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

    QJsonObject request;
    request.insert(QStringLiteral("op"), QStringLiteral("exec"));
    request.insert(QStringLiteral("id"), id);
    request.insert(QStringLiteral("input"), QJsonValue::fromVariant(input));
    d->call(request);
    return true;
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
