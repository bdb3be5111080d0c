#pragma once

#include "insert/CHtmlObject.h"

#include <cstdint>

// A media player object for a sound or video, configured by parameter elements. m_strName is
// the object's id and m_strValue the media file, written unchanged (backslashes stay). The text
// has CR LF line ends and none after the closing </OBJECT>.
class CMediaObject : public CHtmlObject
{
public:
    // Id and file both non-empty (not a gate of any insertion flow).
    bool IsValid() const override;
    std::string GetHtml() const override;

    bool m_bAutoRewind = true;
    bool m_bAutoStart = false;
    bool m_bClickToPlay = false;
    bool m_bMute = false;
    std::int16_t m_nPlayCount = 1; // 0 repeats forever
    bool m_bShowControls = true;
    bool m_bShowDisplay = true;
    bool m_bShowTracker = true;
};
