// Faithful saving over a corpus of real pages: for every page of a folder, one edit at a time on
// the editing component (type one letter at the end of a text, bold one word, insert a table row
// where the page has a table, change the title), then a save with source formatting kept. Per
// edit kind it prints the share of pages whose saved file is the original plus exactly the
// minimal change, the bytes changed beyond that change, and how many saved pages a browser
// parses to the document the engine holds. Then the save time of a changed 5 MB page.
//   QT_QPA_PLATFORM=offscreen build/benchmarks/save_fidelity benchmarks/corpus [--verbose]
//       [--keep DIR] [--no-large]
// The minimal change is taken from the document: the editor may change more than the letter or
// the tags it was asked for (Chromium drops collapsed white space next to typed text, or turns a
// space into a no-break space), and writing what the document really changed is part of the
// minimal change. A save is exact when the edit distance between the original and the saved
// text equals the edit distance between the document's text before and after the edit (each
// text written as plain text would be) plus the bytes of the tags the edit added. --keep writes
// every saved page into DIR.
#include "BenchSupport.h"
#include "engine/CEditEngine.h"
#include "engine/CPageCodec.h"
#include "engine/WebEngineEnvironment.h"
#include "support/DomDigest.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebEngineView>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <vector>

using bench::InputWidget;
using bench::MakePage;
using bench::Median;
using bench::WaitFor;

namespace {

void Idle(CEditEngine &engine)
{
    bool idle = false;
    engine.RunWhenIdle([&] { idle = true; });
    WaitFor([&] { return idle; });
}

QVariantMap RunInPage(CEditEngine &engine, const QString &script)
{
    const QString json = domdigest::Run(engine.findChild<QWebEngineView *>()->page(),
                                        QStringLiteral("JSON.stringify(%1)").arg(script),
                                        QWebEngineScript::ApplicationWorld);
    return QJsonDocument::fromJson(json.toUtf8()).object().toVariantMap();
}

// Finds a text to edit and selects it: "type" puts the caret after the last letter of the first
// visible text of the body, "bold" selects the first word of three letters or more (two for
// CJK text), "row" puts the caret in the first cell of the first table's last row.
const char *const kPick = R"JS((function (kind) {
    const skip = new Set(['SCRIPT', 'STYLE', 'TITLE', 'TEXTAREA', 'OPTION', 'NOSCRIPT', 'SELECT']);
    const walker = document.createTreeWalker(document.body || document.documentElement,
                                             NodeFilter.SHOW_TEXT);
    const visible = (n) => {
        for (let e = n.parentElement; e; e = e.parentElement)
            if (skip.has(e.tagName)) return false;
        const r = document.createRange();
        r.selectNodeContents(n);
        return r.getClientRects().length > 0;
    };
    const sel = getSelection();
    if (kind === 'row') {
        const table = document.querySelector('body table');
        if (!table || !table.rows.length) return { ok: false };
        const row = table.rows[table.rows.length - 1];
        const cell = row.cells[0];
        if (!cell) return { ok: false };
        window.__benchRow = row;
        sel.collapse(cell, 0);
        return { ok: true };
    }
    for (let n = walker.nextNode(); n; n = walker.nextNode()) {
        if (!visible(n)) continue;
        if (kind === 'type') {
            // A text that ends in a letter: typing after white space lets the editor
            // rebalance that white space, which is a change of the document of its own.
            if (!/[A-Za-z0-9\u00C0-\u024F\u3040-\u9FFF]$/.test(n.data)) continue;
            sel.collapse(n, n.data.length);
            return { ok: true };
        }
        if (parseInt(getComputedStyle(n.parentElement).fontWeight, 10) >= 600) continue;
        const m = /[A-Za-z\u00C0-\u024F]{3,}|[\u3040-\u9FFF]{2}/.exec(n.data);
        if (!m) continue;
        sel.setBaseAndExtent(n, m.index, n, m.index + m[0].length);
        window.__benchWord = n;
        return { ok: true, word: m[0] };
    }
    return { ok: false };
})('%1'))JS";

struct Tally
{
    int applicable = 0, exact = 0, domEqual = 0;
    qint64 excess = 0;
    QStringList notExact;
    QStringList documentChanged; // exact, with more than the edit changed by the editor
};

