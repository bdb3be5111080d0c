#pragma once

#include "toolkit/CCmdTarget.h"

#include <QWidget>

#include <functional>

class CDocument;

// A view of the document/view pair: the window that shows a document inside its frame. Commands
// offered to a view go to its own handlers first and then to its document.
class CView : public QWidget, public CCmdTarget
{
    Q_OBJECT

public:
    explicit CView(QWidget *parent = nullptr);
    ~CView() override;

    CDocument *GetDocument() const { return m_document; }
    void SetDocument(CDocument *document) { m_document = document; }

    // Called once by the "new document" step after the view is in its frame.
    virtual void OnInitialUpdate();
    // The document's UpdateAllViews notice.
    virtual void OnUpdate(CView *sender, int hint);
    // The frame asks whether it may close; done(true) lets it close, done(false) keeps it open.
    // done may be called before QueryClose returns or later (after a save finished).
    virtual void QueryClose(std::function<void(bool mayClose)> done);
    // The frame is closing for good: the last moment to release what the view holds.
    virtual void OnDestroy();

    bool OnCmdMsg(int id, Offer offer, CCmdUI *ui) override;

private:
    CDocument *m_document = nullptr;
};
