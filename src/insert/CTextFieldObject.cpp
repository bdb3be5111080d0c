#include "insert/CTextFieldObject.h"

#include "insert/GeneratorText.h"

bool CTextFieldObject::IsValid() const
{
    return m_nWidth > 0;
}

std::string CTextFieldObject::GetHtml() const
{
    const std::string name = AttributeValue(m_strName);
    if (m_nLines == 1) {
        return std::string("<input type=\"") + (m_bPassword ? "password" : "text") + "\" value=\"" +
               AttributeValue(m_strText) + "\" name=\"" + name + "\" size=\"" +
               std::to_string(m_nWidth) + "\">";
    }
    return "<textarea rows=\"" + std::to_string(m_nLines) + "\" name=\"" + name + "\" cols=\"" +
           std::to_string(m_nWidth) + "\">" + m_strText + "</textarea>";
}
