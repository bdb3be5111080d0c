// Timed runs of the Insert image dialog. Prints one line per figure:
//   open: from making the dialog for a page of 1,000 images to the dialog shown (median; the
//     first dialog of the process, which starts the browser, separately; with --page-open a
//     page view is loaded first, as in the program, where a page window is open)
//   refresh: from the keystroke that refreshes the preview (the counted one, and the last of a
//     burst that the pause catches up with) to the new preview page loaded and its picture in
//     the document, with a 4 KB preview page (median)
#include "BenchSupport.h"
#include "engine/WebEngineEnvironment.h"
#include "insert/CBrowseEdit.h"
#include "insert/CInsertImageDlg.h"
#include "toolkit/CDialog.h"
#include "toolkit/QtBridge.h"
#include "util/FileUtil.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

using bench::Median;
using bench::WaitFor;

namespace {

// A preview template of about 4 KB: the installed one's parts plus a style block of padding.
std::string FourKilobyteTemplate()
{
    std::string page = "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Preview</title>"
                       "<link rel=\"stylesheet\" href=\"qxlib.css\">"
                       "<script src=\"qxlib.js\"></script>\n<style>\n";
    for (int i = 0; page.size() < 3900; ++i)
        page += ".rule" + std::to_string(i) + " { margin: " + std::to_string(i % 9) + "px; }\n";
    return page + "</style></head><body><div>$(ImageDef)</div></body></html>\n";
}

// Opens a dialog for names and returns the milliseconds until it is shown; it stays open
// while keep runs.
double TimedOpen(const QStringList &names, const std::function<void(CInsertImageDlg &)> &keep)
{
    QElapsedTimer t;
    t.start();
    double ms = 0;
    CInsertImageDlg dialog(names, QString(), QString());
    CDialog::SetModalHook([&](CDialog &d) {
        d.show();
        WaitFor([&] { return d.isVisible() && d.windowHandle() && d.windowHandle()->isExposed(); });
        QCoreApplication::processEvents();
        ms = t.nsecsElapsed() / 1e6;
        if (keep)
            keep(static_cast<CInsertImageDlg &>(d));
        d.reject();
        return d.result();
    });
    dialog.DoModal();
    CDialog::SetModalHook({});
    return ms;
}

// The milliseconds from a keystroke to the preview holding the new image: the page loaded and
// the image element with the typed source in it.
double TimedKey(CInsertImageDlg &dialog, QLineEdit *edit, char key, const QString &expected)
{
    QWebEngineView *browser = dialog.Browser();
    bool loaded = false;
    auto connection =
        QObject::connect(browser, &QWebEngineView::loadFinished, [&](bool) { loaded = true; });
    QElapsedTimer t;
    t.start();
    QTest::keyClick(edit, key);
    WaitFor([&] { return loaded; });
    QObject::disconnect(connection);
    QString src;
    bool back = false;
    browser->page()->runJavaScript(
        QStringLiteral("document.images.length ? document.images[0].getAttribute('src') : ''"),
        [&](const QVariant &v) {
            src = v.toString();
            back = true;
        });
    WaitFor([&] { return back; });
    const double ms = t.nsecsElapsed() / 1e6;
    if (src != expected)
        std::printf("  (unexpected preview source %s)\n", qPrintable(src));
    return ms;
}

} // namespace

int main(int argc, char **argv)
{
    PrepareWebEngineEnvironment();
    QTemporaryDir home;
    qputenv("XDG_CACHE_HOME", QFile::encodeName(home.path() + "/cache"));
    QApplication app(argc, argv);
    const std::string program = fromQt(home.path()) + "/program/";
    util::MakeFolders(program + "Bin");
    util::WriteFileAtomic(program + "Bin/Preview.htm", FourKilobyteTemplate());
    util::SetProgramFolder(program);

    QStringList names;
    for (int i = 0; i < 1000; ++i)
        names << QStringLiteral("image%1").arg(i);

    // In the program a page window is open before the dialog is: its browser is running, so
    // the first dialog does not start it. A page view made and loaded first stands for it.
    const bool pageFirst = argc > 1 && QByteArray(argv[1]) == "--page-open";
    std::unique_ptr<QWebEngineView> page;
    if (pageFirst) {
        page = std::make_unique<QWebEngineView>();
        bool loaded = false;
        QObject::connect(page.get(), &QWebEngineView::loadFinished, [&] { loaded = true; });
        page->setHtml(QStringLiteral("<p>page</p>"));
        page->show();
        WaitFor([&] { return loaded; });
    }
    const double first = TimedOpen(names, {});
    std::vector<double> opens;
    for (int i = 0; i < 15; ++i)
        opens.push_back(TimedOpen(names, {}));
    std::printf("open with 1,000 page images: %.1f ms median of %zu (first in process %.1f ms%s)\n",
                Median(opens), opens.size(), first, pageFirst ? ", a page view already open" : "");

    std::vector<double> counted, settled;
    TimedOpen(names, [&](CInsertImageDlg &dialog) {
        QLineEdit *source = dialog.findChild<CBrowseEdit *>("1002")->Edit();
        source->setFocus();
        QString typed;
        // Warm the preview once.
        CInsertImageDlg::ResetChangeCounter();
        for (int round = 0; round < 16; ++round) {
            // Changes 1 and 2 of the counter, then the counted third.
            for (char c : {'a', 'b'}) {
                QTest::keyClick(source, c);
                typed += QLatin1Char(c);
            }
            typed += QLatin1Char('c');
            const double ms = TimedKey(dialog, source, 'c', typed);
            if (round > 0)
                counted.push_back(ms);
            // The fourth change is caught up with once typing pauses.
            typed += QLatin1Char('d');
            settled.push_back(TimedKey(dialog, source, 'd', typed));
        }
    });
    std::printf("preview refresh, 4 KB page, counted keystroke: %.1f ms median of %zu\n",
                Median(counted), counted.size());
    std::printf("preview refresh, 4 KB page, last keystroke of a burst (50 ms pause "
                "included): %.1f ms median of %zu\n",
                Median(settled), settled.size());
    return 0;
}
