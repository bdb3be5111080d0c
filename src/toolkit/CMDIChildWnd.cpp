#include "toolkit/CMDIChildWnd.h"

#include "toolkit/CDocument.h"
#include "toolkit/CView.h"

#include <QCloseEvent>
#include <QPointer>

#include <memory>

CMDIChildWnd::CMDIChildWnd(QWidget *parent)
    : QMdiSubWindow(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
}

CMDIChildWnd::~CMDIChildWnd() = default;

void CMDIChildWnd::SetView(CView *view)
{
    m_view = view;
    setWidget(view);
    if (CDocument *document = view->GetDocument()) {
        // "[*]" is where the window shows its modified mark (setWindowModified).
        setWindowTitle(document->GetTitle() + QStringLiteral("[*]"));
        connect(document, &CDocument::titleChanged, this,
                [this](const QString &title) { setWindowTitle(title + QStringLiteral("[*]")); });
    }
}

QString CMDIChildWnd::DisplayedTitle() const
{
    QString title = windowTitle();
    title.replace(QStringLiteral("[*]"), isWindowModified() ? QStringLiteral("*") : QString());
    return title;
}

void CMDIChildWnd::PostClose()
{
    m_closeRequested = true;
    QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

void CMDIChildWnd::closeEvent(QCloseEvent *event)
{
    if (m_closed) {
        event->accept();
        return;
    }
    if (!m_approved) {
        event->ignore();
        if (m_asking)
            return;
        m_asking = true;
        m_closeRequested = true;
        // The view may answer at once or after an asynchronous save; an answer given while this
        // event is still being handled closes right here, a later one closes the frame again.
        auto insideEvent = std::make_shared<bool>(true);
        QPointer<CMDIChildWnd> self(this);
        auto done = [self, insideEvent](bool mayClose) {
            if (!self)
                return;
            self->m_asking = false;
            if (!mayClose) {
                self->m_closeRequested = false;
                emit self->closeRefused(self.data());
                return;
            }
            self->m_approved = true;
            if (!*insideEvent)
                QMetaObject::invokeMethod(self.data(), &QWidget::close, Qt::QueuedConnection);
        };
        if (m_view)
            m_view->QueryClose(done);
        else
            done(true);
        *insideEvent = false;
        if (!m_approved)
            return;
    }
    FinishClose();
    QMdiSubWindow::closeEvent(event);
    event->accept();
}

void CMDIChildWnd::FinishClose()
{
    m_closed = true;
    if (m_view) {
        m_view->OnDestroy();
        if (CDocument *document = m_view->GetDocument()) {
            document->RemoveView(m_view);
            if (document->Views().empty()) {
                document->OnCloseDocument();
                document->deleteLater();
            }
        }
    }
    emit frameClosed(this);
}