qsizetype CommonPrefix(const QByteArray &a, const QByteArray &b)
{
    qsizetype i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i])
        ++i;
    return i;
}

// Bytes of the region that differs between a and b (removed plus inserted).
qint64 ChangedBytes(const QByteArray &a, const QByteArray &b)
{
    const qsizetype pre = CommonPrefix(a, b);
    qsizetype suf = 0;
    while (suf < a.size() - pre && suf < b.size() - pre &&
           a[a.size() - 1 - suf] == b[b.size() - 1 - suf])
        ++suf;
    return (a.size() - pre - suf) + (b.size() - pre - suf);
}

// saved is original with piece inserted at one place.
bool InsertedOnce(const QByteArray &original, const QByteArray &saved, const QByteArray &piece)
{
    if (saved.size() != original.size() + piece.size())
        return false;
    const qsizetype pre = CommonPrefix(original, saved);
    for (qsizetype p = std::max<qsizetype>(0, pre - piece.size()); p <= pre; ++p) {
        if (saved.mid(p, piece.size()) == piece && saved.mid(p + piece.size()) == original.mid(p) &&
            saved.left(p) == original.left(p))
            return true;
    }
    return false;
}

// saved is original with open inserted at one place and close at a later one.
bool Wrapped(const QByteArray &original, const QByteArray &saved, const QByteArray &open,
             const QByteArray &close)
{
    const qsizetype pre = CommonPrefix(original, saved);
    for (qsizetype p = std::max<qsizetype>(0, pre - open.size()); p <= pre; ++p) {
        if (saved.mid(p, open.size()) == open &&
            InsertedOnce(original.mid(p), saved.mid(p + open.size()), close))
            return true;
    }
    return false;
}

// Edit distance (insertions plus deletions) between a and b, by the greedy O((N+M)D) method
// over what lies between their common prefix and suffix; -1 when it exceeds limit.
qint64 EditDistance(QStringView a, QStringView b, qint64 limit = 20000)
{
    qsizetype pre = 0;
    while (pre < a.size() && pre < b.size() && a[pre] == b[pre])
        ++pre;
    qsizetype suf = 0;
    while (suf < a.size() - pre && suf < b.size() - pre &&
           a[a.size() - 1 - suf] == b[b.size() - 1 - suf])
        ++suf;
    a = a.mid(pre, a.size() - pre - suf);
    b = b.mid(pre, b.size() - pre - suf);
    const qsizetype n = a.size(), m = b.size();
    const qsizetype max = std::min<qsizetype>(n + m, limit);
    std::vector<qsizetype> v(size_t(2 * max + 3), 0);
    const qsizetype off = max + 1;
    for (qsizetype d = 0; d <= max; ++d) {
        for (qsizetype k = -d; k <= d; k += 2) {
            qsizetype x = (k == -d || (k != d && v[size_t(off + k - 1)] < v[size_t(off + k + 1)]))
                              ? v[size_t(off + k + 1)]
                              : v[size_t(off + k - 1)] + 1;
            qsizetype y = x - k;
            while (x < n && y < m && a[x] == b[y]) {
                ++x;
                ++y;
            }
            v[size_t(off + k)] = x;
            if (x >= n && y >= m)
                return d;
        }
    }
    return -1;
}

// The document's text, every text node as plain text would write it, in document order.
const char *const kDocumentText = R"JS((function () {
    const walker = document.createTreeWalker(document, NodeFilter.SHOW_TEXT);
    const parts = [];
    for (let n = walker.nextNode(); n; n = walker.nextNode())
        parts.push(n.data.replace(/&/g, '&amp;').replace(/\u00a0/g, '&nbsp;')
                       .replace(/</g, '&lt;').replace(/>/g, '&gt;'));
    return { text: parts.join('') };
})())JS";

struct Page
{
    QString name;
    QByteArray bytes;
};

class Runner
{
public:
    Runner(bool verbose, const QString &keep)
        : m_verbose(verbose)
        , m_keep(keep)
    {}

