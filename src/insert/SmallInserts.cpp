#include "insert/SmallInserts.h"

#include "insert/GeneratorText.h"

std::string GetAppletHtml(const std::string &ref)
{
    return "<applet code=\"" + AttributeValue(ref) +
           "\" align=\"baseline\" width=\"300\" height=\"200\"></applet>";
}
