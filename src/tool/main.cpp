#include "tool/ToolCommand.h"

#include "util/FileUtil.h"

#include <cstring>
#include <iostream>

static void printHelp(std::ostream &out)
{
    out << "Usage: pelion-tool COMMAND [ARGS...]\n"
           "Scripting and batch work over the pages and settings of Pelion Web Builder.\n\n"
           "Commands:\n";
    for (const ToolCommand &command : ToolCommands())
        out << command.usage << '\n';
    out << "  --version              show the version and the program folder in use\n"
           "  --help                 show this text\n";
}

int main(int argc, char **argv)
{
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        printHelp(argc < 2 ? std::cerr : std::cout);
        return argc < 2 ? 2 : 0;
    }
    if (std::strcmp(argv[1], "--version") == 0) {
        std::cout << "pelion-tool (Pelion Web Builder) " PELION_VERSION "\n"
                  << "program folder: " << util::ProgramFolder() << '\n';
        return 0;
    }
    const std::string name = argv[1];
    for (const ToolCommand &command : ToolCommands()) {
        if (name == command.name)
            return command.run(std::vector<std::string>(argv + 2, argv + argc));
    }
    ToolError("unknown command \"" + name + "\" (see pelion-tool --help)");
    return 2;
}