    void run(const Page &page, const QString &kind, const QString &dir)
    {
        const QString path = dir + QLatin1Char('/') + page.name;
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(page.bytes) != page.bytes.size())
            return;
        f.close();
        CEditEngine engine;
        engine.resize(1000, 800);
        engine.show();
        bool finished = false, ok = false;
        QObject::connect(&engine, &CEditEngine::loadFinished, [&](bool success) {
            ok = success;
            finished = true;
        });
        if (!engine.Load(path, false, EngineFilter::SourceFormatting) ||
            !WaitFor([&] { return finished; }) || !ok) {
            std::printf("  %s: load failed\n", qPrintable(page.name));
            return;
        }
        Idle(engine);
        const QString textBefore = RunInPage(engine, QString::fromLatin1(kDocumentText))
                                       .value(QStringLiteral("text"))
                                       .toString();
        const CPageCodec::Detection detection = CPageCodec::Detect(page.bytes);
        QByteArray open, close, piece, expected;
        if (kind == QLatin1String("title")) {
            engine.SetTitle(QStringLiteral("Saved title"));
            const QString text = CPageCodec::Decode(page.bytes, detection.charset);
            const qsizetype t = text.indexOf(QLatin1String("<title"), 0, Qt::CaseInsensitive);
            const qsizetype start = text.indexOf(QLatin1Char('>'), t) + 1;
            const qsizetype end =
                text.indexOf(QLatin1String("</title"), start, Qt::CaseInsensitive);
            if (t < 0 || end < 0)
                return; // no title to change in place
            QByteArray e =
                CPageCodec::Encode(text.left(start) + QStringLiteral("Saved title") + text.mid(end),
                                   detection.charset);
            if (detection.bom && detection.charset == "UTF-8")
                e.prepend("\xEF\xBB\xBF");
            expected = e;
        } else {
            const QVariantMap picked = RunInPage(engine, QString::fromLatin1(kPick).arg(kind));
            if (!picked.value(QStringLiteral("ok")).toBool())
                return; // no text, word or table
            Idle(engine);
            if (kind == QLatin1String("type")) {
                engine.setFocus();
                QWidget *input = InputWidget(&engine);
                QKeyEvent press(QEvent::KeyPress, Qt::Key_Q, Qt::NoModifier, QStringLiteral("Q"));
                QKeyEvent release(QEvent::KeyRelease, Qt::Key_Q, Qt::NoModifier,
                                  QStringLiteral("Q"));
                QApplication::sendEvent(input, &press);
                QApplication::sendEvent(input, &release);
                WaitFor([&] { return engine.IsModified(); }, 10000);
                piece = "Q";
            } else if (kind == QLatin1String("bold")) {
                engine.ExecEngineCommand(EngineId::Bold);
                Idle(engine);
                const QVariantMap tag = RunInPage(
                    engine, QStringLiteral("(() => { let e = getSelection().getRangeAt(0)"
                                           ".commonAncestorContainer; if (e.nodeType === 3) "
                                           "e = e.parentNode; return { name: e.localName }; })()"));
                const QByteArray name = tag.value(QStringLiteral("name")).toString().toLatin1();
                open = "<" + name + ">";
                close = "</" + name + ">";
            } else {
                engine.ExecEngineCommand(EngineId::InsertRow);
                Idle(engine);
                const QVariantMap row = RunInPage(
                    engine, QStringLiteral(
                                "({ html: window.__benchRow.previousElementSibling.outerHTML })"));
                piece = CPageCodec::Encode(row.value(QStringLiteral("html")).toString(),
                                           detection.charset);
            }
        }
        Idle(engine);
        const QString textAfter = RunInPage(engine, QString::fromLatin1(kDocumentText))
                                      .value(QStringLiteral("text"))
                                      .toString();
        const QString target = dir + QStringLiteral("/saved-") + page.name;
        bool saved = false;
        engine.Save(target, [&](bool, const QString &) { saved = true; });
        WaitFor([&] { return saved; });
        QFile in(target);
        in.open(QIODevice::ReadOnly);
        const QByteArray bytes = in.readAll();
        if (!m_keep.isEmpty()) {
            QFile kept(m_keep + QLatin1Char('/') + kind + QLatin1Char('-') + page.name);
            if (kept.open(QIODevice::WriteOnly))
                kept.write(bytes);
        }
        Tally &t = m_tallies[kind];
        ++t.applicable;
        // The edit as asked for, written where the page had it.
        bool asked = false;
        if (!expected.isEmpty())
            asked = bytes == expected;
        else if (!open.isEmpty())
            asked = Wrapped(page.bytes, bytes, open, close);
        else
            asked = InsertedOnce(page.bytes, bytes, piece);
        // The change the document went through: its text, plus the tags the edit added (the
        // typed letter and the title are text; a new row's cells are empty).
        const qint64 textChange = EditDistance(textBefore, textAfter);
        const qint64 tags = kind == QLatin1String("bold")  ? open.size() + close.size()
                            : kind == QLatin1String("row") ? QString::fromUtf8(piece).size()
                                                           : 0;
        const qint64 minimal = textChange < 0 ? -1 : textChange + tags;
        const QString originalText = CPageCodec::Decode(page.bytes, detection.charset);
        const QString savedText = CPageCodec::Decode(bytes, detection.charset);
        const qint64 written = EditDistance(originalText, savedText);
        const bool exact = asked || (minimal >= 0 && written == minimal);
        if (exact) {
            ++t.exact;
        } else {
            t.excess += written < 0 || minimal < 0
                            ? std::max<qint64>(0, ChangedBytes(page.bytes, bytes) - tags)
                            : std::max<qint64>(0, written - minimal);
            t.notExact << page.name;
        }
        if (exact && !asked)
            t.documentChanged << page.name;
        const QString inEngine = domdigest::OfView(engine.findChild<QWebEngineView *>());
        const QString fromFile = m_parser.Digest(bytes);
        const bool same = !inEngine.isEmpty() && inEngine == fromFile;
        if (same)
            ++t.domEqual;
        if (m_verbose && (!exact || !same)) {
            std::printf("  %s %s: %s%s\n", qPrintable(kind), qPrintable(page.name),
                        exact ? "exact" : "not exact",
                        same ? ""
                             : qPrintable(QStringLiteral(", DOM differs: ") +
                                          domdigest::FirstDifference(fromFile, inEngine)));
            const qsizetype pre = CommonPrefix(page.bytes, bytes);
            qsizetype suf = 0;
            while (suf < page.bytes.size() - pre && suf < bytes.size() - pre &&
                   page.bytes[page.bytes.size() - 1 - suf] == bytes[bytes.size() - 1 - suf])
                ++suf;
            std::printf("    at %lld: was [%s]\n    now [%s]\n", static_cast<long long>(pre),
                        page.bytes.mid(pre, std::min<qsizetype>(160, page.bytes.size() - pre - suf))
                            .toPercentEncoding(" <>/=\"'!&;:.,-_()#")
                            .constData(),
                        bytes.mid(pre, std::min<qsizetype>(160, bytes.size() - pre - suf))
                            .toPercentEncoding(" <>/=\"'!&;:.,-_()#")
                            .constData());
        }
    }

    void report() const
    {
        std::printf("%-6s %6s %14s %16s %12s\n", "edit", "pages", "exact", "bytes beyond",
                    "DOM equal");
        for (const char *kind : {"type", "bold", "row", "title"}) {
            const auto it = m_tallies.find(QString::fromLatin1(kind));
            if (it == m_tallies.end())
                continue;
            const Tally &t = it->second;
            std::printf("%-6s %6d %6d (%3.0f%%) %16lld %6d (%3.0f%%)\n", kind, t.applicable,
                        t.exact, t.applicable ? 100.0 * t.exact / t.applicable : 0.0,
                        static_cast<long long>(t.excess), t.domEqual,
                        t.applicable ? 100.0 * t.domEqual / t.applicable : 0.0);
            if (!t.notExact.isEmpty())
                std::printf("       not exact: %s\n",
                            qPrintable(t.notExact.join(QLatin1String(", "))));
            if (!t.documentChanged.isEmpty())
                std::printf("       exact, the editor changed more than the edit: %s\n",
                            qPrintable(t.documentChanged.join(QLatin1String(", "))));
        }
    }

