#include "pagetext/PageExtensions.h"

#include "pagetext/CHtmlText.h"

#include <cstring>

const std::string_view kExtensionHeadBlocks = "<!-- #Begin \"qxstyle\" -->\n"
                                              "<LINK REL=\"STYLESHEET\" TYPE=\"text/css\" "
                                              "HREF=\"qxlib.css\">\n"
                                              "<!-- #End \"qxstyle\" -->\n"
                                              "<!-- #Begin \"qxlib\" -->\n"
                                              "<SCRIPT language=JavaScript1.2 src=\"qxlib.js\">\n"
                                              "</SCRIPT>\n"
                                              "<!-- #End \"qxlib\" -->\n";

const std::string_view kExtensionBodyBlocks =
    "<!-- #Begin \"Moveable\" -->\n"
    "<SCRIPT language=JavaScript1.2>\n"
    "\tinitClassMoveable();\n"
    "</SCRIPT>\n"
    "<!-- #End \"Moveable\" -->\n"
    "<!-- #Begin \"MPlyr\" -->\n"
    "<OBJECT ID=\"MPlyr\" CLASSID=\"CLSID:22D6F312-B0F6-11D0-94AB-0080C74C7E95\"\n"
    "  WIDTH=\"0\" HEIGHT=\"0\" style=\"LEFT: -1px; POSITION: absolute; TOP: -1px; VISIBILITY: "
    "hidden\">\n"
    "  <PARAM NAME=\"AutoStart\" VALUE=\"false\">\n"
    "  <PARAM NAME=\"ShowDisplay\" VALUE=\"false\">\n"
    "  <PARAM NAME=\"ShowControls\" VALUE=\"false\">\n"
    "  <PARAM NAME=\"ShowTracker\" VALUE=\"false\">\n"
    "  <PARAM NAME=\"PlayCount\" VALUE=\"1\">\n"
    "</OBJECT>\n"
    "<!-- #End \"MPlyr\" -->\n";

bool IsExtendedPageText(std::string_view text)
{
    // memmem, not string_view::find: libstdc++'s find compares at every double quote, and pages
    // are full of them.
    static constexpr std::string_view name = "\"qxlib.js\"";
    return ::memmem(text.data(), text.size(), name.data(), name.size()) != nullptr;
}

bool IsExtendedPage(const std::string &path)
{
    std::string text;
    return ReadTextFile(path, text) && IsExtendedPageText(text);
}

ExtensionPlacement AddExtensionsToText(std::string &text)
{
    CHtmlText html(text);
    ExtensionPlacement placement;
    placement.head = html.InsertBefore("</head>", ToCrLf(kExtensionHeadBlocks));
    placement.body = html.InsertAfterTag("<body", ToCrLf(kExtensionBodyBlocks));
    return placement;
}

bool AddExtensions(const std::string &path, std::string *error, ExtensionPlacement *placement)
{
    if (placement)
        *placement = {};
    std::string text;
    bool cutAtZero = false;
    // An unreadable page must not be replaced by the blocks alone.
    if (!ReadTextFile(path, text, &cutAtZero, error))
        return false;
    if (cutAtZero) {
        if (error)
            *error = "the file holds a zero byte (not a text page)";
        return false;
    }
    const ExtensionPlacement placed = AddExtensionsToText(text);
    if (placement)
        *placement = placed;
    // The whole page: "$(Copy" ends only a template's content.
    return WriteTextFile(text, path, error);
}
