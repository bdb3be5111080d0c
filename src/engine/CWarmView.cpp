#include "engine/CWarmView.h"

#include "engine/CEnginePage.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>
#include <QUrl>
#include <QWebEngineView>

namespace {

struct WarmView
{
    QPointer<QWebEngineView> view;
    bool prepared = false;
    bool ready = false;
};

WarmView &warm()
{
    static WarmView state;
    return state;
}

} // namespace

void CWarmView::Prepare()
{
    WarmView &state = warm();
    if (state.prepared || !QCoreApplication::instance())
        return;
    state.prepared = true;
    auto *view = new QWebEngineView;
    auto *page = new CEnginePage(view);
    view->setPage(page);
    state.view = view;
    QObject::connect(page, &QWebEnginePage::loadFinished, view, [](bool ok) { warm().ready = ok; });
    // A view nobody took is gone before the engine shuts down.
    QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit,
                     [] { delete warm().view.data(); });
    const QUrl blank(QStringLiteral("about:blank"));
    page->AllowNavigation(blank);
    page->load(blank);
}

QWebEngineView *CWarmView::Take()
{
    WarmView &state = warm();
    if (!state.view)
        return nullptr;
    if (!state.ready) {
        // The renderer has been starting while the windows were built; what is left of its
        // start is waited for here, so that the empty document's load ends before the taker
        // listens to the page.
        QEventLoop loop;
        QObject::connect(state.view->page(), &QWebEnginePage::loadFinished, &loop,
                         &QEventLoop::quit);
        QTimer::singleShot(10000, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    if (!state.view || !state.ready) {
        delete state.view.data();
        return nullptr;
    }
    QWebEngineView *view = state.view.data();
    QObject::disconnect(view->page(), &QWebEnginePage::loadFinished, view, nullptr);
    state.view.clear();
    return view;
}
