#pragma once

#include "frame/MainMenus.h"
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
// SaveMode and runs the Save on Exit question when it is closed.
class CMainFrame : public CMDIFrameWnd
{
    Q_OBJECT

public:
    // How closing page windows treats their pages: 0 saves without asking, 1 saves nothing,
    // 2 asks. Starts at 2.
    enum SaveModeValue : short { SaveAll = 0, SaveNone = 1, SaveAsk = 2 };

    explicit CMainFrame(QWidget *parent = nullptr);
    ~CMainFrame() override;

    // Builds the bars, menus and side bar. False when that failed.
    bool Create();

    static CMainFrame *Of(const QWidget *widget);

    short SaveMode() const { return m_saveMode; }
    void SetSaveMode(short mode) { m_saveMode = mode; }

    QToolBar *MainToolBar() const { return m_mainToolBar; }
    CFormatBar *FormatBar() const { return m_formatBar; }
    QToolBar *ObjectBar() const { return m_objectBar; }
    CTandemTabViewBar *SideBar() const { return m_sideBar; }
    // The "&Tools" popup of menu 129 (position 7).
    QMenu *ToolsMenu() const { return m_menus.toolsMenu; }
    // True while menu 129 (a page is open) is the menu bar.
    bool ShowsPageMenu() const { return m_showsPageMenu; }
    const MainMenus &Menus() const { return m_menus; }

    CCEditView *ActivePageView() const;

    // Opens every local file of a drop as a page.
    void OpenDroppedFiles(const QMimeData *data);

    // The status bar's message pane; an empty text shows the idle message "Ready".
    void SetStatusText(const QString &text);

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
