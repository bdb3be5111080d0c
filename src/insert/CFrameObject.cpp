#include "insert/CFrameObject.h"

#include "insert/GeneratorText.h"

std::string CFrameObject::GetHtml() const
{
    std::string t = "<FRAME MARGINWIDTH=\"" + std::to_string(m_nMarginWidth) +
                    "\" MARGINHEIGHT=\"" + std::to_string(m_nMarginHeight) + "\"";
    if (!m_strName.empty())
        t += " NAME=\"" + AttributeValue(m_strName) + "\"";
    if (!m_strValue.empty())
        t += " SRC=\"" + AttributeValue(m_strValue) + "\"";
    if (m_nScrolling != ScrollAuto)
        t += m_nScrolling == ScrollYes ? " SCROLLING=\"YES\"" : " SCROLLING=\"NO\"";
    if (!m_bResize)
        t += " NORESIZE";
    return t + ">\r\n";
}
