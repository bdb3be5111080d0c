#pragma once

#include <string>

// A control whose text an item can set (the browse button of the panel takes the item's
// caption this way).
class CPropTextControl
{
public:
    virtual ~CPropTextControl() = default;
    virtual void SetText(const std::string &text) = 0;
};
