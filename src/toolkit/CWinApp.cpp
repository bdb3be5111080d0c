#include "toolkit/CWinApp.h"

#include "toolkit/CDocTemplate.h"
#include "toolkit/CRecentFileList.h"
#include "toolkit/CommandIds.h"

#include <QCoreApplication>

static CWinApp *s_instance = nullptr;

CWinApp::CWinApp()
{
    s_instance = this;
    OnCommandRange(cmd::FileMru1, cmd::FileMruLast, [this](int id) { OnOpenRecentFile(id); });
}

CWinApp::~CWinApp()
{
    if (s_instance == this)
        s_instance = nullptr;
}

CWinApp *CWinApp::Instance()
{
    return s_instance;
}

void CWinApp::SetRegistryKey(const QString &organisation, const QString &application)
{
    QCoreApplication::setOrganizationName(organisation);
    QCoreApplication::setApplicationName(application);
}

void CWinApp::LoadStdProfileSettings(int recentCount)
{
    m_recentFiles = std::make_unique<CRecentFileList>(recentCount);
    m_recentFiles->ReadList();
}

void CWinApp::AddToRecentFileList(const QString &path)
{
    if (m_recentFiles)
        m_recentFiles->Add(path);
}

void CWinApp::AddDocTemplate(std::unique_ptr<CDocTemplate> docTemplate)
{
    m_template = std::move(docTemplate);
}

CDocument *CWinApp::OpenDocumentFile(const QString &)
{
    return OpenNewDocument();
}

CDocument *CWinApp::OpenNewDocument()
{
    return m_template ? m_template->OpenNewDocument(m_mainWnd) : nullptr;
}

void CWinApp::OnOpenRecentFile(int id)
{
    if (!m_recentFiles)
        return;
    const int index = id - cmd::FileMru1;
    const QString path = m_recentFiles->Entry(index);
    if (path.isEmpty())
        return;
    if (!OpenDocumentFile(path))
        m_recentFiles->Remove(m_recentFiles->Entries().indexOf(path));
}
