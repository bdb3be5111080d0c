#include "engine/CEditEngine.h"

#include "engine/CEditEnginePrivate.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QMimeData>
#include <QStackedLayout>
#include <QWebEngineLoadingInfo>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
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
    ":/engine/js/prompts.js",   ":/engine/js/sourcemap.js", ":/engine/js/sourcecontent.js",
    ":/engine/js/runs.js",
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

void CEditEnginePrivate::installRuntime(const QJsonObject &options)
{
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
    // The browser's own menu (back, reload, save page...) has no place in an editor; the host
    // shows its own.
    d->view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(d->view, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { emit contextMenuRequested(d->view->mapToGlobal(at)); });

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
    if (d->browserScheme && !d->browserUrl.isEmpty())
        d->browserScheme->Withdraw(d->browserUrl);
}

void CEditEngine::RegisterUrlScheme()
{
    CPageSchemeHandler::RegisterScheme();
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
