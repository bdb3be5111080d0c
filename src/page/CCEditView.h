#pragma once

#include "toolkit/CView.h"

#include <QPoint>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>

class CCEditDoc;
class CCEditSite;
class CMainFrame;
class CMDIChildWnd;
struct EngineCommandRow;
struct FormatBarLists;
class QMenu;

// The editor view of one page window. It holds the page's path and the host of its editing
// component, loads the page handed over in the application's PendingPath, and carries out the
// page's commands: the file commands (save, save as, reload, filtered open and save, the close
// question), the component commands of the engine command table and their update rules, the
// format bar and its popups, and its own operations (tags, options, extensions, the small
// inserts, help).
class CCEditView : public CView
{
    Q_OBJECT

public:
    explicit CCEditView(QWidget *parent = nullptr);
    ~CCEditView() override;

    CCEditDoc *GetDocument() const;
    CCEditSite *Site() const { return m_site; }

    // The file path or URL of the page; empty for a blank page.
    QString PagePath() const { return m_pagePath; }
    // Forgets the path, so that closing the window asks nothing (Save on Exit).
    void ClearPagePath() { m_pagePath.clear(); }
    bool FilterOnLoad() const { return m_filterOnLoad; }
    bool EngineCreated() const { return m_engineCreated; }
    QPoint GridSize() const { return QPoint(m_gridX, m_gridY); }
    bool Constrained() const { return m_constrain; }
    const QStringList &BlockFormats() const { return m_blockFormats; }

    void OnInitialUpdate() override;
    // Asks "Would you like to save <name>?" or saves without asking, as SaveMode says.
    void QueryClose(std::function<void(bool mayClose)> done) override;
    void OnDestroy() override;

    // Saves to the component's current file and adds the page to the recent-file list. A
    // failure is shown; done (when given) receives the result.
    void SaveToCurrentFile(std::function<void(bool ok)> done = {});
    // Loads PagePath again, as the first load did (no question).
    void ReloadPage();

    // Inserts HTML at the selection; false (nothing inserted) for an object selection.
    bool InsertHtmlAtSelection(const QString &fragment);
    bool InsertHtmlInParentElement(const QString &where, const QString &fragment);

    // Executes the five display options (25, 23, 24, 56, 55) on this view's component.
    void ApplyDisplayOptions();
    // The format bar follows this view's component (when this is the active view).
    void RefreshFormatBar();

    // Makes the host of the component; tests put a recording double in place. Unset: the real
    // CCEditSite.
    using SiteFactory = std::function<CCEditSite *(CCEditView *view)>;
    static void SetSiteFactory(SiteFactory factory);
    // The table dialog of the Insert Table command: fills html and returns true on OK.
    using TableDialog = std::function<bool(QWidget *parent, QString &html)>;
    static void SetTableDialog(TableDialog dialog);

signals:
    // The page window opened successfully (first load finished); the property panel and the
    // tools menu refresh from here.
    void pageOpened(CCEditView *view);
    // A load (first or reload) finished.
    void loadFinished(bool ok);

private:
    void RegisterCommands();
    CMainFrame *Frame() const;
    CMDIChildWnd *ChildFrame() const;
    FormatBarLists Lists() const;

    void OnLoadFinished(bool ok);
    void OnTitleChanged(const QString &title);
    void OnComponentUpdate();
    void OnFocusChanged(QWidget *old, QWidget *now);
    void ReportLoadFailure(const QString &path);
    void ReportSaveFailure(const QString &path, const QString &message);
    std::function<void(bool ok, const QString &message)> SavedUnderNewName(const QString &path);

    void OnSave();
    void OnSaveAs();
    void OnReload();
    void OnFilteredOpen();
    void OnFilteredSave();
    void OnPelionExtensions();
    void OnOptions();
    void OnTags();

    // The tool items of the shared "&Tools" popup, from the settings file.
    void RebuildToolsMenu();
    void RunTool(int index);

    void ExecuteRangeCommand(int id);
    void UpdateRangeCommand(CCmdUI &ui);
    bool BuildInput(const EngineCommandRow &row, QVariant &input);
    int EngineFlags(int engineId) const;
    void EnsureBlockFormats();
    QString CurrentBlockFormat() const;

    void OnBlockFormatChosen();
    void OnFontNameChosen();
    void OnFontSizeChosen();
    void ShowBlockFormatPopup();
    void ShowFontColorPopup();
    void UpdateStyleMenu(CCmdUI &ui);

    CCEditSite *m_site = nullptr;
    QString m_pagePath;
    bool m_filterOnLoad = false;
    bool m_engineCreated = false;
    bool m_initialLoadPending = false;
    bool m_reloadPending = false;
    bool m_contentValid = false; // the component holds the page (its last load succeeded)
    bool m_destroyed = false;
    int m_gridX = 0;
    int m_gridY = 0;
    bool m_constrain = false;
    QStringList m_blockFormats;
    QPointer<QMenu> m_styleMenu;
    QStringList m_styleMenuNames;
    QString m_styleMenuCurrent;
};
