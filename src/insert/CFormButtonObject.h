#pragma once

#include "insert/CHtmlObject.h"

// A push button input; m_strName is the field name, m_strLabel its caption (the value
// attribute) and m_strType the input type ("button", "Submit" or "Reset").
class CFormButtonObject : public CHtmlObject
{
public:
    std::string GetHtml() const override;

    // The input type for the button dialog's type choice: 0 "button", 1 "Submit", any other
    // index "Reset". Choosing a type also sets the label to the same text.
    static const char *TypeForIndex(int index);

    std::string m_strLabel;
    std::string m_strType;
};
