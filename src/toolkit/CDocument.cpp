#include "toolkit/CDocument.h"

#include "toolkit/CDocTemplate.h"
#include "toolkit/CMDIChildWnd.h"
#include "toolkit/CView.h"
#include "toolkit/CommandIds.h"

#include <algorithm>

CDocument::CDocument(QObject *parent)
    : QObject(parent)
{
    OnCommand(cmd::FileClose, [this] { CloseFrames(); });
}

void CDocument::CloseFrames()
{
    const std::vector<CView *> views = m_views;
    for (CView *view : views) {
        for (QWidget *widget = view->parentWidget(); widget; widget = widget->parentWidget()) {
            if (auto *frame = qobject_cast<CMDIChildWnd *>(widget)) {
                frame->close();
                break;
            }
        }
    }
}

CDocument::~CDocument() = default;

bool CDocument::OnNewDocument()
{
    if (m_template)
        SetTitle(m_template->NextUntitledTitle());
    return true;
}

void CDocument::OnCloseDocument() {}

void CDocument::UpdateAllViews(CView *sender, int hint)
{
    const std::vector<CView *> views = m_views; // a view may close in reaction
    for (CView *view : views) {
        if (view != sender)
            view->OnUpdate(sender, hint);
    }
}

void CDocument::AddView(CView *view)
{
    if (std::find(m_views.begin(), m_views.end(), view) == m_views.end()) {
        m_views.push_back(view);
        view->SetDocument(this);
    }
}

void CDocument::RemoveView(CView *view)
{
    m_views.erase(std::remove(m_views.begin(), m_views.end(), view), m_views.end());
}

void CDocument::SetTitle(const QString &title)
{
    if (title == m_title)
        return;
    m_title = title;
    emit titleChanged(m_title);
}
