#include "insert/CRadioObject.h"

#include "insert/GeneratorText.h"

std::string CRadioObject::GetHtml() const
{
    return "<input type=\"radio\" value=\"" + AttributeValue(m_strValue) + "\" name=\"" +
           AttributeValue(m_strName) + "\" " + (m_bChecked ? "checked" : "") + ">";
}
