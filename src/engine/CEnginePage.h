#pragma once

#include <QUrl>
#include <QWebEnginePage>

class CEngineBridge;

// The web page of an editing view: page scripts are off, and it goes only where the engine
// sends it. Link clicks, form submissions, meta refreshes and every other navigation of the
// main frame are refused while editing; frames inside the page may load their own documents.
class CEnginePage : public QWebEnginePage
{
    Q_OBJECT

public:
    explicit CEnginePage(QObject *parent = nullptr);

    // The next main-frame navigation that is allowed (the engine's own load), with the
    // redirects it takes (an http: page) until LoadEnded.
    void AllowNavigation(const QUrl &url)
    {
        m_allowed = url;
        m_redirects = true;
    }
    void LoadEnded() { m_redirects = false; }

    // Where the runtime's console messages go (the bridge tells them from other lines).
    void SetBridge(CEngineBridge *bridge) { m_bridge = bridge; }

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString &message,
                                  int line, const QString &source) override;

private:
    QUrl m_allowed;
    bool m_redirects = false;
    CEngineBridge *m_bridge = nullptr;
};