private:
    bool m_verbose;
    QString m_keep;
    domdigest::Parser m_parser;
    std::map<QString, Tally> m_tallies;
};

// A large page opened with the given filter flags: one letter typed after the text mark, then
// saves timed (the first one verifies the page's elements once; later ones reuse that). Pages up
// to the engine's source-keeping limit (1 MB) keep their source when source formatting is on.
void LargeSave(const QString &dir, qsizetype size, int flags, const QString &mark,
               const char *label)
{
    const QString path = dir + QStringLiteral("/large.htm");
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    QByteArray previous = MakePage(size);
    f.write(previous);
    f.close();
    int minimal = 0; // saves that were the page before plus the typed letter
    CEditEngine engine;
    engine.resize(1000, 800);
    engine.show();
    bool finished = false;
    QObject::connect(&engine, &CEditEngine::loadFinished, [&](bool) { finished = true; });
    QElapsedTimer load;
    load.start();
    engine.Load(path, false, flags);
    WaitFor([&] { return finished; });
    const double loadTime = load.elapsed() / 1000.0;
    Idle(engine);
    auto typeAndSave = [&](char c) {
        bool found = false;
        auto connection =
            QObject::connect(&engine, &CEditEngine::findResult, [&](bool) { found = true; });
        engine.ExecEngineCommand(EngineId::Find, mark);
        WaitFor([&] { return found; });
        QObject::disconnect(connection);
        engine.setFocus();
        QWidget *input = InputWidget(&engine);
        const QString text(QLatin1Char{c});
        QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
        QApplication::sendEvent(input, &right);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, text);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, text);
        QApplication::sendEvent(input, &press);
        QApplication::sendEvent(input, &release);
        WaitFor([&] { return engine.IsModified(); }, 20000);
        Idle(engine);
        bool done = false;
        QElapsedTimer t;
        t.start();
        engine.Save(dir + QStringLiteral("/large-saved.htm"),
                    [&](bool, const QString &) { done = true; });
        WaitFor([&] { return done; });
        const double elapsed = t.elapsed() / 1000.0;
        QFile saved(dir + QStringLiteral("/large-saved.htm"));
        saved.open(QIODevice::ReadOnly);
        const QByteArray bytes = saved.readAll();
        if (InsertedOnce(previous, bytes, QByteArray(1, c)))
            ++minimal;
        previous = bytes;
        return elapsed;
    };
    const double first = typeAndSave('x');
    const double second = typeAndSave('y');
    std::printf("%.1f MB page, %s: load %.2f s; changed save %.3f s (first), %.3f s (next; goal "
                "<= 0.300); %d of 2 saves the page before plus the letter\n",
                size / 1048576.0, label, loadTime, first, second, minimal);
}

} // namespace

