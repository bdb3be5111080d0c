#pragma once

#include <QObject>
#include <QString>

#include <functional>

class CCEditDoc;
class CCEditSite;
class QWidget;

// What the writer needs of the view that shows the page.
struct PagePropertyHost
{
    QWidget *window = nullptr; // parent of messages
    std::function<QString()> pagePath;
    std::function<CCEditDoc *()> document;
    std::function<CCEditSite *()> site;
    // Saves the page to its file (a failure is reported by the view); done gets the result.
    std::function<void(std::function<void(bool ok)> done)> save;
    // Loads the page file again; the view then calls OnLoadFinished.
    std::function<void()> reload;
};

// Writes a page document's properties into its page, for the view that shows the page, and
// reads them back after every load of the page.
//
// Writing touches only the properties whose values differ from what the page holds: the body
// attributes and the title go through the page model, the page is saved, the description,
// keywords and background sound tags are patched into the saved file (the page's own tags
// replaced), and the page is reloaded when a tag was patched (otherwise the page on screen
// already is what was saved, and keeps its undo steps). File references are page-relative: a value that already
// is one is written as it stands, a full path is first copied into the site (CopyResourceToSite)
// and its reference written. Writes that arrive while one is under way run after it.
class CPagePropertyWriter : public QObject
{
    Q_OBJECT

public:
    CPagePropertyWriter(PagePropertyHost host, QObject *parent);

    // The view's reaction to a change in the panel (update hint 2).
    void WritePageProperties();
    // The body's background and bgProperties ("fixed" or none) through the page model; the file
    // is copied into the site first. The reference is returned.
    QString SetPageBackground(const QString &file, bool fixed);
    // The gallery's background commands: the file becomes the page's background, fixed or not.
    void InsertBackground(const QString &file, bool fixed);
    // The gallery's background-sound commands: the sound (copied into the site) is written into
    // the saved page's head, looping or once, and the page is reloaded.
    void InsertBackgroundSound(const QString &file, bool loop);

    bool Busy() const { return m_busy; }

    // Every load of the page, as the view reports it: ends a write's reload, or reads the page
    // file's properties.
    void OnLoadFinished(bool ok);

signals:
    // A write finished (the page was saved, and reloaded after a head patch; or the write
    // failed).
    void written(bool ok);

private:
    void SaveThenPatch(unsigned headChanges);
    void Finish(bool ok);
    QString Reference(const QString &value) const;

    PagePropertyHost m_host;
    bool m_busy = false;
    bool m_again = false;
    bool m_awaitingReload = false;
};
