#pragma once

// The document tree as a browser parses a page, as text that two parses can be compared by:
// one line per element (namespace, name, attributes sorted), per run of text (adjacent text
// nodes as one) and per comment, indented by depth. The doctype is left out.

#include "engine/CPageCodec.h"

#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QString>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>

#include <memory>

namespace domdigest {

// A script that evaluates to the digest of the document the expression gives.
inline QString Script(const QString &documentExpression)
{
    return QStringLiteral(R"JS((function (doc) {
    const out = [];
    function walk(node, depth) {
        let text = null;
        const flush = () => {
            if (text !== null)
                out.push(depth + ' #text ' + JSON.stringify(text));
            text = null;
        };
        const kids = node.localName === 'template' && node.content ? node.content.childNodes
                                                                   : node.childNodes;
        for (const n of kids) {
            if (n.nodeType === Node.TEXT_NODE) {
                text = (text || '') + n.data;
                continue;
            }
            flush();
            if (n.nodeType === Node.ELEMENT_NODE) {
                const attrs = Array.from(n.attributes, (a) => a.name + '=' + JSON.stringify(a.value));
                out.push(depth + ' <' + n.namespaceURI + ' ' + n.localName + ' ' +
                         attrs.sort().join(' ') + '>');
                walk(n, depth + 1);
            } else if (n.nodeType === Node.COMMENT_NODE) {
                out.push(depth + ' #comment ' + JSON.stringify(n.data));
            }
        }
        flush();
    }
    walk(doc, 0);
    return out.join('\n');
})(%1))JS")
        .arg(documentExpression);
}

inline QString Run(QWebEnginePage *page, const QString &script, quint32 world)
{
    QString result;
    bool done = false;
    page->runJavaScript(script, world, [&](const QVariant &v) {
        result = v.toString();
        done = true;
    });
    QEventLoop loop;
    QTimer timeout;
    timeout.setSingleShot(true);
    timeout.start(60000);
    QObject::connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
    while (!done && timeout.isActive()) {
        QTimer::singleShot(5, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return result;
}

// The digest of the document an editing view holds now (read in the runtime's world, which
// sees the same DOM).
inline QString OfView(QWebEngineView *view)
{
    return Run(view->page(), Script(QStringLiteral("document")),
               QWebEngineScript::ApplicationWorld);
}

// The digest of page bytes as a browser parses them: decoded by their charset (byte-order mark,
// meta declaration, else UTF-8 or windows-1252) and given to the HTML parser of a page of its
// own, with scripting off as in the editing view.
class Parser
{
public:
    Parser()
        : m_page(std::make_unique<QWebEnginePage>())
    {
        bool loaded = false;
        QObject::connect(m_page.get(), &QWebEnginePage::loadFinished, [&](bool) { loaded = true; });
        m_page->setHtml(QStringLiteral("<!DOCTYPE html><title>parser</title>"));
        QEventLoop loop;
        for (int i = 0; i < 6000 && !loaded; ++i) {
            QTimer::singleShot(10, &loop, &QEventLoop::quit);
            loop.exec();
        }
    }

    QString Digest(const QByteArray &bytes)
    {
        const CPageCodec::Detection d = CPageCodec::Detect(bytes);
        const QString text = CPageCodec::Decode(bytes, d.charset);
        const QByteArray literal = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
        const QString expression =
            QStringLiteral("new DOMParser().parseFromString(%1[0], 'text/html')")
                .arg(QString::fromUtf8(literal));
        return Run(m_page.get(), Script(expression), QWebEngineScript::ApplicationWorld);
    }

private:
    std::unique_ptr<QWebEnginePage> m_page;
};

// The first line where two digests differ, for messages ("" when they are the same).
inline QString FirstDifference(const QString &a, const QString &b)
{
    const QStringList x = a.split(QLatin1Char('\n')), y = b.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < qMax(x.size(), y.size()); ++i) {
        const QString l = i < x.size() ? x[i] : QStringLiteral("(end)");
        const QString r = i < y.size() ? y[i] : QStringLiteral("(end)");
        if (l != r)
            return QStringLiteral("line %1: %2 | %3").arg(i + 1).arg(l.left(200), r.left(200));
    }
    return {};
}

} // namespace domdigest
