#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <QVariant>

#include <functional>

class CEditEngine;
class QWidget;

// The host of one editing component: creates it inside the view's window, loads, saves and
// closes it, passes the command numbers on and relays the component's host callbacks as
// signals. The view owns its site; the site owns the component.
//
// The functions are virtual so that tests can stand in a recording double for the component.
class CCEditSite : public QObject
{
    Q_OBJECT

public:
    // ok false: nothing could be written; message says why. ok true with a message: saved, but
    // not atomically (a status-bar text).
    using SaveCallback = std::function<void(bool ok, const QString &message)>;

    explicit CCEditSite(QWidget *host);
    ~CCEditSite() override;

    // Creates the component filling the host window; false when it cannot be made.
    virtual bool Create();
    // The component's window (null before Create).
    virtual QWidget *Widget() const;

    // Starts loading path ("file:" or "http:" as a URL, "" as a blank page). False when the load
    // could not start; otherwise loadFinished follows.
    virtual bool Load(const QString &path, bool filtered, int filterFlags);
    // Saves to the component's current file (empty path) or to path, which then becomes it.
    // done is called exactly once.
    virtual void Save(const QString &path, SaveCallback done);
    virtual void SaveFiltered(const QString &path, int filterFlags, SaveCallback done);
    // The file the component saves to.
    virtual QString CurrentPath() const;
    // True while the page differs from its file (changed since the last load or save).
    virtual bool IsModified() const;

    virtual int QueryEngineCommand(int id) const;
    virtual bool ExecEngineCommand(int id, const QVariant &input = QVariant(),
                                   QVariant *output = nullptr, bool prompt = false);

    virtual bool InsertHtmlAtSelection(const QString &fragment);
    virtual bool InsertHtmlInParentElement(const QString &where, const QString &fragment);

    // The page model: attribute is a CEditEngine::BodyAttribute; false without a page.
    virtual bool SetBodyAttribute(int attribute, const QVariant &value);
    virtual bool SetTitle(const QString &title);

    // Closes the component without saving and releases it.
    virtual void Close();

    CEditEngine *Engine() const;

signals:
    void loadFinished(bool ok);
    // The component asks the host to update its commands (and the format bar).
    void updateCommands();
    void progressText(const QString &text);
    void titleChanged(const QString &title);
    // Emitted once, when the component first shows its user interface (the first successful
    // load); the view applies its display options then.
    void uiActivated();
    // A key that the menus show for a page command was pressed in the component; the key does
    // nothing else (the component's own binding of it never runs).
    void commandKey(int commandId);
    // The user asked for the context menu over the page, at a global position.
    void contextMenuRequested(const QPoint &globalPos);

public:
    // The command that the menus show for this key press, or 0.
    static int CommandForKey(int key, Qt::KeyboardModifiers modifiers);

protected:
    QWidget *Host() const { return m_host; }
    bool eventFilter(QObject *watched, QEvent *event) override;
    // For doubles: the bookkeeping of the first user-interface activation.
    void ReportLoadFinished(bool ok);

private:
    QWidget *m_host;
    QPointer<CEditEngine> m_engine;
    bool m_uiActivated = false;
};
