#pragma once

#include "insert/CFrameObject.h"

#include <array>
#include <cstdint>

// A whole frameset page in one of six fixed layouts. The object owns exactly three frames;
// the two-frame layouts (0, 1) write frames 1 and 2 and leave frame 3 untouched for a later
// three-frame layout. Name and value stay empty. Lines end with CR LF.
class CFramesetObject : public CHtmlObject
{
public:
    enum Layout : std::int16_t {
        TwoColumns = 0,     // COLS 30%,70%
        TwoRows = 1,        // ROWS 30%,70%
        ColumnThenRows = 2, // frame 1 left, frames 2 and 3 stacked on the right
        RowThenColumns = 3, // frame 1 on top, frames 2 and 3 side by side below
        ThreeColumns = 4,   // COLS 33%,33%,34%
        ThreeRows = 5,      // ROWS 33%,33%,34%
    };

    // A layout from 0 to 5.
    bool IsValid() const override;
    // The page text; empty for a layout outside 0 to 5.
    std::string GetHtml() const override;

    // How many frames a layout uses: 2 or 3 (0 for an unknown layout).
    static int FrameCount(int layout);

    std::int16_t m_nLayout = TwoColumns;
    std::array<CFrameObject, 3> m_frames;
};
