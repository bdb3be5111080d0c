#include "frame/CMainFrame.h"

#include "frame/CAboutDlg.h"
#include "frame/CFormatBar.h"
#include "frame/CSaveOnExitDlg.h"
#include "frame/CTandemTabViewBar.h"
#include "frame/CommandIcons.h"
#include "frame/LockKeyIndicators.h"
#include "frame/ToolBars.h"
#include "gallery/CClipArtPanel.h"
#include "gallery/CObjectsPanel.h"
#include "insert/CFramesetDlg.h"
#include "page/AppServices.h"
#include "page/CCEditView.h"
#include "page/FormatBarSync.h"
#include "sites/CSitesDlg.h"
#include "toolkit/CCmdUI.h"
#include "toolkit/CMDIChildWnd.h"
#include "toolkit/CRecentFileList.h"
#include "toolkit/CommandIds.h"
#include "toolkit/MessageBox.h"
#include "util/AppProfile.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QMimeData>
#include <QPointer>
#include <QShortcut>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>
#include <QUrl>

static const char kAppTitle[] = "Pelion Web Builder";
static const char kRecentEntryProperty[] = "recentFileEntry";
static const char kWindowEntryProperty[] = "windowListEntry";

// The objects panel works on the frame's active page and shows descriptions in its status bar.
static CObjectsPanel *CreateObjectsPanel(CMainFrame *frame)
{
    QPointer<CMainFrame> mainFrame = frame;
    auto activeView = [mainFrame]() -> CCEditView * {
        auto *view = mainFrame ? qobject_cast<CCEditView *>(mainFrame->ActiveView()) : nullptr;
        return view && !view->IsReadOnly() ? view : nullptr;
    };
    CObjectsPanel::Target target;
    target.activePage = [activeView](QString *pagePath) {
        CCEditView *view = activeView();
        if (view && pagePath)
            *pagePath = CCEditView::LocalPathOfAddress(view->PagePath());
        return view != nullptr;
    };
    target.insertHtml = [activeView](const QString &html) {
        CCEditView *view = activeView();
        return view && view->InsertHtmlAtSelection(html);
    };
    target.showStatus = [mainFrame](const QString &text) {
        if (mainFrame)
            mainFrame->SetStatusText(text);
    };
    return new CObjectsPanel(std::move(target), BundledIcon(QStringLiteral("pelion")));
}

// The clip-art panel's commands go to the frame's active page with the panel's file; with no
// page open (or a read-only one) they do nothing.
static CClipArtPanel *CreateClipArtPanel(CMainFrame *frame)
{
    auto *panel = new CClipArtPanel;
    QPointer<CMainFrame> mainFrame = frame;
    QObject::connect(panel, &CClipArtPanel::command, frame, [mainFrame, panel](int id) {
        CCEditView *view = mainFrame ? mainFrame->ActivePageView() : nullptr;
        if (view && !view->IsReadOnly())
            view->RunGalleryCommand(id, panel->CurrentPath(), panel->ContextMenuPos());
    });
    return panel;
}

CMainFrame::CMainFrame(CAppServices *services, QWidget *parent)
    : CMDIFrameWnd(parent)
    , m_services(services)
{
    setWindowTitle(QString::fromLatin1(kAppTitle));
    resize(1024, 768);
}

CMainFrame::~CMainFrame() = default;

FormatBarLists CMainFrame::FormatLists() const
{
    FormatBarLists lists;
    if (m_formatBar) {
        lists.blockFormat = m_formatBar->BlockFormatList();
        lists.fontName = m_formatBar->FontNameList();
        lists.fontSize = m_formatBar->FontSizeList();
    }
    return lists;
}

QWidget *CMainFrame::FormatBarButton(int id) const
{
    return m_formatBar ? m_formatBar->ButtonOf(id) : nullptr;
}

QToolBar *CMainFrame::FormatToolBar() const
{
    return m_formatBar;
}

