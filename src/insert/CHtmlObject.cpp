#include "insert/CHtmlObject.h"

#include "insert/GeneratorText.h"

std::string CHtmlObject::GetAnchorHtml() const
{
    return "<a name=\"" + AttributeValue(m_strName) + "\"></a>";
}
