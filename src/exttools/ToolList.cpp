#include "exttools/ToolList.h"

#include "pagetext/CHtmlText.h"
#include "util/ProfileFile.h"

namespace {

const std::string kToolsSection = "Tools";

} // namespace

std::vector<std::string> ToolList::Load(const ProfileFile &profile)
{
    std::vector<std::string> names;
    int count = 0;
    if (!profile.GetInt(kToolsSection, "Items", count))
        return names;
    for (int index = 0; index < count; ++index) {
        std::string name;
        if (!profile.GetIndexed(kToolsSection, index, name))
            break;
        names.push_back(name);
    }
    return names;
}

std::vector<std::string> ToolList::MenuNames(const ProfileFile &profile)
{
    std::vector<std::string> names;
    std::string name;
    while (static_cast<int>(names.size()) < kMenuLimit &&
           profile.GetIndexed(kToolsSection, static_cast<int>(names.size()), name))
        names.push_back(name);
    return names;
}

void ToolList::Store(ProfileFile &profile, const std::vector<std::string> &names)
{
    const int count = static_cast<int>(names.size());
    profile.SetInt(kToolsSection, "Items", count);
    for (int index = 0; index < count; ++index)
        profile.SetIndexed(kToolsSection, index, names[index]);
    profile.SetIndexed(kToolsSection, count, std::string());
}

ToolList::Tool ToolList::ReadTool(const ProfileFile &profile, const std::string &name)
{
    Tool tool;
    profile.GetString(name, "Cmd", tool.cmd);
    profile.GetString(name, "Arg", tool.arg);
    return tool;
}

void ToolList::WriteTool(ProfileFile &profile, const std::string &name, const Tool &tool)
{
    profile.SetString(name, "Cmd", tool.cmd);
    profile.SetString(name, "Arg", tool.arg);
}

ToolList::Result ToolList::CommandLine(const ProfileFile &profile, int index,
                                       const std::string &pagePath, std::string &line)
{
    std::string name;
    if (index < 0 || !profile.GetIndexed(kToolsSection, index, name))
        return Result::NoTool;
    std::string cmd;
    if (!profile.GetString(name, "Cmd", cmd) || cmd.empty())
        return Result::NoCommand;
    std::string arg;
    profile.GetString(name, "Arg", arg);
    // The page path is added after the macros are expanded, so that a "$(App)" in a file name
    // stays as it is.
    const bool pageArgument = arg == "$(FileName)";
    std::string text = cmd + " " + (pageArgument ? std::string() : arg);
    CHtmlText html(text);
    for (const char *macro : {"Windows", "System", "App"}) {
        // A folder with spaces (or quotes) is quoted so that it stays one word with the text
        // around it: "/opt/my tools/"prog splits into the single word /opt/my tools/prog.
        std::string folder = CHtmlText::ExpandMacro(macro);
        if (folder.find_first_of(" \t\"") != std::string::npos)
            folder = Quote(folder);
        html.ReplaceMacro(macro, folder, true);
    }
    if (pageArgument)
        text += Quote(pagePath);
    line = std::move(text);
    return Result::Ready;
}

std::string ToolList::Quote(std::string_view text)
{
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"')
            quoted += "\"\"\"";
        else
            quoted += c;
    }
    quoted += '"';
    return quoted;
}
