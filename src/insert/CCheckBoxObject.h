#pragma once

#include "insert/CHtmlObject.h"

// A check box input; m_strName is the field name and m_strValue its value. An unchecked box
// keeps the blank before ">" that its text has always had.
class CCheckBoxObject : public CHtmlObject
{
public:
    std::string GetHtml() const override;

    bool m_bChecked = false;
};
