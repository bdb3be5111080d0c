#pragma once

#include <string>
#include <string_view>
#include <vector>

class ProfileFile;

// The external tools as the settings store keeps them: section "Tools" holds "Items" (the
// count) and the names by index in menu order; each tool has a section of its own, named by
// the tool, with "Cmd" (the program) and "Arg" (the argument text).
class ToolList
{
public:
    // Menu items exist for the first kMenuLimit tools only (their command ids are 32985-33010);
    // later tools stay in the list and in the file but get no item.
    static constexpr int kMenuLimit = 26;

    struct Tool
    {
        std::string cmd;
        std::string arg;
    };

    // The list the dialog shows: "Items" names by index (a missing name ends the list early).
    static std::vector<std::string> Load(const ProfileFile &profile);
    // The names the menu shows: indexed names from 0 until one is missing, at most kMenuLimit.
    static std::vector<std::string> MenuNames(const ProfileFile &profile);
    // Writes "Items", the names by index and removes the key after the last name. The tools'
    // own sections are left alone, also those of names no longer listed.
    static void Store(ProfileFile &profile, const std::vector<std::string> &names);

    static Tool ReadTool(const ProfileFile &profile, const std::string &name);
    // An empty value removes its key.
    static void WriteTool(ProfileFile &profile, const std::string &name, const Tool &tool);

    enum class Result { Ready, NoTool, NoCommand };
    // The command line of the tool at index for the page at pagePath: Cmd + " " + Arg with the
    // first $(Windows), $(System) and $(App) expanded; an Arg of exactly "$(FileName)" becomes
    // the page path in quotes (never scanned for macros). line is set only for Ready.
    static Result CommandLine(const ProfileFile &profile, int index, const std::string &pagePath,
                              std::string &line);

    // text in double quotes so that a word splitter honouring quotes (a literal quote written as
    // three quotes inside a quoted part) gives it back as exactly one word.
    static std::string Quote(std::string_view text);
};
