#pragma once

#include "propgrid/CPropValueOb.h"

#include <string>

// A text property, edited in the edit box. Texts compare exactly (case-sensitive).
class CPropStr : public CPropValueOb<CPropStr, std::string>
{
public:
    // maxLength: the length in characters the panel allows when validate is set; 0 = none.
    CPropStr(std::string *bound, int nameId, bool validate, int maxLength);

    const char *GetClassName() const override;
    bool GetValueText(std::string &text) const override;
    bool GetAsString(std::string &value) const override;
    bool SetAsString(const std::string &value) override;

    int m_nMaxLength;
};
