#pragma once

#include "toolkit/CDocument.h"

#include <cstdint>
#include <string>

// The eleven properties of a page. Colours are 24-bit values with red in the low byte; the two
// choices are BackgroundStyle 0 fixed / 1 movable and PlaySound 0 continuously / 1 once.
struct PageProperties
{
    std::string title;
    std::string description;
    std::string keywords;
    std::string backgroundSound;
    int playSound = 0;
    std::string background;
    std::int32_t backgroundColour = 0xFFFFFF; // white
    int backgroundStyle = 0;
    std::int32_t linkColour = 0xFF0000;        // blue
    std::int32_t visitedLinkColour = 0xC0C0C0; // silver
    std::int32_t activeLinkColour = 0xFF8000;  // red 0, green 128, blue 255
};

// The document of one open page. The page text itself lives in the view's editing component;
// the document keeps the page's properties. The property items that show them in the side
// bar's panel bind to Properties().
class CCEditDoc : public CDocument
{
    Q_OBJECT

public:
    explicit CCEditDoc(QObject *parent = nullptr);
    ~CCEditDoc() override;

    // The base step (default title), then the properties reset to their defaults.
    bool OnNewDocument() override;
    void OnCloseDocument() override;

    PageProperties &Properties() { return m_properties; }
    const PageProperties &Properties() const { return m_properties; }
    // False until the page's properties were read from its file.
    bool PropertiesRead() const { return m_propertiesRead; }
    void SetPropertiesRead(bool read) { m_propertiesRead = read; }

    // Asks the property panel to show this document's properties.
    void ShowInPanel();

signals:
    void showInPanelRequested(CCEditDoc *document);
    // The document is closing: the panel lets go of its items.
    void closing(CCEditDoc *document);

private:
    PageProperties m_properties;
    bool m_propertiesRead = false;
};