int main(int argc, char **argv)
{
    PrepareWebEngineEnvironment();
    CEditEngine::RegisterUrlScheme();
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString corpus = args.size() > 1 ? args[1] : QStringLiteral("benchmarks/corpus");
    const bool verbose = args.contains(QStringLiteral("--verbose"));
    const qsizetype keepAt = args.indexOf(QStringLiteral("--keep"));
    const QString keep = keepAt > 0 && keepAt + 1 < args.size() ? args[keepAt + 1] : QString();
    QTemporaryDir dir;
    QList<Page> pages;
    for (const QFileInfo &info : QDir(corpus).entryInfoList(QDir::Files, QDir::Name)) {
        if (info.fileName() == QLatin1String("SOURCES.md"))
            continue;
        QFile f(info.filePath());
        if (f.open(QIODevice::ReadOnly))
            pages.append(Page{info.fileName(), f.readAll()});
    }
    std::printf("corpus: %lld pages in %s\n", static_cast<long long>(pages.size()),
                qPrintable(corpus));
    Runner runner(verbose, keep);
    for (const Page &page : pages) {
        for (const char *kind : {"type", "bold", "row", "title"})
            runner.run(page, QString::fromLatin1(kind), dir.path());
    }
    runner.report();
    if (!args.contains(QStringLiteral("--no-large"))) {
        const QString end = QStringLiteral("END MARK"), top = QStringLiteral("Paragraph 0 with");
        const int keep = EngineFilter::SourceFormatting;
        // Source formatting on: the 0.25 and 1 MB pages keep their source; the 5 MB page is over
        // the engine's limit and has the standard save.
        LargeSave(dir.path(), 250 * 1000, keep, end, "source kept, change at the end");
        LargeSave(dir.path(), 1000 * 1000, keep, end, "source kept, change at the end");
        LargeSave(dir.path(), 1000 * 1000, keep, top, "source kept, change at the top");
        LargeSave(dir.path(), 5 * 1024 * 1024, keep, end,
                  "source formatting on (over the limit), change at the end");
        LargeSave(dir.path(), 5 * 1024 * 1024, EngineFilter::None, end,
                  "option off (standard save), change at the end");
    }
    return 0;
}
