#pragma once

#include "insert/CHtmlObject.h"

// A one-line text or password field, or, for any number of lines other than 1, a text area
// (the password flag is then ignored). m_strName is the field name. Width is in characters.
class CTextFieldObject : public CHtmlObject
{
public:
    // Width greater than 0; the dialog inserts nothing otherwise.
    bool IsValid() const override;
    std::string GetHtml() const override;

    bool m_bPassword = false;
    std::string m_strText; // initial value of the field, or the text-area content (verbatim)
    int m_nWidth = 20;
    int m_nLines = 1;
};
