#include "insert/SmallInserts.h"

#include "insert/GeneratorText.h"
#include "insert/InsertStrings.h"
#include "pagetext/CHtmlText.h"

std::string GetAppletHtml(const std::string &ref)
{
    return "<applet code=\"" + AttributeValue(ref) +
           "\" align=\"baseline\" width=\"300\" height=\"200\"></applet>";
}

static std::string movieFromTemplate(int templateId, const std::string &ref)
{
    std::string text = InsertStrings::Get(templateId);
    CHtmlText(text).ReplaceMacro("SrcValue", AttributeValue(ref));
    return text;
}

std::string GetFlashHtml(const std::string &ref)
{
    return movieFromTemplate(InsertStrings::FlashTemplate, ref);
}

std::string GetShockwaveHtml(const std::string &ref)
{
    return movieFromTemplate(InsertStrings::ShockwaveTemplate, ref);
}
