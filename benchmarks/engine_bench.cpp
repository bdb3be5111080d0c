// Timed runs of the editing component next to a bare QWebEngineView, in one process so that
// both see the same machine load. Prints one line per figure:
//   load 2 KB / 5 MB: bare load finished vs. our load to editable (median of runs)
//   keystroke on a 2 MB page: round trip of one key in a bare editable view vs. ours, and the
//     runtime's own time per key as it measures itself
//   save of a 5 MB page: unchanged (bytes as read) and changed (serialised)
// "engine_bench 1 format PAGE [bare|native] [IDS]": each formatting command (engine ids; all by
// default) on the whole of PAGE (made by make_large_pages.py): select all, the command, the next
// keystroke, undo; "native" keeps every command on Chromium's path; "bare": the same commands
// through execCommand in a bare editable view, each given up after a minute.
#include "BenchSupport.h"
#include "engine/CEditEngine.h"
#include "engine/WebEngineEnvironment.h"
#include "toolkit/QtBridge.h"
#include "util/FileUtil.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

using bench::InputWidget;
using bench::MakePage;
using bench::Median;
using bench::WaitFor;

namespace {

void SendKey(QWidget *w, char c)
{
    const QString text(QLatin1Char{c});
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A + (c - 'a'), Qt::NoModifier, text);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_A + (c - 'a'), Qt::NoModifier, text);
    QApplication::sendEvent(w, &press);
    QApplication::sendEvent(w, &release);
}

// Time from asking for the page to the view's load-finished signal (Chromium's load event for a
// bare view, the page being editable for ours), with the view made and shown beforehand.
template<typename View>
double TimedLoad(const std::function<void(View &)> &load)
{
    View view;
    view.resize(1000, 800);
    view.show();
    bool finished = false;
    QObject::connect(&view, &View::loadFinished, [&](bool) { finished = true; });
    QElapsedTimer t;
    t.start();
    load(view);
    WaitFor([&] { return finished; });
    return t.nsecsElapsed() / 1e9;
}

double BareLoad(const QString &path)
{
    return TimedLoad<QWebEngineView>(
        [&](QWebEngineView &view) { view.load(QUrl::fromLocalFile(path)); });
}

double EngineLoad(const QString &path)
{
    return TimedLoad<CEditEngine>([&](CEditEngine &engine) { engine.Load(path); });
}

// A bare view made editable, the caret at the end mark, then keys with a round trip each.
double BareKeystroke(const QString &path, int keys)
{
    QWebEngineView view;
    view.resize(1000, 800);
    view.show();
    bool finished = false;
    QObject::connect(&view, &QWebEngineView::loadFinished, [&](bool) { finished = true; });
    view.load(QUrl::fromLocalFile(path));
    WaitFor([&] { return finished; });
    bool ready = false;
    view.page()->runJavaScript(QStringLiteral("document.designMode='on';"
                                              "window.find('END MARK');"
                                              "getSelection().collapseToEnd(); 1"),
                               [&](const QVariant &) { ready = true; });
    WaitFor([&] { return ready; });
    view.setFocus();
    QWidget *input = InputWidget(&view);
    std::vector<double> times;
    for (int i = 0; i < keys; ++i) {
        QElapsedTimer t;
        t.start();
        SendKey(input, char('a' + i % 26));
        bool back = false;
        view.page()->runJavaScript(QStringLiteral("1"), [&](const QVariant &) { back = true; });
        WaitFor([&] { return back; });
        times.push_back(t.nsecsElapsed() / 1e6);
    }
    return Median(times);
}

struct EngineKeys
{
    double roundTripMs = 0;
    double runtimeMsPerKey = 0;
};

EngineKeys EngineKeystroke(const QString &path, int keys)
{
    CEditEngine engine;
    engine.resize(1000, 800);
    engine.show();
    bool finished = false;
    QObject::connect(&engine, &CEditEngine::loadFinished, [&](bool) { finished = true; });
    engine.Load(path);
    WaitFor([&] { return finished; });
    bool found = false;
    QObject::connect(&engine, &CEditEngine::findResult, [&](bool) { found = true; });
    engine.ExecEngineCommand(EngineId::Find, QStringLiteral("END MARK"));
    WaitFor([&] { return found; });
    engine.setFocus();
    QWidget *input = InputWidget(&engine);
    QKeyEvent end(QEvent::KeyPress, Qt::Key_End, Qt::NoModifier);
    QApplication::sendEvent(input, &end);
    bool idle = false;
    engine.RunWhenIdle([&] { idle = true; });
    WaitFor([&] { return idle; });
    bool reset = false;
    engine.RuntimeStatistics([&](double, int) { reset = true; }, true);
    WaitFor([&] { return reset; });

    std::vector<double> times;
    for (int i = 0; i < keys; ++i) {
        QElapsedTimer t;
        t.start();
        SendKey(input, char('a' + i % 26));
        bool back = false;
        engine.RunWhenIdle([&] { back = true; });
        WaitFor([&] { return back; });
        times.push_back(t.nsecsElapsed() / 1e6);
    }
    // Let pending state pushes run, then read the runtime's own time.
    QEventLoop settle;
    QTimer::singleShot(200, &settle, &QEventLoop::quit);
    settle.exec();
    EngineKeys result;
    result.roundTripMs = Median(times);
    bool got = false;
    engine.RuntimeStatistics(
        [&](double ms, int) {
            result.runtimeMsPerKey = ms / keys;
            got = true;
        },
        false);
    WaitFor([&] { return got; });
    return result;
}

