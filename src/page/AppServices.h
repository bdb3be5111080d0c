#pragma once

#include <QString>

class CCEditSite;
class CCEditView;
class CRecentFileList;
class CTextBoxCycle;
class QWidget;
struct EditingOptions;

// What the application does for its windows: the hand-over of the page the next page window
// loads, the editing options and the text boxes of the run, the recent-file list, opening pages
// and help pages. The application implements it and gives it to its main frame, through which
// the page views reach it (CPageFrameHost::Services).
class CAppServices
{
public:
    virtual ~CAppServices() = default;

    // The page the next page window loads ("" for a blank page; it keeps its value after use)
    // and whether it loads through the source filter (the window that takes it clears it).
    virtual QString &PendingPagePath() = 0;
    virtual bool &PendingPageFiltered() = 0;

    virtual EditingOptions &EditOptions() = 0;
    // The text boxes of the Text Box command, one cycle for the run.
    virtual CTextBoxCycle &TextBoxes() = 0;

    // False until the first page window of the run has closed.
    virtual bool FirstPageClosed() const = 0;
    virtual void SetFirstPageClosed() = 0;

    virtual CRecentFileList *RecentFiles() const = 0;
    virtual void AddRecentFile(const QString &path) = 0;

    // Opens path in a page window of its own (PendingPagePath := path).
    virtual void OpenPage(const QString &path) = 0;
    // Opens a help page of the program folder ("Manual/HowTo.html").
    virtual void OpenHelpPage(const QString &relativePath, QWidget *parent = nullptr) = 0;

    // The host of the editing component for a new page view; null for the real one (tests give
    // the application a recording double).
    virtual CCEditSite *MakePageSite(CCEditView *view) = 0;

protected:
    CAppServices() = default;
    CAppServices(const CAppServices &) = default;
    CAppServices &operator=(const CAppServices &) = default;
};
