#pragma once

#include <string>
#include <vector>

// A subcommand of pelion-tool ("profile", "site", ...). run gets the arguments after the
// subcommand's name and returns the exit code. Each file registers its commands with
// PELION_TOOL_COMMAND at namespace scope.
struct ToolCommand
{
    const char *name;
    const char *usage; // one or more lines shown by --help
    int (*run)(const std::vector<std::string> &args);
};

void RegisterToolCommand(const ToolCommand &command);
const std::vector<ToolCommand> &ToolCommands();

// Shared helpers for commands: a message on stderr prefixed "pelion-tool: ", and the option
// parsing of "--name VALUE" pairs (removed from args; false when the value is missing).
void ToolError(const std::string &message);
bool TakeOption(std::vector<std::string> &args, const std::string &name, std::string &value,
                bool &present);
bool TakeFlag(std::vector<std::string> &args, const std::string &name);

#define PELION_TOOL_CONCAT2(a, b) a##b
#define PELION_TOOL_CONCAT(a, b) PELION_TOOL_CONCAT2(a, b)
#define PELION_TOOL_COMMAND(...)                                                                  \
    static const bool PELION_TOOL_CONCAT(toolCommandRegistered_, __LINE__) = [] {                 \
        RegisterToolCommand(ToolCommand{__VA_ARGS__});                                            \
        return true;                                                                              \
    }()
