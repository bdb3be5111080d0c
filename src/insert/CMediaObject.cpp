#include "insert/CMediaObject.h"

#include "insert/GeneratorText.h"

bool CMediaObject::IsValid() const
{
    return !m_strName.empty() && !m_strValue.empty();
}

static std::string flagParam(const char *name, bool value)
{
    return std::string("<PARAM NAME=\"") + name + "\" VALUE=" + (value ? "\"true\"" : "\"false\"") +
           ">\r\n";
}

std::string CMediaObject::GetHtml() const
{
    std::string t = "<OBJECT align=left classid=CLSID:22D6F312-B0F6-11D0-94AB-0080C74C7E95 id=\"" +
                    AttributeValue(m_strName) + "\">\r\n";
    t += "<PARAM NAME=\"FileName\" VALUE=\"" + AttributeValue(m_strValue) + "\">\r\n";
    t += flagParam("AutoRewind", m_bAutoRewind);
    t += flagParam("AutoStart", m_bAutoStart);
    t += flagParam("ClickToPlay", m_bClickToPlay);
    t += flagParam("Mute", m_bMute);
    t += flagParam("ShowControls", m_bShowControls);
    t += flagParam("ShowDisplay", m_bShowDisplay);
    t += flagParam("ShowTracker", m_bShowTracker);
    t += "<PARAM NAME=\"PlayCount\" VALUE=\"" + std::to_string(m_nPlayCount) + "\">\r\n";
    t += "</OBJECT>";
    return t;
}
