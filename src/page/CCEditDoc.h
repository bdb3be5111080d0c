#pragma once

#include "pagetext/PageProperties.h"
#include "propgrid/CPropObArray.h"
#include "propgrid/CPropOwner.h"
#include "toolkit/CDocument.h"

#include <cstdint>
#include <string>

// The document of one open page. The page text itself lives in the view's editing component;
// the document keeps the page's properties and the property items that show them in the side
// bar's panel, bound to Properties(). Besides the values it remembers what the page itself
// holds (PageHolds: as last read from the page file or written into it), so that writing
// touches only what the user changed.
class CCEditDoc : public CDocument, public CPropOwner
{
    Q_OBJECT

public:
    explicit CCEditDoc(QObject *parent = nullptr);
    ~CCEditDoc() override;

    // The base step (default title), then the properties reset to their defaults and their
    // eleven items built.
    bool OnNewDocument() override;
    void OnCloseDocument() override;

    PageProperties &Properties() { return m_properties; }
    const PageProperties &Properties() const { return m_properties; }
    // False until the page's properties were read from its file.
    bool PropertiesRead() const { return m_propertiesRead; }
    void SetPropertiesRead(bool read) { m_propertiesRead = read; }

    const PageProperties &PageHolds() const { return m_pageHolds; }
    void SetPageHolds(const PageProperties &holds) { m_pageHolds = holds; }

    // Reads the properties of the page file at path (a path or "file:" URL; other pages have no
    // file to read) into the values and PageHolds, sets PropertiesRead and shows them in the
    // panel. Returns the pageprop bits of the properties the page states.
    unsigned ReadPageProperties(const QString &path);

    // Asks the property panel to show this document's properties.
    void ShowInPanel();

    // The page whose references the properties hold (set by the view).
    void SetPagePath(const QString &path) { m_pagePath = path; }

    CPropObArray &PropertyItems() override { return m_items; }
    // The panel stored a change: the views write it into the page (hint 2).
    void PropertiesApplied() override;
    std::string ReferenceFolder() const override;
    std::string BrowseFolder() const override;

signals:
    void showInPanelRequested(CCEditDoc *document);
    // The document is closing: the panel lets go of its items.
    void closing(CCEditDoc *document);
    // The values changed outside the panel (a reference was made site-relative): the panel
    // shows them again without rebuilding its list.
    void propertiesRefreshed(CCEditDoc *document);

private:
    void BuildItems();

    PageProperties m_properties;
    PageProperties m_pageHolds;
    CPropObArray m_items;
    QString m_pagePath;
    bool m_propertiesRead = false;
};
