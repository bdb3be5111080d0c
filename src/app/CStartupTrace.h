#pragma once

#include <QObject>

class CDocument;
class QWidget;

// Start-up timing for the timing script (benchmarks/startup_times.py). When the environment
// holds PELION_STARTUP_TRACE, the program writes one line to standard error when its main window
// is first painted ("pelion-startup: window-visible <wall-clock seconds>") and one when the first
// page named on the command line is loaded, titled and editable ("page-editable"). With the value
// "quit" the program also ends once every page of the command line has loaded or failed, which
// lets scripts and tests start the real program and wait for it.
class CStartupTrace : public QObject
{
public:
    // Null when the environment asks for no trace.
    static CStartupTrace *FromEnvironment(QObject *parent);

    void WatchWindow(QWidget *window);
    // Every view of document counts as one page of the command line.
    void WatchPage(CDocument *document);
    // No more pages will be watched; quits at once when none is pending.
    void AllPagesWatched();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit CStartupTrace(bool quitWhenLoaded, QObject *parent);
    void mark(const char *what);
    void pageDone(bool ok);
    void quitIfDone();

    bool m_quitWhenLoaded = false;
    bool m_windowMarked = false;
    bool m_pageMarked = false;
    bool m_allWatched = false;
    int m_pending = 0;
    int m_failed = 0;
};
