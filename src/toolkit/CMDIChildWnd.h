#pragma once

#include <QMdiSubWindow>

class CView;

// A page-style MDI child: holds one view and shows its document's title. Closing asks the view
// first (CView::QueryClose, which may finish later, for instance after a save); once it agrees the
// view is told OnDestroy, it leaves its document (the last view closes the document) and the frame
// deletes itself.
class CMDIChildWnd : public QMdiSubWindow
{
    Q_OBJECT

public:
    explicit CMDIChildWnd(QWidget *parent = nullptr);
    ~CMDIChildWnd() override;

    void SetView(CView *view);
    CView *GetActiveView() const { return m_view; }
    // The title as the window shows it: the document's title, with "*" while it is modified.
    QString DisplayedTitle() const;

    // A close request that is carried out from the event loop (never inside the caller).
    void PostClose();
    // True once a close was requested and until it was refused.
    bool IsClosing() const { return m_closeRequested || m_closed; }
    bool IsClosed() const { return m_closed; }

signals:
    // The frame is gone for good (emitted before it is deleted).
    void frameClosed(CMDIChildWnd *frame);
    // The view refused the close.
    void closeRefused(CMDIChildWnd *frame);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void FinishClose();

    CView *m_view = nullptr;
    bool m_closeRequested = false;
    bool m_asking = false;
    bool m_approved = false;
    bool m_closed = false;
};