CPropPanel *CMainFrame::PropertyPanel() const
{
    return m_sideBar ? m_sideBar->PropertyPanel() : nullptr;
}

void CMainFrame::EnableGalleryPanels(bool enabled)
{
    if (m_sideBar)
        m_sideBar->EnableGalleryPanels(enabled);
}

bool CMainFrame::Create()
{
    PrepareIconTheme();
    setWindowIcon(BundledIcon(QStringLiteral("pelion")));

    m_mainToolBar = CreateMainToolBar(this, this);
    addToolBar(Qt::TopToolBarArea, m_mainToolBar);
    m_formatBar = new CFormatBar(this, this);
    addToolBar(Qt::TopToolBarArea, m_formatBar);
    m_objectBar = CreateObjectBar(this, this);
    // The three bars are too wide for one row on most screens; the object bar starts the next.
    addToolBarBreak(Qt::TopToolBarArea);
    addToolBar(Qt::TopToolBarArea, m_objectBar);

    auto *message = new QLabel(QStringLiteral("Ready"), statusBar());
    message->setObjectName(QStringLiteral("messagePane"));
    statusBar()->addWidget(message, 1);
    m_lockKeys = new LockKeyIndicators(statusBar());

    m_sideBar = new CTandemTabViewBar(this);
    m_sideBar->SetPanel(CTandemTabViewBar::MediaTab, CreateClipArtPanel(this));
    m_sideBar->SetPanel(CTandemTabViewBar::ObjectsTab, CreateObjectsPanel(this));
    addDockWidget(Qt::LeftDockWidgetArea, m_sideBar);
    m_sideBar->resize(250, 300);
    resizeDocks({m_sideBar}, {250}, Qt::Horizontal);

    m_menus = BuildMainMenus(this, this);
    for (QMenu *file : m_menus.fileMenus)
        connect(file, &QMenu::aboutToShow, this, [this, file] { FillRecentFiles(file); });
    connect(m_menus.windowMenu, &QMenu::aboutToShow, this,
            [this] { FillWindowList(m_menus.windowMenu); });
    ShowMenus(false);
    CreateAccelerators();

    OnCommand(cmd::AppExit, [this] { close(); });
    OnCommand(cmd::AppAbout, [this] {
        CAboutDlg about(this);
        about.DoModal();
    });
    OnCommand(cmd::Lessons, [this] {
        if (m_services)
            m_services->OpenHelpPage(QStringLiteral("Manual/Lessons.html"), this);
    });
    OnCommand(cmd::DefineSite, [this] {
        CSitesDlg sites(util::AppProfile(), this);
        sites.DoModal();
    });
    OnCommand(cmd::CreateFrameset, [this] {
        // The dialog writes the file; only a written file is opened.
        CFramesetDlg frameset(util::AppProfile(), this);
        if (frameset.DoModal() != QDialog::Accepted)
            return;
        if (m_services)
            m_services->OpenPage(frameset.WrittenPath());
    });
    OnCommand(cmd::ViewToolbar,
              [this] { m_mainToolBar->setVisible(!m_mainToolBar->isVisibleTo(this)); });
    OnUpdateCommand(cmd::ViewToolbar, [this](CCmdUI &ui) {
        ui.Enable(true);
        ui.SetCheck(m_mainToolBar->isVisibleTo(this));
    });
    OnCommand(cmd::ViewStatusBar,
              [this] { statusBar()->setVisible(!statusBar()->isVisibleTo(this)); });
    OnUpdateCommand(cmd::ViewStatusBar, [this](CCmdUI &ui) {
        ui.Enable(true);
        ui.SetCheck(statusBar()->isVisibleTo(this));
    });

    const auto needsPage = [this](CCmdUI &ui) { ui.Enable(!OpenChildren().isEmpty()); };
    OnCommand(cmd::WindowNew, [this] { NewWindow(); });
    OnUpdateCommand(cmd::WindowNew, [this](CCmdUI &ui) { ui.Enable(ActivePageView()); });
    OnCommand(cmd::WindowCascade, [this] { CascadePages(); });
    OnUpdateCommand(cmd::WindowCascade, needsPage);
    OnCommand(cmd::WindowTile, [this] { MdiArea()->tileSubWindows(); });
    OnUpdateCommand(cmd::WindowTile, needsPage);
    OnCommand(cmd::WindowArrange, [this] { ArrangeIcons(); });
    OnUpdateCommand(cmd::WindowArrange, needsPage);
    OnCommand(cmd::NextPane, [this] { SwitchPane(true); });
    OnCommand(cmd::PrevPane, [this] { SwitchPane(false); });

    connect(QApplication::clipboard(), &QClipboard::dataChanged, this,
            &CMDIFrameWnd::RequestUpdate);
    connect(this, &CMDIFrameWnd::activeViewChanged, this, &CMainFrame::UpdateTitle);
    return true;
}

