#include "toolkit/CDocTemplate.h"

#include "toolkit/CDocument.h"
#include "toolkit/CMDIChildWnd.h"
#include "toolkit/CMDIFrameWnd.h"
#include "toolkit/CView.h"

#include <QMdiArea>

CDocTemplate::CDocTemplate(int resourceId, const QString &templateString,
                           DocumentFactory makeDocument, FrameFactory makeFrame,
                           ViewFactory makeView)
    : m_resourceId(resourceId)
    , m_parts(templateString.split(QLatin1Char('\n')))
    , m_makeDocument(std::move(makeDocument))
    , m_makeFrame(std::move(makeFrame))
    , m_makeView(std::move(makeView))
{}

QString CDocTemplate::GetDocString(DocStringIndex index) const
{
    return index < m_parts.size() ? m_parts.at(index) : QString();
}

QString CDocTemplate::NextUntitledTitle()
{
    return GetDocString(DocName) + QString::number(++m_untitledCount);
}

CDocument *CDocTemplate::OpenNewDocument(CMDIFrameWnd *frameWnd)
{
    if (!frameWnd)
        return nullptr;
    CDocument *document = m_makeDocument();
    document->SetDocTemplate(this);
    if (!document->OnNewDocument()) {
        delete document;
        return nullptr;
    }
    CMDIChildWnd *frame = m_makeFrame();
    CView *view = m_makeView();
    document->AddView(view);
    frame->SetView(view);
    frameWnd->AddChild(frame);
    view->OnInitialUpdate();
    if (!frame->IsClosing())
        frameWnd->ShowChild(frame);
    return document;
}
