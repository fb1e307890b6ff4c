#pragma once
#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// Exit codes of the driver, which the scenario scripts test.
enum ExitCode : int {
    kSuccess = 0,
    kConditionFailed = 1,  // a wait timed out, a check did not hold
    kUsageError = 2,
    kNoWindow = 3,  // the program's window or control is not there
};

struct DriverContext {
    std::string windowTitle;  // the window whose controls the command addresses
};

using CommandArgs = std::vector<std::string>;

struct DriverCommand {
    const char* name;
    const char* arguments;  // for the usage text
    std::size_t minArgs;
    std::size_t maxArgs;
    int (*run)(const DriverContext& context, const CommandArgs& args);
};

std::vector<DriverCommand> WindowCommands();
std::vector<DriverCommand> ControlCommands();
std::vector<DriverCommand> MessageBoxCommands();
std::vector<DriverCommand> MouseCommands();
std::vector<DriverCommand> ResponsivenessCommands();
std::vector<DriverCommand> ProcessUsageCommands();
std::vector<DriverCommand> ListViewCommands();

// Shared by the command groups.
std::optional<long> ParseNumber(const std::string& text);
// A non-negative duration in milliseconds.
std::optional<DWORD> Milliseconds(const std::string& text);
// The addressed window; nullptr (and a note on stderr) when it is missing.
HWND TargetWindow(const DriverContext& context);
// A control of the addressed window by id, 0 meaning the window itself.
HWND TargetControl(const DriverContext& context, const std::string& id);
void PrintText(const std::string& text);
