// guidriver: automates Vorlane.exe for the GUI tests, one command per run.
//   guidriver [-w TITLE] COMMAND ARGS...
// -w picks the program's window whose controls the command addresses
// (default "Vorlane Access"; e.g. "Router Status").
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "driver_command.h"
#include "program_windows.h"

namespace {

std::vector<DriverCommand> AllCommands() {
    std::vector<DriverCommand> all;
    for (auto group : {WindowCommands, ControlCommands, MessageBoxCommands, MouseCommands, ResponsivenessCommands,
                       ProcessUsageCommands, ListViewCommands}) {
        std::vector<DriverCommand> commands = group();
        all.insert(all.end(), commands.begin(), commands.end());
    }
    return all;
}

int Usage(const std::vector<DriverCommand>& commands) {
    std::fputs("usage: guidriver [-w TITLE] COMMAND ARGS...\ncommands:\n", stderr);
    for (const DriverCommand& command : commands) std::fprintf(stderr, "  %s %s\n", command.name, command.arguments);
    return kUsageError;
}

}  // namespace

int main(int argc, char** argv) {
    // Texts go out byte for byte: the scenarios compare "\r\n" line breaks.
    _setmode(_fileno(stdout), _O_BINARY);
    const std::vector<DriverCommand> commands = AllCommands();
    DriverContext context{kMainWindowTitle};
    int next = 1;
    if (next + 1 < argc && std::string_view(argv[next]) == "-w") {
        context.windowTitle = argv[next + 1];
        next += 2;
    }
    if (next >= argc) return Usage(commands);
    const std::string_view name = argv[next];
    const CommandArgs args(argv + next + 1, argv + argc);
    for (const DriverCommand& command : commands) {
        if (name != command.name) continue;
        if (args.size() < command.minArgs || args.size() > command.maxArgs) return Usage(commands);
        const int result = command.run(context, args);
        std::fflush(stdout);
        return result;
    }
    return Usage(commands);
}
