#include "insert/CCheckBoxObject.h"

#include "insert/GeneratorText.h"

std::string CCheckBoxObject::GetHtml() const
{
    return "<input type=\"checkbox\" name=\"" + AttributeValue(m_strName) + "\" value=\"" +
           AttributeValue(m_strValue) + "\" " + (m_bChecked ? "checked" : "") + ">";
}
