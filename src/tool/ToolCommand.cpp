#include "tool/ToolCommand.h"

#include <algorithm>
#include <iostream>

static std::vector<ToolCommand> &registry()
{
    static std::vector<ToolCommand> commands;
    return commands;
}

void RegisterToolCommand(const ToolCommand &command)
{
    registry().push_back(command);
    std::sort(registry().begin(), registry().end(),
              [](const ToolCommand &a, const ToolCommand &b) { return std::string(a.name) < b.name; });
}

const std::vector<ToolCommand> &ToolCommands()
{
    return registry();
}

void ToolError(const std::string &message)
{
    std::cerr << "pelion-tool: " << message << '\n';
}

bool TakeOption(std::vector<std::string> &args, const std::string &name, std::string &value,
                bool &present)
{
    present = false;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] != name)
            continue;
        if (i + 1 >= args.size())
            return false;
        value = args[i + 1];
        present = true;
        args.erase(args.begin() + static_cast<long>(i), args.begin() + static_cast<long>(i) + 2);
        return true;
    }
    return true;
}

bool TakeFlag(std::vector<std::string> &args, const std::string &name)
{
    const auto found = std::find(args.begin(), args.end(), name);
    if (found == args.end())
        return false;
    args.erase(found);
    return true;
}
