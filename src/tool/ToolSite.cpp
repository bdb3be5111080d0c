// pelion-tool site and resource: the site definitions of the settings file, and copying files
// into a page's resource folder.
#include "tool/ToolCommand.h"

#include "sites/ResourceCopy.h"
#include "sites/SiteDefinitions.h"
#include "util/AppProfile.h"
#include "util/FileUtil.h"
#include "util/ProfileFile.h"
#include "util/StringUtil.h"

#include <algorithm>
#include <iostream>

// Loads the settings file named by --profile, or the program's own; false (with a message)
// when an existing file cannot be read.
static bool loadProfile(std::vector<std::string> &args, ProfileFile &profile)
{
    std::string path;
    bool given = false;
    if (!TakeOption(args, "--profile", path, given)) {
        ToolError("--profile needs a file name");
        return false;
    }
    if (!given)
        path = util::AppProfilePath();
    if (!profile.Load(path) && util::FileExists(path)) {
        ToolError("cannot read the settings file " + path);
        return false;
    }
    return true;
}

static bool saveProfile(ProfileFile &profile)
{
    if (profile.Save())
        return true;
    ToolError("cannot write the settings file " + profile.Path());
    return false;
}

static int siteUsage()
{
    ToolError("usage: pelion-tool site list|add NAME ROOT [SUBFOLDER]|delete NAME|"
              "resource-folder PAGE [--profile FILE]");
    return 2;
}

static int runSite(const std::vector<std::string> &argsIn)
{
    std::vector<std::string> args = argsIn;
    ProfileFile profile;
    if (!loadProfile(args, profile))
        return 2;
    if (args.empty())
        return siteUsage();
    SiteDefinitions sites(profile);
    const std::string &verb = args[0];

    if (verb == "list" && args.size() == 1) {
        for (const std::string &name : sites.Names()) {
            const std::string root = sites.RootFolder(name);
            std::cout << name << '\t' << root << '\t' << sites.SubFolder(root) << '\n';
        }
        return 0;
    }
    if (verb == "add" && (args.size() == 3 || args.size() == 4)) {
        const std::string name(util::TrimWhite(args[1]));
        const std::string root = SiteDefinitions::NormalRoot(args[2]);
        const std::string sub = args.size() == 4 ? std::string(util::TrimWhite(args[3])) : "";
        if (name.empty() || root.empty()) {
            ToolError("a site needs a name and a root folder");
            return 2;
        }
        const std::vector<std::string> names = sites.Names();
        const auto same = std::find_if(names.begin(), names.end(), [&](const std::string &other) {
            return util::EqualsIgnoreCaseAscii(other, name);
        });
        if (same != names.end()) {
            ToolError("there is a site named \"" + *same + "\" already");
            return 1;
        }
        const std::string problem = sites.Validate(name, root, sub);
        if (!problem.empty()) {
            ToolError(problem);
            return 1;
        }
        sites.Add(name, root, sub);
        return saveProfile(profile) ? 0 : 2;
    }
    if (verb == "delete" && args.size() == 2) {
        std::vector<std::string> names = sites.Names();
        const auto found = std::find(names.begin(), names.end(), args[1]);
        if (found == names.end()) {
            ToolError("no site named \"" + args[1] + "\"");
            return 1;
        }
        names.erase(found);
        sites.WriteList(names);
        return saveProfile(profile) ? 0 : 2;
    }
    if (verb == "resource-folder" && args.size() == 2) {
        const ResourceFolder folder = GetResourceFolder(args[1], profile);
        std::cout << folder.folder << '\t' << folder.subFolder << '\n';
        return 0;
    }
    return siteUsage();
}

static int resourceUsage()
{
    ToolError("usage: pelion-tool resource copy PAGE FILE [--set] [--profile FILE]\n"
              "       pelion-tool resource type PATH [--extension]");
    return 2;
}

static int runResource(const std::vector<std::string> &argsIn)
{
    std::vector<std::string> args = argsIn;
    if (!args.empty() && args[0] == "type") {
        const bool isExtension = TakeFlag(args, "--extension");
        if (args.size() != 2)
            return resourceUsage();
        const int16_t kind = GetResourceType(args[1], isExtension);
        std::cout << kind << '\t' << ResourceKindName(kind) << '\n';
        return 0;
    }
    const bool numberedSet = TakeFlag(args, "--set");
    ProfileFile profile;
    if (!loadProfile(args, profile))
        return 2;
    if (args.size() != 3 || args[0] != "copy")
        return resourceUsage();
    const std::string &page = args[1];
    const std::string &source = args[2];
    if (!util::FileExists(source)) {
        // The copy would fail silently and the page refer to a missing file; say so.
        ToolError("no file " + source);
        return 1;
    }
    std::cout << CopyResourceToSite(page, source, profile, numberedSet) << '\n';
    return 0;
}

PELION_TOOL_COMMAND("site",
                    "  site list|add NAME ROOT [SUBFOLDER]|delete NAME|resource-folder PAGE\n"
                    "       [--profile FILE]  the site definitions (list prints NAME, ROOT and\n"
                    "                         SUBFOLDER separated by tabs; resource-folder prints\n"
                    "                         the folder and the sub-folder)",
                    runSite);
PELION_TOOL_COMMAND("resource",
                    "  resource copy PAGE FILE [--set] [--profile FILE]\n"
                    "                         copy a file (or its numbered set) into the page's\n"
                    "                         resource folder and print the page reference\n"
                    "  resource type PATH [--extension]\n"
                    "                         print the kind of a resource file (0 unknown,\n"
                    "                         1 image, 2 sound, 3 animation, 4 video)",
                    runResource);
