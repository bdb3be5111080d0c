#pragma once

#include "engine/CEditEngine.h"
#include "engine/WebEngineEnvironment.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>

#include <memory>

// Runs script in a world of page and returns its answer, once it has come.
inline QVariant RunJs(QWebEnginePage *page, const QString &script,
                      quint32 world = QWebEngineScript::MainWorld)
{
    QVariant result;
    bool done = false;
    page->runJavaScript(script, world, [&](const QVariant &value) {
        result = value;
        done = true;
    });
    [&] { QTRY_VERIFY_WITH_TIMEOUT(done, 30000); }();
    return result;
}

// A shown editing component with helpers that wait for its asynchronous answers.
class EngineFixture
{
public:
    EngineFixture()
        : engine(std::make_unique<CEditEngine>())
    {
        engine->resize(900, 700);
        engine->show();
    }

    bool load(const QString &path, bool filtered = false, int flags = EngineFilter::None)
    {
        QSignalSpy finished(engine.get(), &CEditEngine::loadFinished);
        if (!engine->Load(path, filtered, flags))
            return false;
        if (!finished.wait(60000))
            return false;
        return finished.first().first().toBool();
    }

    void idle()
    {
        bool done = false;
        engine->RunWhenIdle([&done] { done = true; });
        QTRY_VERIFY_WITH_TIMEOUT(done, 30000);
    }

    QByteArray serialize()
    {
        bool done = false;
        QByteArray bytes;
        engine->Serialize([&](const QByteArray &b) {
            bytes = b;
            done = true;
        });
        [&] { QTRY_VERIFY_WITH_TIMEOUT(done, 30000); }();
        return bytes;
    }

    // The body's inner markup of the serialised page (what most checks compare).
    QString body()
    {
        const QString html = QString::fromUtf8(serialize());
        const qsizetype open = html.indexOf(QLatin1String("<body"), 0, Qt::CaseInsensitive);
        const qsizetype start = html.indexOf(QLatin1Char('>'), open) + 1;
        const qsizetype end = html.lastIndexOf(QLatin1String("</body>"), -1, Qt::CaseInsensitive);
        return open < 0 || end < start ? QString() : html.mid(start, end - start);
    }

    bool save(const QString &path = {}, bool filtered = false, int flags = EngineFilter::None)
    {
        bool done = false, ok = false;
        auto callback = [&](bool success, const QString &) {
            ok = success;
            modifiedWhenSaved = engine->IsModified();
            done = true;
        };
        if (filtered)
            engine->SaveFiltered(path, flags, callback);
        else
            engine->Save(path, callback);
        [&] { QTRY_VERIFY_WITH_TIMEOUT(done, 60000); }();
        return ok;
    }

    // The widget that receives keyboard and mouse input (Chromium's render widget).
    QWidget *input()
    {
        QWidget *w = engine.get();
        while (w->focusProxy())
            w = w->focusProxy();
        return w;
    }

    // Key and mouse button events the page has received so far (-1 when nothing is loaded).
    int inputsReceived()
    {
        bool done = false;
        int count = -1;
        engine->InputEventsReceived([&](int n) {
            count = n;
            done = true;
        });
        [&] { QTRY_VERIFY_WITH_TIMEOUT(done, 30000); }();
        return count;
    }

    // Input travels to the page on its own path, not in order with the runtime's calls: wait
    // until the page has seen all that was sent, then until the runtime is idle.
    void settleInput(int before, int sent)
    {
        if (before >= 0)
            [&] { QTRY_VERIFY_WITH_TIMEOUT(inputsReceived() >= before + sent, 30000); }();
        idle();
    }

    void click(QPoint at)
    {
        const int before = inputsReceived();
        QTest::mouseClick(input(), Qt::LeftButton, {}, at);
        settleInput(before, 2);
    }

