#include "engine/CPageSchemeHandler.h"

#include "engine/PageFolders.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QUrl>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

const char *const CPageSchemeHandler::SchemeName = "pelion-page";

void CPageSchemeHandler::RegisterScheme()
{
    if (QWebEngineUrlScheme::schemeByName(SchemeName).name() == SchemeName)
        return;
    QWebEngineUrlScheme scheme(SchemeName);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Path);
    // Local: pages may reference file: resources, as they could when opened from disk.
    scheme.setFlags(QWebEngineUrlScheme::SecureScheme | QWebEngineUrlScheme::LocalScheme |
                    QWebEngineUrlScheme::LocalAccessAllowed |
                    QWebEngineUrlScheme::ContentSecurityPolicyIgnored);
    QWebEngineUrlScheme::registerScheme(scheme);
}

CPageSchemeHandler *CPageSchemeHandler::ForProfile(QWebEngineProfile *profile)
{
    auto *existing =
        profile->findChild<CPageSchemeHandler *>(QString(), Qt::FindDirectChildrenOnly);
    if (existing)
        return existing;
    auto *handler = new CPageSchemeHandler(profile);
    profile->installUrlSchemeHandler(SchemeName, handler);
    return handler;
}

CPageSchemeHandler::CPageSchemeHandler(QObject *parent)
    : QWebEngineUrlSchemeHandler(parent)
{}

QUrl CPageSchemeHandler::Publish(const QString &path, const QByteArray &bytes,
                                 const QByteArray &contentType, const QStringList &folders)
{
    QString absolute = path.isEmpty() ? QStringLiteral("/untitled.htm") : path;
    if (!absolute.startsWith(QLatin1Char('/')))
        absolute.prepend(QLatin1Char('/'));
    const QString key = QString::number(m_nextKey++);
    const QString urlPath = QLatin1Char('/') + key + absolute;
    m_pages.insert(urlPath, Entry{bytes, contentType});
    m_folders.insert(key, folders);
    QUrl url;
    url.setScheme(QString::fromLatin1(SchemeName));
    url.setPath(urlPath);
    return url;
}

void CPageSchemeHandler::Withdraw(const QUrl &url)
{
    if (!m_pages.remove(url.path()))
        return;
    QString key;
    LocalPath(url, &key);
    m_folders.remove(key);
}

QStringList CPageSchemeHandler::foldersFor(const QString &key) const
{
    const auto own = m_folders.constFind(key);
    if (!key.isEmpty() && own != m_folders.constEnd())
        return *own;
    QStringList all;
    for (const QStringList &folders : m_folders)
        all += folders;
    return all;
}

QString CPageSchemeHandler::LocalPath(const QUrl &url, QString *key)
{
    if (key)
        key->clear();
    if (url.scheme() != QLatin1String(SchemeName))
        return {};
    const QString path = url.path();
    // "/<key>/rest": the key is all digits. Root-relative references ("/img/a.png") lose the
    // key when they resolve and name the local file directly.
    const qsizetype slash = path.indexOf(QLatin1Char('/'), 1);
    if (slash > 1) {
        bool isKey = true;
        for (qsizetype i = 1; i < slash && isKey; ++i)
            isKey = path.at(i).isDigit();
        if (isKey) {
            if (key)
                *key = path.mid(1, slash - 1);
            return path.mid(slash);
        }
    }
    return path;
}

void CPageSchemeHandler::requestStarted(QWebEngineUrlRequestJob *job)
{
    const QUrl url = job->requestUrl();
    const auto page = m_pages.constFind(url.path());
    if (page != m_pages.constEnd()) {
        auto *buffer = new QBuffer(job);
        buffer->setData(page->bytes);
        buffer->open(QIODevice::ReadOnly);
        job->reply(page->contentType, buffer);
        return;
    }
    QString key;
    const QString local = LocalPath(url, &key);
    QString canonical;
    switch (local.isEmpty() ? PageFolders::Access::Missing
                            : PageFolders::Check(local, foldersFor(key), &canonical)) {
    case PageFolders::Access::Denied:
        job->fail(QWebEngineUrlRequestJob::RequestDenied);
        return;
    case PageFolders::Access::Missing:
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    case PageFolders::Access::Allowed:
        break;
    }
    // The canonical path is the one that was checked.
    auto *file = new QFile(canonical, job);
    if (!file->open(QIODevice::ReadOnly)) {
        job->fail(QWebEngineUrlRequestJob::RequestDenied);
        return;
    }
    static const QMimeDatabase mimes;
    // The type goes by the name as referenced (a link may point to a file of any name).
    job->reply(mimes.mimeTypeForFile(QFileInfo(local), QMimeDatabase::MatchExtension)
                   .name()
                   .toLatin1(),
               file);
}