void SaveTimes(const QString &path, const QString &target)
{
    CEditEngine engine;
    engine.resize(1000, 800);
    engine.show();
    bool finished = false;
    QObject::connect(&engine, &CEditEngine::loadFinished, [&](bool) { finished = true; });
    engine.Load(path);
    WaitFor([&] { return finished; });

    auto timedSave = [&] {
        bool done = false, ok = false;
        QElapsedTimer t;
        t.start();
        engine.Save(target, [&](bool success, const QString &) {
            ok = success;
            done = true;
        });
        WaitFor([&] { return done; });
        return ok ? t.elapsed() / 1000.0 : -1.0;
    };
    // Right after the load Chromium still lays the page out and paints it (the bare view too);
    // a save then waits behind that. Measure that wait, then the save on a settled page.
    const double firstUnchanged = timedSave();
    QElapsedTimer settling;
    settling.start();
    for (;;) {
        QElapsedTimer roundTrip;
        roundTrip.start();
        bool idle = false;
        engine.RunWhenIdle([&] { idle = true; });
        WaitFor([&] { return idle; });
        if (roundTrip.elapsed() < 20)
            break;
    }
    const double settled = settling.elapsed() / 1000.0;
    const double unchanged = timedSave();
    std::string bytes(5 * 1024 * 1024, 'x');
    QElapsedTimer write;
    write.start();
    util::WriteFileAtomic(fromQt(target + QStringLiteral(".raw")), bytes);
    const double rawWrite = write.elapsed() / 1000.0;
    bool found = false;
    QObject::connect(&engine, &CEditEngine::findResult, [&](bool) { found = true; });
    engine.ExecEngineCommand(EngineId::Find, QStringLiteral("END MARK"));
    WaitFor([&] { return found; });
    engine.setFocus();
    SendKey(InputWidget(&engine), 'x');
    bool idle = false;
    engine.RunWhenIdle([&] { idle = true; });
    WaitFor([&] { return idle; });
    const double changed = timedSave();
    std::printf("save 5 MB page: unchanged %.3f s (goal <= 0.050; the first one, right after the "
                "load, %.3f s, then the renderer was busy %.3f s more), changed %.3f s (goal <= "
                "1.0); a bare atomic write of 5 MB takes %.3f s\n",
                unchanged, firstUnchanged, settled, changed, rawWrite);
}

struct FormatCase
{
    int id;
    const char *name;
    QVariant input;
    const char *native; // execCommand name and value for the bare view
    const char *value;
};

const FormatCase kFormatCases[] = {
    {EngineId::Bold, "bold (Ctrl+B)", {}, "bold", ""},
    {EngineId::Italic, "italic (Ctrl+I)", {}, "italic", ""},
    {EngineId::Underline, "underline (Ctrl+U)", {}, "underline", ""},
    {EngineId::FontName, "font name", QStringLiteral("Arial"), "fontName", "Arial"},
    {EngineId::FontSize, "font size", 5, "fontSize", "5"},
    {EngineId::FontColor, "font colour", 0x0000ff, "foreColor", "#ff0000"},
    {EngineId::Center, "center", {}, "justifyCenter", ""},
    {EngineId::AlignRight, "align right", {}, "justifyRight", ""},
    {EngineId::BlockFormat, "block format", QStringLiteral("Heading 3"), "formatBlock", "h3"},
    {EngineId::BulletedList, "bulleted list", {}, "insertUnorderedList", ""},
    {EngineId::NumberedList, "numbered list", {}, "insertOrderedList", ""},
    {EngineId::Indent, "indent", {}, "indent", ""},
};

Qt::Key ShortcutOf(int id)
{
    switch (id) {
    case EngineId::Bold:
        return Qt::Key_B;
    case EngineId::Italic:
        return Qt::Key_I;
    case EngineId::Underline:
        return Qt::Key_U;
    default:
        return Qt::Key_unknown;
    }
}

int InputsReceived(CEditEngine &engine)
{
    int count = -1;
    bool done = false;
    engine.InputEventsReceived([&](int n) {
        count = n;
        done = true;
    });
    WaitFor([&] { return done; });
    return count;
}

