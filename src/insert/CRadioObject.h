#pragma once

#include "insert/CHtmlObject.h"

// A radio button; m_strName is the group name and m_strValue the button's value.
class CRadioObject : public CHtmlObject
{
public:
    std::string GetHtml() const override;

    bool m_bChecked = false;
};
