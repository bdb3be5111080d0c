#pragma once

#include <QString>
#include <QWidget>

class QWebEngineView;

// Our own window for the help pages, used when the system has no program for HTML files: a
// plain browser view (page scripts on, nothing editable). It deletes itself when closed.
class CHelpWindow : public QWidget
{
    Q_OBJECT

public:
    explicit CHelpWindow(QWidget *parent = nullptr);

    // Opens path in a new help window owned by parent (closed with it) and returns it.
    static CHelpWindow *ShowPage(const QString &path, QWidget *parent);

    QWebEngineView *View() const { return m_view; }

private:
    QWebEngineView *m_view;
};
