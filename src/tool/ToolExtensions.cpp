// pelion-tool extensions check|add: the page extensions (script library blocks) of page files.
#include "tool/ToolCommand.h"

#include "pagetext/CHtmlText.h"
#include "pagetext/PageExtensions.h"

#include <iostream>

static int checkPages(const std::vector<std::string> &pages)
{
    int code = 0;
    for (const std::string &page : pages) {
        std::string text;
        std::string why;
        if (!ReadTextFile(page, text, nullptr, &why)) {
            ToolError("cannot read " + page + ": " + why);
            code = 1;
            continue;
        }
        std::cout << page << ": "
                  << (IsExtendedPageText(text) ? "supports Pelion extensions"
                                               : "does not support Pelion extensions")
                  << '\n';
    }
    return code;
}

static int addToPages(const std::vector<std::string> &pages)
{
    int code = 0;
    for (const std::string &page : pages) {
        std::string text;
        std::string why;
        bool cutAtZero = false;
        if (!ReadTextFile(page, text, &cutAtZero, &why)) {
            ToolError("cannot read " + page + ": " + why);
            code = 1;
            continue;
        }
        if (cutAtZero) {
            ToolError("cannot add extensions to " + page +
                      ": the file holds a zero byte (not a text page); left as it was");
            code = 1;
            continue;
        }
        if (IsExtendedPageText(text)) {
            std::cout << page << ": " << kAlreadyExtendedMessage << '\n';
            continue;
        }
        const ExtensionPlacement placed = AddExtensionsToText(text);
        if (!placed.head && !placed.body) {
            ToolError("cannot add extensions to " + page +
                      ": it has neither a </head> nor a <body> tag; left as it was");
            code = 1;
            continue;
        }
        if (!WriteTextFile(text, page, &why)) {
            ToolError("cannot write " + page + ": " + why + "; left as it was");
            code = 1;
            continue;
        }
        std::cout << page << ": Pelion extensions added";
        if (!placed.head)
            std::cout << " (body blocks only: no </head> tag)";
        else if (!placed.body)
            std::cout << " (head blocks only: no <body> tag)";
        std::cout << '\n';
    }
    return code;
}

static int runExtensions(const std::vector<std::string> &args)
{
    if (args.size() >= 2 && args[0] == "check")
        return checkPages({args.begin() + 1, args.end()});
    if (args.size() >= 2 && args[0] == "add")
        return addToPages({args.begin() + 1, args.end()});
    ToolError("usage: pelion-tool extensions check PAGE...\n"
              "       pelion-tool extensions add PAGE...");
    return 2;
}

PELION_TOOL_COMMAND(
    "extensions",
    "  extensions check PAGE...\n"
    "                         tell whether each page supports Pelion extensions\n"
    "  extensions add PAGE...\n"
    "                         add the Pelion extension blocks to pages that lack them",
    runExtensions);
