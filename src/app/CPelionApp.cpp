#include "app/CPelionApp.h"

#include "app/CHelpWindow.h"
#include "app/CStartupTrace.h"
#include "frame/CChildFrame.h"
#include "frame/CMainFrame.h"
#include "page/CCEditDoc.h"
#include "page/CCEditView.h"
#include "sites/CNewFileDlg.h"
#include "toolkit/CDocTemplate.h"
#include "toolkit/CInputDlg.h"
#include "toolkit/CommandIds.h"
#include "toolkit/FileDialog.h"
#include "toolkit/FilePicker.h"
#include "toolkit/MessageBox.h"
#include "toolkit/QtBridge.h"
#include "util/AppProfile.h"
#include "util/FileUtil.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

#include <cstdlib>
#include <ctime>

namespace {

// Runs the events until window has been painted once (or a moment has passed: a window that is
// not exposed, say on another desktop, paints only later). User input waits meanwhile.
void WaitForFirstPaint(QWidget *window)
{
    struct PaintWatch : QObject
    {
        QEventLoop loop;
        bool eventFilter(QObject *, QEvent *event) override
        {
            if (event->type() == QEvent::Paint)
                QTimer::singleShot(0, &loop, &QEventLoop::quit);
            return false;
        }
    } watch;
    window->installEventFilter(&watch);
    QTimer::singleShot(250, &watch.loop, &QEventLoop::quit);
    watch.loop.exec(QEventLoop::ExcludeUserInputEvents);
    window->removeEventFilter(&watch);
}

} // namespace

static const char kTemplateString[] =
    "\nPelion\nPelion\nHTML files (*.htm)\n.htm\nPelion.Document\nPelion Document";

CPelionApp::CPelionApp()
{
    OnCommand(cmd::FileNew, [this] { OnFileNew(); });
    OnCommand(cmd::FileOpen, [this] { OnFileOpen(); });
    OnCommand(cmd::OpenUrl, [this] { OnOpenUrl(); });
}

CPelionApp::~CPelionApp()
{
    // The main frame goes first: its page windows still talk to the application.
    m_mainFrame.reset();
}

CPelionApp *CPelionApp::Instance()
{
    return static_cast<CPelionApp *>(CWinApp::Instance());
}

void CPelionApp::SetSettingsKey()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Torvane"));
    QCoreApplication::setApplicationName(QStringLiteral("Pelion Web Author"));
}

bool CPelionApp::InitInstance(const QStringList &arguments)
{
    SetRegistryKey(QStringLiteral("Torvane"), QStringLiteral("Pelion Web Author"));
    LoadStdProfileSettings(4);
    SetMessageBoxTitle(QStringLiteral("Pelion"));

    AddDocTemplate(std::make_unique<CDocTemplate>(
        129, QString::fromLatin1(kTemplateString), [] { return new CCEditDoc; },
        [] { return new CChildFrame; }, [] { return new CCEditView; }));

    m_mainFrame = std::make_unique<CMainFrame>(this);
    if (!m_mainFrame->Create())
        return false;
    SetMainWnd(m_mainFrame.get());
    m_mainFrame->SetApplicationTarget(this);

    CStartupTrace *trace = CStartupTrace::FromEnvironment(m_mainFrame.get());
    if (trace)
        trace->WatchWindow(m_mainFrame.get());

    QStringList paths;
    for (const QString &argument : arguments) {
        if (!argument.startsWith(QLatin1Char('-')))
            paths.append(argument);
    }

    m_mainFrame->setAcceptDrops(true);
    m_mainFrame->showMaximized();
    m_mainFrame->RequestUpdate();
    // The window first: the user sees the program before the web engine starts for the first
    // page (its set-up in this process is a good part of the start-up).
    WaitForFirstPaint(m_mainFrame.get());

    if (paths.isEmpty()) {
        OnFileNew();
    } else {
        // Pages named on the command line open, each in its own page window, and stay open:
        // the start-up work of the first New (settings file, random seed) is done here, without
        // the blank page that would close itself.
        DoFirstNewWork();
        std::srand(static_cast<unsigned>(std::time(nullptr)));
        SetFirstPageClosed();
        for (const QString &path : paths) {
            const bool isUrl =
                path.startsWith(QLatin1String("file:")) || path.startsWith(QLatin1String("http:"));
            PendingPath = isUrl ? path : QFileInfo(path).absoluteFilePath();
            CDocument *document = OpenNewDocument();
            if (trace)
                trace->WatchPage(document);
        }
    }
    if (trace)
        trace->AllPagesWatched();
    return true;
}

void CPelionApp::DoFirstNewWork()
{
    m_firstNewDone = true;
    // A missing or unreadable Tandem.ini is an empty store; it is written on the first save.
    util::LoadAppProfile();
}

CDocument *CPelionApp::OpenDocumentFile(const QString &path)
{
    PendingPath = path;
    OpenNewDocument();
    return nullptr;
}

void CPelionApp::OnFileNew()
{
    PendingFilter = false;
    PendingPath.clear();
    if (!m_firstNewDone) {
        DoFirstNewWork();
    } else {
        CNewFileDlg dialog(util::AppProfile(), m_mainFrame.get());
        if (dialog.DoModal() != QDialog::Accepted || dialog.CreatedPath().empty())
            return;
        PendingPath = toQt(dialog.CreatedPath());
    }
    OpenNewDocument();
}

void CPelionApp::OnFileOpen()
{
    FileDialogRequest request;
    request.parent = m_mainFrame.get();
    request.open = true;
    request.filter = QStringLiteral("HTML files|*.htm; *.html|All Files|*.*||");
    request.defaultSuffix = QStringLiteral("html");
    request.folder = GetLastFolder(filekind::WebPages);
    const QString path = RunFileDialog(request);
    if (path.isEmpty())
        return;
    SetLastFolder(filekind::WebPages, toQt(util::PathFolder(fromQt(path))));
    PendingPath = path;
    OpenNewDocument();
}

void CPelionApp::OnOpenUrl()
{
    CInputDlg dialog(QStringLiteral("Enter URL"), QStringLiteral("http://"), m_mainFrame.get());
    if (dialog.DoModal() != QDialog::Accepted || dialog.Text().isEmpty())
        return;
    PendingFilter = false;
    PendingPath = dialog.Text();
    OpenNewDocument();
}

void CPelionApp::OpenHelpPage(const QString &relativePath, QWidget *parent)
{
    const QString path = toQt(util::ProgramFolder()) + relativePath;
    if (!util::FileExists(fromQt(path))) {
        ShowMessageBox(parent, QStringLiteral("The help page %1 cannot be found.").arg(path),
                       QMessageBox::Ok, QMessageBox::Warning);
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        CHelpWindow::ShowPage(path, m_mainFrame.get());
}

CCEditSite *CPelionApp::MakePageSite(CCEditView *view)
{
    return m_siteFactory ? m_siteFactory(view) : nullptr;
}
