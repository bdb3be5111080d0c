// Timed runs of the property panel. Prints one line per figure:
//   show: ShowProperties for another page's document, as a focus change does (median of runs)
//   colour commit on a 200 KB page: from the palette click to the page reloaded and editable
//     again (save, head patch, reload), median of runs
#include "BenchSupport.h"
#include "app/CPelionApp.h"
#include "engine/CEditEngine.h"
#include "engine/WebEngineEnvironment.h"
#include "frame/CMainFrame.h"
#include "frame/CTandemTabViewBar.h"
#include "page/CCEditDoc.h"
#include "page/CCEditSite.h"
#include "page/CCEditView.h"
#include "page/CPagePropertyWriter.h"
#include "propgrid/CPropColourCombo.h"
#include "propgrid/CPropColourPalette.h"
#include "propgrid/CPropListBox.h"
#include "propgrid/CPropPanel.h"
#include "toolkit/CMDIChildWnd.h"
#include "toolkit/QtBridge.h"
#include "util/FileUtil.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using bench::Median;
using bench::WaitFor;

namespace {

std::string MakePage(size_t size)
{
    std::string page = "<html><head><title>Bench</title>\n<meta name=keywords content=a>\n"
                       "</head><body bgcolor=white link=blue>\n";
    for (int i = 0; page.size() < size - 40; ++i)
        page += "<p>Paragraph " + std::to_string(i) +
                " with some <b>bold</b> text and <a href=\"x.htm\">a link</a>.</p>\n";
    return page + "</body></html>\n";
}

void ShowFigure(CPropPanel &panel)
{
    CCEditDoc a;
    CCEditDoc b;
    a.OnNewDocument();
    b.OnNewDocument();
    a.Properties().title = "First page";
    b.Properties().title = "Second page";
    std::vector<double> runs;
    for (int i = 0; i < 400; ++i) {
        QElapsedTimer timer;
        timer.start();
        panel.ShowProperties(i % 2 ? &a : &b, false);
        panel.GetListBox()->viewport()->repaint(); // the rows drawn, as the user sees them
        runs.push_back(timer.nsecsElapsed() / 1e6);
    }
    panel.ShowProperties(nullptr, true);
    std::printf("show panel for a page: %.3f ms (median of %zu)\n", Median(runs), runs.size());
}

void CommitFigure(CPelionApp &app)
{
    CMainFrame *frame = app.MainFrame();
    if (!WaitFor([&] { return !frame->OpenChildren().empty(); })) {
        std::printf("colour commit: no page window\n");
        return;
    }
    auto *view = qobject_cast<CCEditView *>(frame->OpenChildren().last()->GetActiveView());
    if (!view || !WaitFor([&] {
            return view->Site()->Engine()->IsLoaded() && view->GetDocument()->PropertiesRead();
        })) {
        std::printf("colour commit: page did not load\n");
        return;
    }
    CPropPanel *panel = frame->SideBar()->PropertyPanel();
    int writes = 0;
    QObject::connect(view->PropertyWriter(), &CPagePropertyWriter::written, [&] { ++writes; });
    std::vector<double> runs;
    for (int i = 0; i < 7; ++i) {
        panel->SuppressEditor(true);
        panel->GetListBox()->setCurrentRow(6); // Background Colour
        panel->SuppressEditor(false);
        panel->OpenEditor(false);
        if (!panel->Palette()) {
            std::printf("colour commit: no palette\n");
            return;
        }
        const int before = writes;
        QElapsedTimer timer;
        timer.start();
        panel->Palette()->ColourButton(i % 2 ? 3 : 11)->click();
        if (!WaitFor([&] { return writes > before && view->Site()->Engine()->IsLoaded(); })) {
            std::printf("colour commit: no write\n");
            return;
        }
        runs.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::printf("colour commit on a 200 KB page until editable: %.1f ms (median of %zu; min "
                "%.1f, max %.1f)\n",
                Median(runs), runs.size(), *std::min_element(runs.begin(), runs.end()),
                *std::max_element(runs.begin(), runs.end()));
}

} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path() + "/config"));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(home.path() + "/cache"));
    PrepareWebEngineEnvironment();
    CEditEngine::RegisterUrlScheme();
    CPelionApp::SetSettingsKey();
    QApplication application(argc, argv);
    util::SetProgramFolder(fromQt(home.path() + "/"));
    {
        CPropPanel panel;
        panel.resize(250, 400);
        panel.show();
        ShowFigure(panel);
    }
    // The page opens as one named on the command line: a page opened later would be taken for
    // the blank first page of the run, which closes itself.
    const QString page = home.path() + "/big.html";
    util::WriteFileAtomic(fromQt(page), MakePage(200 * 1024));
    CPelionApp app;
    if (!app.InitInstance({page}))
        return 1;
    CommitFigure(app);
    app.MainFrame()->SetSaveMode(CMainFrame::SaveNone);
    for (CMDIChildWnd *child : app.MainFrame()->OpenChildren())
        child->close();
    QCoreApplication::processEvents();
    return 0;
}
