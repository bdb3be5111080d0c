// pelion-tool new-page: a new page in a site folder from a template, as File New makes it.
#include "tool/ToolCommand.h"

#include "sites/NewPage.h"
#include "util/AppProfile.h"
#include "util/FileUtil.h"
#include "util/ProfileFile.h"

#include <iostream>

static int runNewPage(const std::vector<std::string> &argsIn)
{
    std::vector<std::string> args = argsIn;
    std::string profilePath, site, name, title, templateName;
    bool hasProfile = false, hasSite = false, hasName = false, hasTitle = false,
         hasTemplate = false;
    if (!TakeOption(args, "--profile", profilePath, hasProfile) ||
        !TakeOption(args, "--site", site, hasSite) || !TakeOption(args, "--name", name, hasName) ||
        !TakeOption(args, "--title", title, hasTitle) ||
        !TakeOption(args, "--template", templateName, hasTemplate) || !args.empty()) {
        ToolError("usage: pelion-tool new-page [--site DIR] [--name NAME] [--title TITLE] "
                  "[--template FILE.htt] [--profile FILE]");
        return 2;
    }
    if (!hasSite) {
        ProfileFile profile;
        const std::string path = hasProfile ? profilePath : util::AppProfilePath();
        if (!profile.Load(path, true) && util::FileExists(path)) {
            ToolError("cannot read the settings file " + path);
            return 2;
        }
        site = CurrentSiteFolder(profile);
    }
    if (!hasName)
        name = ProposeFileName(site);
    if (!hasTitle)
        title = std::string(kTitlePlaceholder);

    const NewPageResult result = CreateNewPage({site, name, title, templateName});
    if (result.error != NewPageError::None) {
        ToolError(std::string(NewPageMessage(result.error)) + " (" + result.detail + ")");
        return 1;
    }
    std::cout << result.createdPath << '\n';
    return 0;
}

PELION_TOOL_COMMAND("new-page",
                    "  new-page [--site DIR] [--name NAME] [--title TITLE] [--template FILE.htt]\n"
                    "           [--profile FILE]\n"
                    "                         make a page from a template in a site folder (the\n"
                    "                         current one by default) and print its path",
                    runNewPage);
