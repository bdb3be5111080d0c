#pragma once

#include "toolkit/CCmdTarget.h"

#include <QObject>
#include <QString>

#include <vector>

class CDocTemplate;
class CView;

// A document of the document/view pair: the data behind one or more views. It routes commands
// to its own handlers (Close closes the frames of its views) and notifies its views of changes
// with UpdateAllViews.
class CDocument : public QObject, public CCmdTarget
{
    Q_OBJECT

public:
    explicit CDocument(QObject *parent = nullptr);
    ~CDocument() override;

    // The "new document" step: gives the document its default title from the template.
    // False stops the document from being opened.
    virtual bool OnNewDocument();
    // Called once when the last view has gone, before the document is deleted.
    virtual void OnCloseDocument();

    // Asks the frame of every view to close (each may refuse).
    void CloseFrames();

    // OnUpdate(sender, hint) on every view except sender (which may be null).
    void UpdateAllViews(CView *sender, int hint = 0);

    void AddView(CView *view);
    void RemoveView(CView *view);
    const std::vector<CView *> &Views() const { return m_views; }

    QString GetTitle() const { return m_title; }
    void SetTitle(const QString &title);

    CDocTemplate *DocTemplate() const { return m_template; }
    void SetDocTemplate(CDocTemplate *docTemplate) { m_template = docTemplate; }

signals:
    void titleChanged(const QString &title);

private:
    QString m_title;
    CDocTemplate *m_template = nullptr;
    std::vector<CView *> m_views;
};
