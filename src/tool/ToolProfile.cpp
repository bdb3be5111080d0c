// pelion-tool profile get|set: read and write entries of an INI settings file.
#include "tool/ToolCommand.h"

#include "util/FileUtil.h"
#include "util/ProfileFile.h"

#include <cerrno>
#include <cstring>
#include <iostream>

// Why section, key and value cannot be stored so that they read back as given ("" when they can):
// a line break would start another line of the file, "=" would end the key, "]" the section.
static std::string unstorable(const std::string &section, const std::string &key,
                              const std::string &value, bool encode)
{
    const auto breaksLine = [](const std::string &text) {
        return text.find_first_of("\r\n") != std::string::npos;
    };
    if (section.empty() || breaksLine(section) || section.find(']') != std::string::npos)
        return "a section name cannot be empty or hold \"]\" or a line break";
    if (key.empty() || breaksLine(key) || key.find('=') != std::string::npos)
        return "a key cannot be empty or hold \"=\" or a line break";
    if (value.find('\r') != std::string::npos || (!encode && breaksLine(value)))
        return "a value cannot hold a line break (--encode stores newlines)";
    return std::string();
}

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
        if (const std::string why = unstorable(args[2], args[3], args[4], encode); !why.empty()) {
            ToolError("cannot store that in " + args[1] + ": " + why + "; left as it was");
            return 2;
        }
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
