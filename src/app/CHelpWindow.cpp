#include "app/CHelpWindow.h"

#include <QUrl>
#include <QVBoxLayout>
#include <QWebEngineView>

CHelpWindow::CHelpWindow(QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_view(new QWebEngineView(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    connect(m_view, &QWebEngineView::titleChanged, this, &QWidget::setWindowTitle);
    resize(900, 700);
}

CHelpWindow *CHelpWindow::ShowPage(const QString &path, QWidget *parent)
{
    auto *window = new CHelpWindow(parent);
    window->setWindowTitle(QStringLiteral("Pelion Web Builder Help"));
    window->m_view->load(QUrl::fromLocalFile(path));
    window->show();
    return window;
}