void CMainFrame::CreateAccelerators()
{
    const struct
    {
        QKeySequence keys;
        int id;
    } accelerators[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_C), cmd::Copy},
        {QKeySequence(Qt::CTRL | Qt::Key_N), cmd::FileNew},
        {QKeySequence(Qt::CTRL | Qt::Key_O), cmd::FileOpen},
        {QKeySequence(Qt::CTRL | Qt::Key_P), cmd::PrintToolbar},
        {QKeySequence(Qt::CTRL | Qt::Key_S), cmd::FileSave},
        {QKeySequence(Qt::CTRL | Qt::Key_V), cmd::Paste},
        {QKeySequence(Qt::ALT | Qt::Key_Backspace), cmd::Undo},
        {QKeySequence(Qt::SHIFT | Qt::Key_Delete), cmd::Cut},
        {QKeySequence(Qt::Key_F6), cmd::NextPane},
        {QKeySequence(Qt::SHIFT | Qt::Key_F6), cmd::PrevPane},
        {QKeySequence(Qt::CTRL | Qt::Key_Insert), cmd::Copy},
        {QKeySequence(Qt::SHIFT | Qt::Key_Insert), cmd::Paste},
        {QKeySequence(Qt::CTRL | Qt::Key_X), cmd::Cut},
        {QKeySequence(Qt::CTRL | Qt::Key_Z), cmd::Undo},
        {QKeySequence(Qt::CTRL | Qt::Key_F), cmd::Find},
    };
    for (const auto &accelerator : accelerators) {
        auto *shortcut = new QShortcut(accelerator.keys, this);
        shortcut->setObjectName(QStringLiteral("accelerator%1").arg(accelerator.id));
        const int id = accelerator.id;
        connect(shortcut, &QShortcut::activated, this, [this, id] { RouteCommandIfEnabled(id); });
    }
}

CCEditView *CMainFrame::ActivePageView() const
{
    return qobject_cast<CCEditView *>(ActiveView());
}

void CMainFrame::SetStatusText(const QString &text)
{
    if (auto *pane = statusBar()->findChild<QLabel *>(QStringLiteral("messagePane")))
        pane->setText(text.isEmpty() ? QStringLiteral("Ready") : text);
}

void CMainFrame::ShowMenus(bool pageMenu)
{
    if (pageMenu == m_showsPageMenu && !menuBar()->actions().isEmpty())
        return;
    m_showsPageMenu = pageMenu;
    menuBar()->clear();
    for (QMenu *menu : pageMenu ? m_menus.page : m_menus.noPage)
        menuBar()->addMenu(menu);
}

void CMainFrame::OnChildrenChanged()
{
    const QList<CMDIChildWnd *> children = OpenChildren();
    ShowMenus(!children.isEmpty());
    if (children.isEmpty())
        SetStatusText(QString()); // a closed page's progress text must not linger
    UpdateTitle();
}

void CMainFrame::UpdateTitle()
{
    // A maximised page window adds " - [page title]" after the application title itself.
    if (windowTitle().isEmpty() || OpenChildren().isEmpty())
        setWindowTitle(QString::fromLatin1(kAppTitle));
}

