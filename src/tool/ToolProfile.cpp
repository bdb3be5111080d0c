// pelion-tool profile get|set: read and write entries of an INI settings file.
#include "tool/ToolCommand.h"

#include "util/FileUtil.h"
#include "util/ProfileFile.h"

#include <cerrno>
#include <cstring>
#include <iostream>

static int runProfile(const std::vector<std::string> &argsIn)
{
    std::vector<std::string> args = argsIn;
    const bool decode = TakeFlag(args, "--decode");
    const bool encode = TakeFlag(args, "--encode");
    if (args.size() == 4 && args[0] == "get") {
        ProfileFile profile;
        profile.Load(args[1], true);
        std::string value;
        if (!profile.GetString(args[2], args[3], value, decode)) {
            ToolError("no key \"" + args[3] + "\" in section [" + args[2] + "] of " + args[1]);
            return 1;
        }
        std::cout << value << '\n';
        return 0;
    }
    if (args.size() == 5 && args[0] == "set") {
        ProfileFile profile;
        if (!profile.Load(args[1]) && util::FileExists(args[1])) {
            ToolError("cannot read " + args[1] + ": " + std::strerror(errno));
            return 2;
        }
        profile.SetString(args[2], args[3], args[4], encode);
        std::string why;
        if (!util::WriteFileAtomic(args[1], profile.ToText(), &why)) {
            ToolError("cannot write " + args[1] + ": " + why);
            return 2;
        }
        return 0;
    }
    ToolError("usage: pelion-tool profile get FILE SECTION KEY [--decode]\n"
              "       pelion-tool profile set FILE SECTION KEY VALUE [--encode]");
    return 2;
}

PELION_TOOL_COMMAND("profile",
                    "  profile get FILE SECTION KEY [--decode]\n"
                    "                         print a value (exit 1 when the key is missing)\n"
                    "  profile set FILE SECTION KEY VALUE [--encode]\n"
                    "                         store a value (an empty VALUE removes the key)",
                    runProfile);