QByteArray SerializedPage(CEditEngine &engine)
{
    QByteArray bytes;
    bool done = false;
    engine.Serialize([&](const QByteArray &b) {
        bytes = b;
        done = true;
    });
    WaitFor([&] { return done; });
    return bytes;
}

bool Idle(CEditEngine &engine)
{
    bool idle = false;
    engine.RunWhenIdle([&] { idle = true; });
    return WaitFor([&] { return idle; });
}

// Select all, the command (by its shortcut where it has one: the time runs to the state push
// that shows it latched), an arrow key, undo.
void OurFormat(const QString &path, const std::vector<const FormatCase *> &cases, bool native)
{
    CEditEngine engine;
    engine.resize(1000, 800);
    engine.show();
    bool finished = false;
    QObject::connect(&engine, &CEditEngine::loadFinished, [&](bool) { finished = true; });
    QElapsedTimer loadTime;
    loadTime.start();
    engine.Load(path);
    WaitFor([&] { return finished; });
    Idle(engine);
    std::printf("ours: loaded %s in %.3f s\n", qPrintable(QFileInfo(path).fileName()),
                loadTime.elapsed() / 1000.0);
    const QByteArray original = SerializedPage(engine);
    if (native)
        engine.SetFormattingPass(CEditEngine::FormattingPass::Native);
    engine.setFocus();
    QWidget *input = InputWidget(&engine);
    for (const FormatCase *c : cases) {
        engine.ExecEngineCommand(EngineId::SelectAll);
        Idle(engine);
        QElapsedTimer t;
        t.start();
        bool ran = false;
        const Qt::Key key = ShortcutOf(c->id);
        if (key != Qt::Key_unknown) {
            bool pushed = false;
            auto connection = QObject::connect(&engine, &CEditEngine::updateCommands, [&] {
                pushed = engine.QueryEngineCommand(c->id) & EngineFlag::Latched;
            });
            t.restart();
            QKeyEvent press(QEvent::KeyPress, key, Qt::ControlModifier);
            QKeyEvent release(QEvent::KeyRelease, key, Qt::ControlModifier);
            QApplication::sendEvent(input, &press);
            QApplication::sendEvent(input, &release);
            ran = WaitFor([&] { return pushed; });
            QObject::disconnect(connection);
        } else {
            engine.ExecEngineCommand(c->id, c->input);
            ran = Idle(engine);
        }
        const double command = t.elapsed() / 1000.0;
        if (!ran) {
            // The renderer is still busy with the command: nothing after it would measure
            // anything but that, so the page's figures end here.
            std::printf("ours: %-20s still running after %.0f s; given up, with the commands "
                        "after it\n",
                        c->name, command);
            std::fflush(stdout);
            return;
        }
        const int flags = engine.QueryEngineCommand(c->id);
        // The next keystroke: an arrow key, timed until the page has taken it.
        const int before = InputsReceived(engine);
        t.restart();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Right, Qt::NoModifier);
        QApplication::sendEvent(input, &press);
        QApplication::sendEvent(input, &release);
        WaitFor([&] { return InputsReceived(engine) >= before + 1; });
        const double keyMs = t.nsecsElapsed() / 1e6;
        const bool changed = SerializedPage(engine) != original;
        t.restart();
        engine.ExecEngineCommand(EngineId::Undo);
        Idle(engine);
        const double undo = t.elapsed() / 1000.0;
        const bool restored = SerializedPage(engine) == original;
        std::printf("ours: %-20s %.3f s to the state push (flags %d), next key taken in %.0f ms, "
                    "undo %.3f s; page %s, undo %s\n",
                    c->name, command, flags, keyMs, undo, changed ? "changed" : "UNCHANGED",
                    restored ? "restored it byte for byte" : "DID NOT RESTORE IT");
        std::fflush(stdout);
    }
}

