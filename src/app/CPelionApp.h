#pragma once

#include "insert/CTextBoxCycle.h"
#include "page/AppServices.h"
#include "page/EditingOptions.h"
#include "toolkit/CWinApp.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class CMainFrame;
class QWidget;

// The application object: starts the program, owns what lives for the whole run (the page to
// open next, the editing options, the first-page flags) and carries out the file commands that
// make page windows (New, Open, Open URL, recent files, dropped files) and the help pages.
// Construct it after the QApplication; one exists at a time. Its windows reach it as their
// CAppServices.
class CPelionApp : public CWinApp, public CAppServices
{
public:
    CPelionApp();
    ~CPelionApp() override;

    static CPelionApp *Instance();

    // Start-up: settings key and recent files, document template, main frame, command line
    // (arguments without the program name: none runs New, every path opens that page in a page
    // window of its own), drops accepted, main frame shown maximised. False when start-up failed
    // (the program then ends without a window).
    bool InitInstance(const QStringList &arguments = QStringList());

    CMainFrame *MainFrame() const { return m_mainFrame.get(); }

    // Sets the organisation and application names that key the settings; call before
    // constructing QApplication-dependent objects that read settings.
    static void SetSettingsKey();

    // The hand-over to the next page window: the page it loads ("" for a blank page) and
    // whether it loads through the source filter. PendingPath keeps its value after use.
    QString PendingPath;
    bool PendingFilter = false;

    EditingOptions &Options() { return m_options; }
    // The text boxes of the Text Box command, one cycle for the run.
    CTextBoxCycle &TextBoxCycle() { return m_textBoxes; }

    // False until the first page window of the run has closed.
    bool FirstPageClosed() const override { return m_firstPageClosed; }
    void SetFirstPageClosed() override { m_firstPageClosed = true; }
    bool FirstNewDone() const { return m_firstNewDone; }

    // PendingPath := path and a new page window; returns no document, so an opened recent
    // entry leaves the list until the page is saved.
    CDocument *OpenDocumentFile(const QString &path) override;

    void OnFileNew();
    void OnFileOpen();
    void OnOpenUrl();

    // Opens a help page of the program folder ("Manual/Lessons.html") in the system's browser,
    // or in a window of our own when the system has none.
    void OpenHelpPage(const QString &relativePath, QWidget *parent = nullptr) override;

    // CAppServices
    QString &PendingPagePath() override { return PendingPath; }
    bool &PendingPageFiltered() override { return PendingFilter; }
    EditingOptions &EditOptions() override { return m_options; }
    CTextBoxCycle &TextBoxes() override { return m_textBoxes; }
    CRecentFileList *RecentFiles() const override { return RecentFileList(); }
    void AddRecentFile(const QString &path) override { AddToRecentFileList(path); }
    void OpenPage(const QString &path) override { OpenDocumentFile(path); }
    CCEditSite *MakePageSite(CCEditView *view) override;

    // What makes the component hosts of the page views; unset: the real CCEditSite.
    using SiteFactory = std::function<CCEditSite *(CCEditView *view)>;
    void SetSiteFactory(SiteFactory factory) { m_siteFactory = std::move(factory); }

private:
    void DoFirstNewWork();

    std::unique_ptr<CMainFrame> m_mainFrame;
    EditingOptions m_options;
    CTextBoxCycle m_textBoxes;
    SiteFactory m_siteFactory;
    bool m_firstNewDone = false;
    bool m_firstPageClosed = false;
};
