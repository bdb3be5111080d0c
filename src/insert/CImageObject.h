#pragma once

#include "insert/CHtmlObject.h"

#include <cstdint>

// What a click on an inserted image does. The numbers are stored (gallery presets) and are the
// indexes of the click-action radio buttons; any other value means no action.
enum ClickAction : std::int16_t {
    ClickNothing = 0,
    ClickMove = 1,        // the image can be dragged around the page
    ClickGoHome = 2,      // open the site's home page
    ClickPlaySound = 3,   // play m_strSound
    ClickRandomImage = 4, // show a random member of the image's numbered set
    ClickGoPrevious = 5,  // open the previous numbered page
    ClickPopup = 6,       // show or hide the image named m_strClickPopup
    ClickGoNext = 7,      // open the next numbered page
};

// The image tag with the script-library behaviours: rollover, hover popup and one click action.
// m_strName is the image name and the bare script identifier of the calls; m_strValue is the
// page reference of the image file. Backslashes in the source, rollover and sound are written
// as slashes; the link is written unchanged.
class CImageObject : public CHtmlObject
{
public:
    // Name and source both non-empty (the insertion flow makes the name valid itself).
    bool IsValid() const override;
    // The <img> tag, enclosed in <a href> when a link is set. Never fails.
    std::string GetHtml() const override;

    std::string m_strRollover;   // image shown while the mouse is over the image
    std::string m_strSound;      // page reference of the sound for ClickPlaySound
    std::string m_strClickPopup; // image that ClickPopup shows or hides
    std::string m_strHoverPopup; // image shown while the mouse is over this one
    std::string m_strAlt;        // alternative text
    std::string m_strLink;       // target of an enclosing link
    ClickAction m_nClickAction = ClickNothing;
    bool m_bInvisible = false;         // the image starts hidden
    std::int16_t m_nRandomSetSize = 0; // members of the numbered set for ClickRandomImage
};
