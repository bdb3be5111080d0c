#pragma once

#include "insert/CHtmlObject.h"

#include <cstdint>

// One <FRAME> line of a frameset page; m_strName is the frame name and m_strValue its source.
// Margins are in pixels.
class CFrameObject : public CHtmlObject
{
public:
    enum Scrolling : std::int16_t { ScrollYes = 0, ScrollNo = 1, ScrollAuto = 2 };

    // The frame line, ending with CR LF. Automatic scrolling writes no SCROLLING attribute.
    std::string GetHtml() const override;

    std::int16_t m_nMarginWidth = 0;
    std::int16_t m_nMarginHeight = 0;
    bool m_bResize = true;
    std::int16_t m_nScrolling = ScrollAuto;
};