void CMainFrame::OnUpdateFrame()
{
    // A maximised page puts its title, with its "[*]" mark, into this window's title.
    CMDIChildWnd *active = ActiveChild();
    setWindowModified(active && active->isWindowModified());
    if (!ActiveView()) {
        ClearFormatBar({m_formatBar->BlockFormatList(), m_formatBar->FontNameList(),
                        m_formatBar->FontSizeList()});
        m_formatBar->SetListsEnabled(false);
    }
}

void CMainFrame::FillRecentFiles(QMenu *menu)
{
    QAction *placeholder = nullptr;
    for (QAction *action : menu->actions()) {
        if (action->property(kRecentEntryProperty).toBool())
            delete action;
        else if (CommandIdOf(action) == cmd::FileMru1)
            placeholder = action;
    }
    if (!placeholder)
        return;
    CRecentFileList *list = m_services ? m_services->RecentFiles() : nullptr;
    const int count = list ? list->Count() : 0;
    placeholder->setVisible(count == 0);
    placeholder->setEnabled(false);
    for (int i = 0; i < count; ++i) {
        auto *entry = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(list->Entry(i)), menu);
        entry->setProperty(kRecentEntryProperty, true);
        entry->setStatusTip(list->Entry(i));
        menu->insertAction(placeholder, BindAction(entry, cmd::FileMru1 + i));
    }
}

void CMainFrame::FillWindowList(QMenu *menu)
{
    for (QAction *action : menu->actions()) {
        if (action->property(kWindowEntryProperty).toBool())
            delete action;
    }
    const QList<CMDIChildWnd *> children = OpenChildren();
    if (children.isEmpty())
        return;
    menu->addSeparator()->setProperty(kWindowEntryProperty, true);
    CMDIChildWnd *active = ActiveChild();
    int number = 0;
    for (CMDIChildWnd *child : children) {
        auto *entry =
            new QAction(QStringLiteral("&%1 %2").arg(++number).arg(child->DisplayedTitle()), menu);
        entry->setProperty(kWindowEntryProperty, true);
        entry->setCheckable(true);
        entry->setChecked(child == active);
        connect(entry, &QAction::triggered, this, [this, child] {
            if (OpenChildren().contains(child))
                ActivateChild(child);
        });
        menu->addAction(entry);
    }
}

void CMainFrame::ArrangeIcons()
{
    // Minimised page windows in a row along the bottom of the area, left to right.
    const QRect area = MdiArea()->viewport()->rect();
    int x = 0;
    for (CMDIChildWnd *child : OpenChildren()) {
        if (!child->isMinimized())
            continue;
        const QSize size = child->size();
        child->move(x, area.bottom() - size.height() + 1);
        x += size.width();
    }
}

void CMainFrame::SwitchPane(bool)
{
    // Two panes: the active page and the side bar.
    CView *view = ActiveView();
    const bool inSideBar = m_sideBar->isAncestorOf(QApplication::focusWidget());
    if (inSideBar && view)
        view->setFocus();
    else if (QWidget *panel = m_sideBar->Tabs()->currentWidget())
        panel->setFocus();
}

void CMainFrame::NewWindow()
{
    // Another window on the active page: the page as saved, loaded the way it was, read-only,
    // so that only the first window edits and saves it.
    CCEditView *view = ActivePageView();
    if (!view || !m_services)
        return;
    const int before = OpenChildren().size();
    m_services->PendingPageFiltered() = view->FilterOnLoad();
    m_services->OpenPage(view->PagePath());
    const QList<CMDIChildWnd *> children = OpenChildren();
    if (children.size() > before) {
        if (auto *copy = qobject_cast<CCEditView *>(children.last()->GetActiveView()))
            copy->SetReadOnly(true);
    }
}

