#pragma once

#include "engine/CEditEngine.h"
#include "engine/CEngineBridge.h"
#include "engine/CEnginePage.h"
#include "engine/CFindDlg.h"
#include "engine/CPageCodec.h"
#include "engine/CPageSchemeHandler.h"
#include "engine/CSourceFilter.h"

#include <QHash>
#include <QJsonObject>
#include <QJsonValue>
#include <QPointer>
#include <QPrinter>
#include <QSet>
#include <QUrl>
#include <QVariantMap>

#include <functional>
#include <memory>

class QStackedLayout;
class QWebEngineProfile;
class QWebEngineView;

// The engine's state as the runtime last pushed it (the cache Query/Exec and the page-model
// getters answer from).
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

// The engine's parts share this state; each part lives in its own file:
// CEditEngine.cpp (set-up, the runtime's source, calls into the runtime, state, page model),
// CEditEngineLoadSave.cpp, CEditEngineCommands.cpp (the command table),
// CEditEnginePrompts.cpp (the prompting commands' dialogs), CEditEngineBrowse.cpp (browser mode)
// and CEditEnginePrint.cpp.
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
    QUrl browserUrl;                       // the copy, published by browserScheme
    CPageSchemeHandler *browserScheme = nullptr; // the page scheme of browseProfile()
    bool showBorders = false;
    bool showDetails = false;
    QPoint grid;
    bool constrain = false;

    QPointer<CFindDlg> findDialog;
    std::unique_ptr<QPrinter> printer; // kept alive while a print job runs
    bool printing = false;
    bool busyCursor = false; // the wait cursor of a long runtime pass is showing

    void exec(int id, const QJsonValue &input, Reply done = {});
    QJsonObject displayOptions() const;
    static QWebEngineProfile *browseProfile();
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

    // The prompting commands' dialogs (window-modal, not blocking); what the user confirms is
    // executed as the command with that input.
    void promptFind(const QString &text);
    void promptFont();
    void promptInput(int id); // Hyperlink or InsertImage

    // Injects the runtime for the load of the current generation, before the page is created.
    void installRuntime(const QJsonObject &options);
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
