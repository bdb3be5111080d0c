#include "engine/CEnginePage.h"

#include "engine/CEngineBridge.h"

#include <QWebEngineSettings>

#include <cstdio>

CEnginePage::CEnginePage(QObject *parent)
    : QWebEnginePage(parent)
{
    QWebEngineSettings *s = settings();
    s->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    s->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
    s->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);
    s->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    s->setAttribute(QWebEngineSettings::PlaybackRequiresUserGesture, false);
    s->setAttribute(QWebEngineSettings::NavigateOnDropEnabled, false);
    s->setAttribute(QWebEngineSettings::FocusOnNavigationEnabled, true);
}

bool CEnginePage::acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame)
{
    if (!isMainFrame)
        return type != NavigationTypeLinkClicked && type != NavigationTypeFormSubmitted;
    if (!m_allowed.isEmpty() && url == m_allowed) {
        m_allowed.clear();
        return true;
    }
    return type == NavigationTypeRedirect && m_redirects;
}

void CEnginePage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level,
                                           const QString &message, int line, const QString &source)
{
    if (m_bridge && m_bridge->Receive(message))
        return;
    // Page scripts never run here, so the rest is the runtime's own logging and Chromium's.
    static const bool verbose = qEnvironmentVariableIsSet("PELION_ENGINE_LOG");
    if (level == ErrorMessageLevel || verbose)
        std::fprintf(stderr, "engine: %s (%s:%d)\n", qPrintable(message), qPrintable(source), line);
}
