#include "insert/CImageObject.h"

#include "insert/GeneratorText.h"

bool CImageObject::IsValid() const
{
    return !m_strName.empty() && !m_strValue.empty();
}

std::string CImageObject::GetHtml() const
{
    const std::string name = AttributeValue(m_strName);
    const std::string source = ScriptStringValue(ToForwardSlashes(m_strValue));

    std::string t =
        "<img src=\"" + AttributeValue(ToForwardSlashes(m_strValue)) + "\" align=baseline";
    if (!m_strAlt.empty())
        t += " alt=\"" + AttributeValue(m_strAlt) + "\"";
    // The blank after the closing quote is part of the tag as pages have always received it;
    // it is why a class attribute that follows shows two blanks.
    if (!m_strName.empty())
        t += " name=\"" + name + "\" ";

    switch (m_nClickAction) {
    case ClickMove:
        t += " class=\"moveable\"";
        break;
    case ClickGoHome:
        t += " class=\"showhand\" onClick=\"qxGoHome()\"";
        break;
    case ClickPlaySound:
        if (!m_strSound.empty()) {
            t += " class=\"showhand\" onClick=\"qxSound('" +
                 ScriptStringValue(ToForwardSlashes(m_strSound)) + "')\"";
        }
        break;
    case ClickRandomImage:
        t += " class=\"showhand\" onClick=\"qxGoRandom(" + name + ", " +
             std::to_string(m_nRandomSetSize) + ")\"";
        break;
    case ClickGoPrevious:
        t += " class=\"showhand\" onClick=\"qxGoPrev()\"";
        break;
    case ClickPopup:
        if (!m_strClickPopup.empty())
            t += " onClick=\"qxPop(" + AttributeValue(m_strClickPopup) + ")\"";
        break;
    case ClickGoNext:
        t += " class=\"showhand\" onClick=\"qxGoNext()\"";
        break;
    default:
        break;
    }

    if (!m_strHoverPopup.empty()) {
        // These two handlers start without a blank: they follow the name's trailing blank or
        // the onClick's closing quote directly, and each other.
        const std::string &over = m_strRollover.empty() ? m_strValue : m_strRollover;
        const std::string popup = AttributeValue(m_strHoverPopup);
        // Only with neither a name nor any attribute after align=baseline would the handler run
        // into that unquoted value and break both; a blank keeps them apart there.
        if (t.back() != ' ' && t.back() != '"')
            t += ' ';
        t += "onMouseOver=\"qxRollPopOver(" + name + ", '" +
             ScriptStringValue(ToForwardSlashes(over)) + "', " + popup + ")\"";
        t += "onMouseOut=\"qxMousePopOut(" + name + ", '" + source + "', " + popup + ")\"";
    } else if (!m_strRollover.empty()) {
        t += " onMouseOver=\"qxMouseOver(" + name + ", '" +
             ScriptStringValue(ToForwardSlashes(m_strRollover)) + "')\"";
        t += " onMouseOut=\"qxMouseOut(" + name + ", '" + source + "')\"";
    }

    if (m_bInvisible)
        t += " Style=\"Visibility:hidden\"";
    t += " border=0 hspace=0>";

    if (!m_strLink.empty())
        return "<a href=\"" + AttributeValue(m_strLink) + "\">" + t + "</a>";
    return t;
}
