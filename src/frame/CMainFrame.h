#pragma once

#include "frame/MainMenus.h"
#include "page/PageFrameHost.h"
#include "toolkit/CMDIFrameWnd.h"

class CCEditView;
class CFormatBar;
class CTandemTabViewBar;
class LockKeyIndicators;
class QLabel;
class QMimeData;
class QToolBar;

// The program's main window (128, "Pelion Web Builder"): the MDI area with the page windows,
// menus 128 and 129 (switched with the number of open pages), the main toolbar, format bar and
// object bar, the status bar, the "Project" side bar and the accelerators. It also keeps
// SaveMode and runs the Save on Exit question when it is closed. It is the host of the page
// views in it (CPageFrameHost) and hands them the application's services it was given.
class CMainFrame : public CMDIFrameWnd, public CPageFrameHost
{
    Q_OBJECT

public:
    // services: the application's (null for a frame alone, as some tests make it).
    explicit CMainFrame(CAppServices *services = nullptr, QWidget *parent = nullptr);
    ~CMainFrame() override;

    // Builds the bars, menus and side bar. False when that failed.
    bool Create();

    // How closing page windows treats their pages: SaveAll saves without asking, SaveNone saves
    // nothing, SaveAsk asks. Starts at SaveAsk.
    short SaveMode() const override { return m_saveMode; }
    void SetSaveMode(short mode) { m_saveMode = mode; }

    QToolBar *MainToolBar() const { return m_mainToolBar; }
    CFormatBar *FormatBar() const { return m_formatBar; }
    QToolBar *ObjectBar() const { return m_objectBar; }
    CTandemTabViewBar *SideBar() const { return m_sideBar; }
    // The "&Tools" popup of menu 129 (position 7).
    QMenu *ToolsMenu() const override { return m_menus.toolsMenu; }
    // True while menu 129 (a page is open) is the menu bar.
    bool ShowsPageMenu() const { return m_showsPageMenu; }
    const MainMenus &Menus() const { return m_menus; }

    CCEditView *ActivePageView() const;

    // Opens every local file of a drop as a page.
    void OpenDroppedFiles(const QMimeData *data);

    // The status bar's message pane; an empty text shows the idle message "Ready".
    void SetStatusText(const QString &text) override;

    // CPageFrameHost
    CMDIFrameWnd *FrameWindow() override { return this; }
    CAppServices *Services() const override { return m_services; }
    FormatBarLists FormatLists() const override;
    QWidget *FormatBarButton(int id) const override;
    QToolBar *FormatToolBar() const override;
    QToolBar *ObjectToolBar() const override { return m_objectBar; }
    CPropPanel *PropertyPanel() const override;
    void EnableGalleryPanels(bool enabled) override;

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void OnChildrenChanged() override;
    void OnUpdateFrame() override;

private:
    void CreateAccelerators();
    void ShowMenus(bool pageMenu);
    void UpdateTitle();
    void FillRecentFiles(QMenu *menu);
    void FillWindowList(QMenu *menu);
    void ArrangeIcons();
    void SwitchPane(bool forward);
    void NewWindow();
    void CascadePages();

    void BeginExit();
    void CloseNextPage();
    void AbortExit();

    CAppServices *m_services = nullptr;
    MainMenus m_menus;
    QToolBar *m_mainToolBar = nullptr;
    CFormatBar *m_formatBar = nullptr;
    QToolBar *m_objectBar = nullptr;
    CTandemTabViewBar *m_sideBar = nullptr;
    LockKeyIndicators *m_lockKeys = nullptr;
    short m_saveMode = SaveAsk;
    bool m_showsPageMenu = false;
    bool m_exiting = false;
    bool m_exitApproved = false;
};
