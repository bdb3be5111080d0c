#pragma once

#include "propgrid/CPropValueOb.h"

// An integer property, edited in the edit box.
class CPropInt : public CPropValueOb<CPropInt, int>
{
public:
    CPropInt(int *bound, int nameId, bool validate, int minimum, int maximum);

    const char *GetClassName() const override;
    bool GetValueText(std::string &text) const override;

    int m_min; // the range the panel enforces when m_bValidate is set
    int m_max;
};
