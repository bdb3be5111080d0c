#include "app/CStartupTrace.h"

#include "page/CCEditView.h"
#include "toolkit/CDocument.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <ctime>

CStartupTrace *CStartupTrace::FromEnvironment(QObject *parent)
{
    if (!qEnvironmentVariableIsSet("PELION_STARTUP_TRACE"))
        return nullptr;
    const bool quit = qEnvironmentVariable("PELION_STARTUP_TRACE") == QLatin1String("quit");
    return new CStartupTrace(quit, parent);
}

CStartupTrace::CStartupTrace(bool quitWhenLoaded, QObject *parent)
    : QObject(parent)
    , m_quitWhenLoaded(quitWhenLoaded)
{}

void CStartupTrace::mark(const char *what)
{
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    std::fprintf(stderr, "pelion-startup: %s %lld.%06ld\n", what,
                 static_cast<long long>(now.tv_sec), now.tv_nsec / 1000);
    std::fflush(stderr);
}

void CStartupTrace::WatchWindow(QWidget *window)
{
    window->installEventFilter(this);
}

bool CStartupTrace::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Paint && !m_windowMarked) {
        m_windowMarked = true;
        watched->removeEventFilter(this);
        mark("window-visible");
    }
    return false;
}

void CStartupTrace::WatchPage(CDocument *document)
{
    if (!document)
        return;
    for (CView *view : document->Views()) {
        auto *page = qobject_cast<CCEditView *>(view);
        if (!page)
            continue;
        ++m_pending;
        // The first load of a view decides; later loads (reloads) are not start-up.
        auto done = std::make_shared<bool>(false);
        connect(page, &CCEditView::loadFinished, this, [this, done](bool ok) {
            if (*done)
                return;
            *done = true;
            pageDone(ok);
        });
        connect(page, &QObject::destroyed, this, [this, done] {
            if (*done)
                return;
            *done = true;
            pageDone(false);
        });
    }
}

void CStartupTrace::pageDone(bool ok)
{
    --m_pending;
    if (ok && !m_pageMarked) {
        m_pageMarked = true;
        mark("page-editable");
    }
    if (!ok) {
        ++m_failed;
        mark("page-failed");
    }
    quitIfDone();
}

void CStartupTrace::AllPagesWatched()
{
    m_allWatched = true;
    quitIfDone();
}

void CStartupTrace::quitIfDone()
{
    if (!m_quitWhenLoaded || !m_allWatched || m_pending > 0)
        return;
    const int code = m_failed > 0 ? 1 : 0;
    // After the current event: the window may still be painting.
    QTimer::singleShot(0, qApp, [code] { QCoreApplication::exit(code); });
}
