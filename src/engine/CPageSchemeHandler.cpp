#include "engine/CPageSchemeHandler.h"

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
                                 const QByteArray &contentType)
{
    QString absolute = path.isEmpty() ? QStringLiteral("/untitled.htm") : path;
    if (!absolute.startsWith(QLatin1Char('/')))
        absolute.prepend(QLatin1Char('/'));
    const QString urlPath = QLatin1Char('/') + QString::number(m_nextKey++) + absolute;
    m_pages.insert(urlPath, Entry{bytes, contentType});
    QUrl url;
    url.setScheme(QString::fromLatin1(SchemeName));
    url.setPath(urlPath);
    return url;
}

void CPageSchemeHandler::Withdraw(const QUrl &url)
{
    m_pages.remove(url.path());
}

QString CPageSchemeHandler::LocalPath(const QUrl &url)
{
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
        if (isKey)
            return path.mid(slash);
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
    const QString local = LocalPath(url);
    QFileInfo info(local);
    if (local.isEmpty() || !info.isFile()) {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    auto *file = new QFile(local, job);
    if (!file->open(QIODevice::ReadOnly)) {
        job->fail(QWebEngineUrlRequestJob::RequestDenied);
        return;
    }
    static const QMimeDatabase mimes;
    job->reply(mimes.mimeTypeForFile(info, QMimeDatabase::MatchExtension).name().toLatin1(), file);
}
