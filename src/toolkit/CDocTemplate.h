#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class CDocument;
class CMDIChildWnd;
class CMDIFrameWnd;
class CView;

// Makes page windows: a document, its frame and its view, for one kind of document. The
// template string holds seven parts separated by line feeds (window title, document name,
// new-file name, filter name, filter extension, file type id, file type name).
class CDocTemplate
{
public:
    enum DocStringIndex {
        WindowTitle,
        DocName,
        FileNewName,
        FilterName,
        FilterExt,
        RegFileTypeId,
        RegFileTypeName
    };

    using DocumentFactory = std::function<CDocument *()>;
    using FrameFactory = std::function<CMDIChildWnd *()>;
    using ViewFactory = std::function<CView *()>;

    CDocTemplate(int resourceId, const QString &templateString, DocumentFactory makeDocument,
                 FrameFactory makeFrame, ViewFactory makeView);

    int ResourceId() const { return m_resourceId; }
    QString GetDocString(DocStringIndex index) const;

    // The "new document" step: document (OnNewDocument), frame and view in frameWnd's MDI area,
    // then the view's OnInitialUpdate; the frame is shown unless the view asked it to close.
    // Null when the document refused to open.
    CDocument *OpenNewDocument(CMDIFrameWnd *frameWnd);

    // "Pelion1", "Pelion2", ...: the default titles of new documents.
    QString NextUntitledTitle();

private:
    int m_resourceId;
    QStringList m_parts;
    DocumentFactory m_makeDocument;
    FrameFactory m_makeFrame;
    ViewFactory m_makeView;
    int m_untitledCount = 0;
};
