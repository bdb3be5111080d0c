#pragma once

#include "propgrid/CPropValueOb.h"

// A floating-point property, edited in the edit box.
class CPropDbl : public CPropValueOb<CPropDbl, double>
{
public:
    CPropDbl(double *bound, int nameId, bool validate, double minimum, double maximum);

    const char *GetClassName() const override;
    bool GetValueText(std::string &text) const override;

    double m_min; // the range the panel enforces when m_bValidate is set
    double m_max;
};
