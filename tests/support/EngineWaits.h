#pragma once

// Waits on the real editing component shared by the Qt tests that drive it through the shell.

#include "engine/CEditEngine.h"

#include <QByteArray>
#include <QString>
#include <QtTest>

namespace enginewait {

// Whether the component became idle (everything queued before has been carried out) in time.
inline bool Idle(CEditEngine *engine, int timeoutMs = 30000)
{
    bool idle = false;
    engine->RunWhenIdle([&idle] { idle = true; });
    return QTest::qWaitFor([&idle] { return idle; }, timeoutMs);
}

// The inner markup of the body of a serialised page ("" without a body).
inline QString BodyOfPage(const QString &html)
{
    const qsizetype open = html.indexOf(QLatin1String("<body"), 0, Qt::CaseInsensitive);
    const qsizetype start = html.indexOf(QLatin1Char('>'), open) + 1;
    const qsizetype end = html.lastIndexOf(QLatin1String("</body>"), -1, Qt::CaseInsensitive);
    return open < 0 || end < start ? QString() : html.mid(start, end - start);
}

// The page as the component serialises it now; "(no answer)" when it does not answer in time.
inline QString Page(CEditEngine *engine, int timeoutMs = 30000)
{
    bool done = false;
    QByteArray bytes;
    engine->Serialize([&](const QByteArray &b) {
        bytes = b;
        done = true;
    });
    if (!QTest::qWaitFor([&done] { return done; }, timeoutMs))
        return QStringLiteral("(no answer)");
    return QString::fromUtf8(bytes);
}

// The body's inner markup as the component serialises it now.
inline QString Body(CEditEngine *engine, int timeoutMs = 30000)
{
    const QString page = Page(engine, timeoutMs);
    return page == QLatin1String("(no answer)") ? page : BodyOfPage(page);
}

} // namespace enginewait
