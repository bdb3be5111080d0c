#include "insert/CFormObject.h"

#include "insert/GeneratorText.h"

bool CFormObject::IsValid() const
{
    return !m_strAction.empty() && !m_strMethod.empty();
}

std::string CFormObject::GetHtml() const
{
    return "<form method=\"" + AttributeValue(m_strMethod) + "\" action=\"" +
           AttributeValue(m_strAction) + "\" name=\"" + AttributeValue(m_strName) +
           "\"><p>&nbsp</p><p>&nbsp</p></form>";
}