void CMainFrame::CascadePages()
{
    // Each window two thirds of the area, one title bar further down and right than the last.
    const QRect area = MdiArea()->viewport()->rect();
    const QSize size(qMax(area.width() * 2 / 3, 200), qMax(area.height() * 2 / 3, 150));
    const int step = qMax(style()->pixelMetric(QStyle::PM_TitleBarHeight), 20);
    CMDIChildWnd *active = ActiveChild();
    QPoint at(0, 0);
    for (CMDIChildWnd *child : OpenChildren()) {
        if (child->isMinimized())
            continue;
        if (child->isMaximized())
            child->showNormal();
        if (at.x() + size.width() > area.width() || at.y() + size.height() > area.height())
            at = QPoint(0, 0);
        child->setGeometry(QRect(at, size));
        child->raise();
        at += QPoint(step, step);
    }
    if (active)
        ActivateChild(active);
}

void CMainFrame::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent *event)
{
    event->acceptProposedAction();
    activateWindow();
    OpenDroppedFiles(event->mimeData());
}

void CMainFrame::OpenDroppedFiles(const QMimeData *data)
{
    if (!m_services || !data)
        return;
    const QList<QUrl> urls = data->urls();
    for (const QUrl &url : urls) {
        if (url.isLocalFile())
            m_services->OpenPage(url.toLocalFile());
    }
}

void CMainFrame::closeEvent(QCloseEvent *event)
{
    if (m_exitApproved || OpenChildren().isEmpty()) {
        m_exitApproved = true;
        event->accept();
        return;
    }
    event->ignore();
    if (!m_exiting)
        BeginExit();
}

void CMainFrame::BeginExit()
{
    m_exiting = true;
    CCEditView *view = ActivePageView();
    if (view && view->IsReadOnly()) {
        // The question is about the page: its editing window answers for a read-only one.
        CCEditView *editing = nullptr;
        for (CMDIChildWnd *child : OpenChildren()) {
            auto *other = qobject_cast<CCEditView *>(child->GetActiveView());
            if (other && !other->IsReadOnly() && other->PagePath() == view->PagePath())
                editing = other;
        }
        view = editing;
    }
    if (!view) {
        CloseNextPage();
        return;
    }
    CSaveOnExitDlg question(view->PagePath(), this);
    switch (question.DoModal()) {
    case CSaveOnExitDlg::Yes:
        view->SaveToCurrentFile([this, view = QPointer<CCEditView>(view)](bool ok) {
            if (!ok) {
                AbortExit();
                return;
            }
            if (view)
                view->ClearPagePath();
            m_saveMode = SaveAsk;
            CloseNextPage();
        });
        return;
    case CSaveOnExitDlg::No:
        view->ClearPagePath();
        m_saveMode = SaveAsk;
        break;
    case CSaveOnExitDlg::YesToAll:
        m_saveMode = SaveAll;
        break;
    case CSaveOnExitDlg::NoToAll:
        m_saveMode = SaveNone;
        break;
    default:
        m_exiting = false;
        return;
    }
    CloseNextPage();
}

void CMainFrame::CloseNextPage()
{
    if (!m_exiting)
        return;
    const QList<CMDIChildWnd *> children = OpenChildren();
    if (children.isEmpty()) {
        m_exiting = false;
        m_exitApproved = true;
        close();
        return;
    }
    CMDIChildWnd *child = children.first();
    connect(child, &CMDIChildWnd::frameClosed, this, &CMainFrame::CloseNextPage,
            static_cast<Qt::ConnectionType>(Qt::QueuedConnection | Qt::SingleShotConnection));
    connect(child, &CMDIChildWnd::closeRefused, this, &CMainFrame::AbortExit,
            static_cast<Qt::ConnectionType>(Qt::QueuedConnection | Qt::SingleShotConnection));
    child->close();
}

void CMainFrame::AbortExit()
{
    // A page could not be saved: the program stays open with that page, and closing windows
    // asks again.
    m_exiting = false;
    m_saveMode = SaveAsk;
}
