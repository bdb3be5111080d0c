#pragma once

#include "insert/CHtmlObject.h"

// An HTML form holding two empty paragraphs; m_strName is the form name.
class CFormObject : public CHtmlObject
{
public:
    // Action and method both non-empty; the form dialog inserts nothing otherwise.
    bool IsValid() const override;
    std::string GetHtml() const override;

    std::string m_strAction;
    std::string m_strMethod;
};
