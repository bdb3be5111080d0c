#pragma once

#include "propgrid/CPropValueOb.h"

#include <cstdint>

// A colour: red in the low byte, then green, then blue; PropColorAutomatic (-1) means no
// explicit colour.
using PropColorRef = std::int32_t;
inline constexpr PropColorRef PropColorAutomatic = -1;

// A colour property, edited in the colour drop-down list. Shown as "Automatic" or as
// "red.green.blue".
class CPropColor : public CPropValueOb<CPropColor, PropColorRef>
{
public:
    CPropColor(PropColorRef *bound, int nameId);

    const char *GetClassName() const override;
    bool GetValueText(std::string &text) const override;
    bool GetAsLong(std::int32_t &value) const override;
    bool SetAsLong(std::int32_t value) override;
};
