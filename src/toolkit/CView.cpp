#include "toolkit/CView.h"

#include "toolkit/CDocument.h"

CView::CView(QWidget *parent)
    : QWidget(parent)
{}

CView::~CView() = default;

void CView::OnInitialUpdate() {}

void CView::OnUpdate(CView *, int) {}

void CView::QueryClose(std::function<void(bool)> done)
{
    done(true);
}

void CView::OnDestroy() {}

bool CView::OnCmdMsg(int id, Offer offer, CCmdUI *ui)
{
    if (DispatchOwn(id, offer, ui))
        return true;
    return m_document && m_document->OnCmdMsg(id, offer, ui);
}
