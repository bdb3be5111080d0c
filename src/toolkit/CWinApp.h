#pragma once

#include "toolkit/CCmdTarget.h"

#include <QString>

#include <memory>

class CDocTemplate;
class CDocument;
class CMDIFrameWnd;
class CRecentFileList;

// The application object of the framework layer: settings key, the recent-file list (command
// ids from FileMru1 on), the document template and the main window. One exists at a time.
class CWinApp : public CCmdTarget
{
public:
    CWinApp();
    ~CWinApp() override;

    static CWinApp *Instance();

    // QSettings(organisation, application) from now on.
    void SetRegistryKey(const QString &organisation, const QString &application);
    // Reads the recent-file list of recentCount entries.
    void LoadStdProfileSettings(int recentCount);
    CRecentFileList *RecentFileList() const { return m_recentFiles.get(); }
    void AddToRecentFileList(const QString &path);

    void AddDocTemplate(std::unique_ptr<CDocTemplate> docTemplate);
    CDocTemplate *DocTemplate() const { return m_template.get(); }

    CMDIFrameWnd *MainWnd() const { return m_mainWnd; }
    void SetMainWnd(CMDIFrameWnd *mainWnd) { m_mainWnd = mainWnd; }

    // Opens a document by name; the framework drops a recent-file entry whose open returns
    // null. The base opens a new document through the template.
    virtual CDocument *OpenDocumentFile(const QString &path);
    // The framework's "new document" step.
    CDocument *OpenNewDocument();

protected:
    void OnOpenRecentFile(int id);

private:
    std::unique_ptr<CRecentFileList> m_recentFiles;
    std::unique_ptr<CDocTemplate> m_template;
    CMDIFrameWnd *m_mainWnd = nullptr;
};
