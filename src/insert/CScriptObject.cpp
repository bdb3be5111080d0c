#include "insert/CScriptObject.h"

bool CScriptObject::IsValid() const
{
    return !m_strText.empty();
}

bool CScriptObject::InsertsInParentElement() const
{
    return m_nKind == JavaScript || m_nKind == VBScript;
}

std::string CScriptObject::GetHtml() const
{
    if (m_nKind == JavaScript)
        return "&nbsp<script Language=JScript>\n<!-- \n" + m_strText + "\n//  -->\n</script>";
    if (m_nKind == VBScript)
        return "&nbsp<script Language=VBScript>\n<!-- \n" + m_strText + "\n'  -->\n</script>";
    return m_strText;
}