    // Presses at the first point, moves through the others and releases at the last.
    void drag(const QList<QPoint> &path)
    {
        const int before = inputsReceived();
        QTest::mousePress(input(), Qt::LeftButton, {}, path.first());
        for (const QPoint &p : path.mid(1))
            QTest::mouseMove(input(), p);
        QTest::mouseRelease(input(), Qt::LeftButton, {}, path.last());
        settleInput(before, 2);
    }

    // Types text key by key; characters beyond ASCII go as key events carrying their text.
    void type(const QString &text)
    {
        QWidget *w = input();
        w->setFocus();
        const int before = inputsReceived();
        for (const QChar c : text) {
            if (c.unicode() < 0x80) {
                QTest::keyClick(w, c.toLatin1());
                continue;
            }
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(w, &press);
            QApplication::sendEvent(w, &release);
        }
        settleInput(before, int(text.size()));
    }

    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        input()->setFocus();
        const int before = inputsReceived();
        QTest::keyClick(input(), key, modifiers);
        // QTest presses each modifier as a key of its own first.
        int sent = 1;
        for (const auto m :
             {Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier, Qt::MetaModifier})
            sent += modifiers.testFlag(m) ? 1 : 0;
        settleInput(before, sent);
    }

    bool exec(int id, const QVariant &input = {})
    {
        const bool ok = engine->ExecEngineCommand(id, input);
        idle();
        return ok;
    }

    // Selects the first match of text (the find command without its prompt).
    bool select(const QString &text)
    {
        QSignalSpy found(engine.get(), &CEditEngine::findResult);
        QVariantMap options{{QStringLiteral("text"), text}};
        if (!engine->ExecEngineCommand(EngineId::Find, options))
            return false;
        idle();
        return found.count() == 1 && found.first().first().toBool();
    }

    // The page of the view now showing (the editing view, or the browser-mode copy).
    QWebEnginePage *webPage() const
    {
        for (QWebEngineView *v : engine->findChildren<QWebEngineView *>()) {
            if (v->isVisible())
                return v->page();
        }
        return nullptr;
    }

    std::unique_ptr<CEditEngine> engine;
    bool modifiedWhenSaved = false; // IsModified() in the last save's callback
};

// The loads Chromium reports for a page from now on, each start and end, whether the engine
// takes it as its own or refuses it (a navigation the page starts itself).
class LoadRecorder
{
public:
    explicit LoadRecorder(QWebEnginePage *page)
    {
        QObject::connect(page, &QWebEnginePage::loadingChanged, &m_context,
                         [this](const QWebEngineLoadingInfo &info) {
                             if (info.status() != QWebEngineLoadingInfo::LoadStartedStatus)
                                 ended << info.url();
                             else
                                 started << info.url();
                         });
    }
    QList<QUrl> started;
    QList<QUrl> ended; // succeeded, failed or stopped

private:
    QObject m_context;
};

inline QByteArray ReadAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline bool WriteAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

inline QString DataFile(const QString &name)
{
    return QStringLiteral(PELION_TEST_DATA_DIR "/engine/") + name;
}

// A small page with the title "T" around the given body and head markup.
inline QByteArray Simple(const QByteArray &body, const QByteArray &head = {})
{
    return "<html><head><title>T</title>" + head + "</head><body>" + body + "</body></html>";
}

// Base of the engine test classes: a fresh temporary folder for every test function, and
// page files written into it.
class EngineTestCase : public QObject
{
    Q_OBJECT

protected:
    QString page(const QByteArray &bytes, const QString &name = QStringLiteral("page.htm"))
    {
        const QString path = m_dir->filePath(name);
        if (!WriteAll(path, bytes))
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

    std::unique_ptr<QTemporaryDir> m_dir;

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }
};

#define PELION_ENGINE_TEST_MAIN(TestClass)                                                         \
    int main(int argc, char **argv)                                                                \
    {                                                                                              \
        PrepareWebEngineEnvironment();                                                             \
        CEditEngine::RegisterUrlScheme();                                                          \
        QApplication app(argc, argv);                                                              \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
