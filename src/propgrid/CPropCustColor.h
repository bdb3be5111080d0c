#pragma once

#include "propgrid/CPropColor.h"

// A colour property edited through the colour palette popup (browse button "Color..."), which
// reports the chosen colour after it closes.
class CPropCustColor : public CPropColor
{
public:
    CPropCustColor(PropColorRef *bound, int nameId);

    const char *GetClassName() const override;
    bool IsModelessBrowse() const override;
};
