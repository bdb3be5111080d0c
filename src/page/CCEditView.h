#pragma once

#include "toolkit/CView.h"

#include <QPoint>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>

class CCEditDoc;
class CCEditSite;
class CAppServices;
class CMDIFrameWnd;
class CPageFrameHost;
class CMDIChildWnd;
class CPagePropertyWriter;
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
    // A second window on a page (Window > New Window) shows the page as saved, read-only: it
    // is titled so, shows the page in browser mode, offers no editing or saving and is never
    // asked about on close.
    void SetReadOnly(bool readOnly);
    bool IsReadOnly() const { return m_readOnly; }
    bool EngineCreated() const { return m_engineCreated; }
    QPoint GridSize() const { return QPoint(m_gridX, m_gridY); }
    bool Constrained() const { return m_constrain; }
    const QStringList &BlockFormats() const { return m_blockFormats; }

    // The local file that a "file:" address names (other paths and addresses as they are).
    static QString LocalPathOfAddress(const QString &path);

    void OnInitialUpdate() override;
    // Hint 2: the page properties were changed in the panel and are written into the page.
    void OnUpdate(CView *sender, int hint) override;
    // Reads and writes the page's properties (also for the gallery's background commands).
    CPagePropertyWriter *PropertyWriter() const { return m_propertyWriter; }
    // Asks "Would you like to save <name>?" or saves without asking, as SaveMode says.
    void QueryClose(std::function<void(bool mayClose)> done) override;
    void OnDestroy() override;
    bool OnCmdMsg(int id, Offer offer, CCmdUI *ui) override;

    // Saves to the component's current file and adds the page to the recent-file list. A
    // failure is shown; done (when given) receives the result.
    void SaveToCurrentFile(std::function<void(bool ok)> done = {});
    // Loads PagePath again, as the first load did (no question).
    void ReloadPage();

    // Inserts HTML at the selection; false (nothing inserted) for an object selection.
    bool InsertHtmlAtSelection(const QString &fragment);
    // The gallery's way into the Insert image dialog: a file for "Preview and Insert"
    // (clickFromPath false) or one activated in the gallery tree (true: the click action comes
    // from its path; files that are no images or lie in a background folder give false at once).
    bool InsertGalleryImage(const QString &file, bool clickFromPath);
    bool InsertHtmlInParentElement(const QString &where, const QString &fragment);

    // Media: the media dialog (Sound/Media, and the gallery's options and preview entries,
    // which preset source and video flag; the name then comes from the source); the player
    // object with default options (the gallery's quick insert); the tag that plays a sound in
    // the editor (nothing copied) and the stop that ends it (browser mode, then editor mode).
    // The dialog and the quick insert copy the file into the page's resource folder first.
    void InsertMediaWithDialog(const QString &source, bool video);
    void QuickInsertMedia(const QString &file);
    void PlaySoundInline(const QString &file);
    void StopPlayingSound();

    // The clip-art gallery's commands on this page, for a file of the gallery (its full path):
    // 1124 inserts it the way its kind and folder want (a background, the image dialog with its
    // click action preset, the media dialog); 1125 shows its context menu at menuPos (moved 5
    // pixels right and down), whose choice runs here; 33026-33037 are that menu's commands.
    // Nothing happens for a file of no known kind.
    void RunGalleryCommand(int id, const QString &file, const QPoint &menuPos = QPoint());
    // The context menu of a gallery file: the "Image", "Sound" or "Video" commands as its kind
    // wants. Choosing one runs it on this page. The caller owns the menu.
    QMenu *CreateGalleryMenu(const QString &file, QWidget *parent);

    // Executes the five display options (25, 23, 24, 56, 55) on this view's component.
    void ApplyDisplayOptions();
    // The format bar follows this view's component (when this is the active view).
    void RefreshFormatBar();

    // The editor's context menu over the page: Cut, Copy, Paste, and the table operations,
    // the positioning operations and Link... where they apply now. The caller owns it.
    QMenu *CreateContextMenu(QWidget *parent);
    void ShowContextMenu(const QPoint &globalPos);

    // The table dialog of the Insert Table command: fills html and returns true on OK. The
    // view runs CInsertTableDlg; tests may put another in its place.
    using TableDialog = std::function<bool(QWidget *parent, QString &html)>;
    void SetTableDialog(TableDialog dialog) { m_tableDialog = std::move(dialog); }

signals:
    // The page window opened successfully (first load finished); the property panel and the
    // tools menu refresh from here.
    void pageOpened(CCEditView *view);
    // A load (first or reload) finished.
    void loadFinished(bool ok);

private:
    void RegisterCommands();
    // The insert commands that open a dialog or a file picker first (forms, table, media,
    // anchor, script, applet, Flash, Shockwave, Record Sound).
    void RegisterInsertDialogs();
    // The main window that holds this view (null outside one), the same as a window, and the
    // application's services it hands on.
    CPageFrameHost *Host() const;
    CMDIFrameWnd *MainWindow() const;
    CAppServices *Services() const;
    CMDIChildWnd *ChildFrame() const;
    FormatBarLists Lists() const;

    void OnLoadFinished(bool ok);
    void OnTitleChanged(const QString &title);
    // The document title from the last reported page title and the current PagePath.
    void UpdateDocumentTitle();
    // The window's modified mark follows the component.
    void UpdateModifiedMark();
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
    bool IsLatched(int commandId) const;
    void EnsureBlockFormats();
    QString CurrentBlockFormat() const;

    void OnBlockFormatChosen();
    void OnFontNameChosen();
    void OnFontSizeChosen();
    void ShowBlockFormatPopup();
    void ShowFontColorPopup();
    void UpdateStyleMenu(CCmdUI &ui);

    CCEditSite *m_site = nullptr;
    CPagePropertyWriter *m_propertyWriter = nullptr;
    QString m_pagePath;
    QString m_pageTitle; // as the component last reported it
    bool m_titleReported = false;
    bool m_readOnly = false;
    QString m_untitledName; // the document's default name, kept for a read-only window
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
    TableDialog m_tableDialog;
};
