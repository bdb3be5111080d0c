#include "insert/CFormButtonObject.h"

#include "insert/GeneratorText.h"

std::string CFormButtonObject::GetHtml() const
{
    return "<input type=\"" + AttributeValue(m_strType) + "\" value=\"" +
           AttributeValue(m_strLabel) + "\" name=\"" + AttributeValue(m_strName) + "\">";
}

const char *CFormButtonObject::TypeForIndex(int index)
{
    if (index == 0)
        return "button";
    if (index == 1)
        return "Submit";
    return "Reset";
}
