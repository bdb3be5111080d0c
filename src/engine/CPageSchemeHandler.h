#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QWebEngineUrlSchemeHandler>

class QWebEngineProfile;

// Serves page bytes to the editing views through the "pelion-page" URL scheme, so that pages of
// any size load (setHtml stops at 2 MB) and the engine decides the bytes Chromium parses (the
// original file, or its filtered form). A page URL is "pelion-page:/<key>/<absolute path>";
// relative references of the page then resolve to "pelion-page:/<key>/<folder>/<name>" and are
// answered with the local file of that path. One handler serves every view of a profile.
class CPageSchemeHandler : public QWebEngineUrlSchemeHandler
{
    Q_OBJECT

public:
    static const char *const SchemeName; // "pelion-page"

    // Registers the scheme with Chromium; must run before the QApplication exists.
    static void RegisterScheme();
    // The handler of a profile, installed on first use.
    static CPageSchemeHandler *ForProfile(QWebEngineProfile *profile);

    // Publishes bytes under a new key for the page at path (absolute; may be empty for a
    // blank page) and returns the URL to load. contentType carries the charset.
    QUrl Publish(const QString &path, const QByteArray &bytes, const QByteArray &contentType);
    void Withdraw(const QUrl &url);

    // The local file a page URL stands for ("" when it is not one of ours).
    static QString LocalPath(const QUrl &url);

    void requestStarted(QWebEngineUrlRequestJob *job) override;

private:
    explicit CPageSchemeHandler(QObject *parent);

    struct Entry
    {
        QByteArray bytes;
        QByteArray contentType;
    };
    QHash<QString, Entry> m_pages; // by URL path
    quint64 m_nextKey = 1;
};