// The same commands in a bare editable view of its own profile (so that a renderer busy for
// minutes does not hold up anything else); a command still running after the cap is given up
// and its view destroyed.
void BareFormat(const QString &path, const std::vector<const FormatCase *> &cases, int capMs)
{
    for (const FormatCase *c : cases) {
        auto *profile = new QWebEngineProfile;
        auto *view = new QWebEngineView;
        auto *page = new QWebEnginePage(profile, view);
        view->setPage(page);
        view->resize(1000, 800);
        view->show();
        bool finished = false;
        QObject::connect(view, &QWebEngineView::loadFinished, [&](bool) { finished = true; });
        view->load(QUrl::fromLocalFile(path));
        WaitFor([&] { return finished; });
        bool ready = false;
        page->runJavaScript(QStringLiteral("document.designMode='on'; 1"),
                            [&](const QVariant &) { ready = true; });
        WaitFor([&] { return ready; });
        auto answer = std::make_shared<QVariant>();
        auto back = std::make_shared<bool>(false);
        QElapsedTimer t;
        t.start();
        page->runJavaScript(QStringLiteral("document.execCommand('selectAll');"
                                           "var t0 = performance.now();"
                                           "document.execCommand('%1', false, '%2');"
                                           "var t1 = performance.now();"
                                           "document.execCommand('undo');"
                                           "[t1 - t0, performance.now() - t1]")
                                .arg(QLatin1String(c->native), QLatin1String(c->value)),
                            [answer, back](const QVariant &v) {
                                *answer = v;
                                *back = true;
                            });
        const bool done = WaitFor([&] { return *back; }, capMs);
        if (done) {
            const QVariantList times = answer->toList();
            std::printf("bare: %-20s %.3f s (wall %.3f s), undo %.3f s\n", c->name,
                        times.value(0).toDouble() / 1000.0, t.elapsed() / 1000.0,
                        times.value(1).toDouble() / 1000.0);
        } else {
            std::printf("bare: %-20s still running after %.0f s, given up\n", c->name,
                        capMs / 1000.0);
        }
        std::fflush(stdout);
        delete view;
        profile->deleteLater();
        QEventLoop settle;
        QTimer::singleShot(500, &settle, &QEventLoop::quit);
        settle.exec();
    }
}

} // namespace

int main(int argc, char **argv)
{
    PrepareWebEngineEnvironment();
    CEditEngine::RegisterUrlScheme();
    QApplication app(argc, argv);
    QTemporaryDir dir;
    auto write = [&](const QString &name, const QByteArray &bytes) {
        const QString path = dir.filePath(name);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return path;
    };
    const QString small = write(QStringLiteral("small.htm"), MakePage(2 * 1024));
    const QString medium = write(QStringLiteral("medium.htm"), MakePage(2 * 1024 * 1024));
    const QString large = write(QStringLiteral("large.htm"), MakePage(5 * 1024 * 1024));
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 3;
    // "engine_bench N small": only the 2 KB load (for quick comparisons).
    const bool smallOnly = argc > 2 && qstrcmp(argv[2], "small") == 0;
    if (argc > 2 && qstrcmp(argv[2], "save") == 0) {
        SaveTimes(large, dir.filePath(QStringLiteral("saved.htm")));
        return 0;
    }

    if (argc > 3 && qstrcmp(argv[2], "format") == 0) {
        const QString path = QFileInfo(QString::fromLocal8Bit(argv[3])).absoluteFilePath();
        bool bare = false, native = false;
        std::vector<const FormatCase *> cases;
        for (int i = 4; i < argc; ++i) {
            if (qstrcmp(argv[i], "bare") == 0 || qstrcmp(argv[i], "native") == 0) {
                (argv[i][0] == 'b' ? bare : native) = true;
                continue;
            }
            for (const FormatCase &c : kFormatCases) {
                if (c.id == atoi(argv[i]))
                    cases.push_back(&c);
            }
        }
        if (cases.empty()) {
            for (const FormatCase &c : kFormatCases)
                cases.push_back(&c);
        }
        if (bare)
            BareFormat(path, cases, 60000);
        else
            OurFormat(path, cases, native);
        return 0;
    }

    BareLoad(small); // start the web engine and its processes before timing anything
    EngineLoad(small);

    struct Case
    {
        const char *name;
        QString path;
    };
    for (const Case &c : {Case{"2 KB", small}, Case{"5 MB", large}}) {
        if (smallOnly && c.path != small)
            continue;
        std::vector<double> bare, ours;
        for (int i = 0; i < runs; ++i) {
            bare.push_back(BareLoad(c.path));
            ours.push_back(EngineLoad(c.path));
        }
        const double b = Median(bare), o = Median(ours);
        QString all;
        for (int i = 0; i < runs; ++i)
            all += QStringLiteral(" %1/%2").arg(bare[i], 0, 'f', 3).arg(ours[i], 0, 'f', 3);
        std::printf("load %s page: bare %.3f s, ours to editable %.3f s, ratio %.2f (goal <= "
                    "1.15); runs bare/ours:%s\n",
                    c.name, b, o, b > 0 ? o / b : 0.0, qPrintable(all));
        std::fflush(stdout);
    }

    if (smallOnly)
        return 0;
    const double bareKey = BareKeystroke(medium, 20);
    const EngineKeys keys = EngineKeystroke(medium, 20);
    std::printf(
        "keystroke on 2 MB page: bare round trip %.1f ms, ours %.1f ms (+%.1f ms); runtime's "
        "own work %.2f ms per key (goal <= 5)\n",
        bareKey, keys.roundTripMs, keys.roundTripMs - bareKey, keys.runtimeMsPerKey);
    std::fflush(stdout);

    SaveTimes(large, dir.filePath(QStringLiteral("saved.htm")));
    return 0;
}
