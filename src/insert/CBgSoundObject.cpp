#include "insert/CBgSoundObject.h"

#include "insert/GeneratorText.h"

std::string CBgSoundObject::GetHtml() const
{
    std::string t = "<bgsound src=\"" + AttributeValue(m_strSource) + "\"";
    if (m_bLoop)
        t += " loop=\"infinite\"";
    return t + ">";
}

std::string CBgSoundObject::GetListeningHtml(const std::string &path)
{
    return "<BGSOUND SRC=\"" + AttributeValue(path) + "\">";
}
