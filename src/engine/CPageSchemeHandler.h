#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QWebEngineUrlSchemeHandler>

class QWebEngineProfile;

// Serves page bytes to the editing views through the "pelion-page" URL scheme, so that pages of
// any size load (setHtml stops at 2 MB) and the engine decides the bytes Chromium parses (the
// original file, or its filtered form). A page URL is "pelion-page:/<key>/<absolute path>";
// relative references of the page then resolve to "pelion-page:/<key>/<folder>/<name>" and are
// answered with the local file of that path. One handler serves every view of a profile.
//
// A page reads only what it may (PageFolders): files below the folders it was published with
// and the program folder. A request for any other file fails with RequestDenied and nothing is
// opened. A reference that lost its key ("/img/a.png", or "../" past the key) cannot be told
// apart by page; it may read below the folders of any page published now.
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
    // blank page) and returns the URL to load. contentType carries the charset. folders are the
    // canonical folders the page may read below (PageFolders::ForPage), besides the program
    // folder.
    QUrl Publish(const QString &path, const QByteArray &bytes, const QByteArray &contentType,
                 const QStringList &folders);
    void Withdraw(const QUrl &url);

    // The local file a page URL stands for ("" when it is not one of ours); key receives the
    // page key the URL carries ("" when it has none).
    static QString LocalPath(const QUrl &url, QString *key = nullptr);

    void requestStarted(QWebEngineUrlRequestJob *job) override;

private:
    explicit CPageSchemeHandler(QObject *parent);

    struct Entry
    {
        QByteArray bytes;
        QByteArray contentType;
    };
    // The folders a request with this key may read: the page's, or for a key that is not
    // (or no longer) published, those of every page published now.
    QStringList foldersFor(const QString &key) const;

    QHash<QString, Entry> m_pages;         // by URL path
    QHash<QString, QStringList> m_folders; // by page key
    quint64 m_nextKey = 1;
};
