#pragma once

#include "propgrid/CPropValueOb.h"

// A 32-bit integer property ("long" in the form it is shown), edited in the edit box.
class CPropLong : public CPropValueOb<CPropLong, std::int32_t>
{
public:
    CPropLong(std::int32_t *bound, int nameId, bool validate, std::int32_t minimum,
              std::int32_t maximum);

    const char *GetClassName() const override;
    bool GetValueText(std::string &text) const override;

    std::int32_t m_min; // the range the panel enforces when m_bValidate is set
    std::int32_t m_max;
};
