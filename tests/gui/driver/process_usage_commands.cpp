// What the program's process holds: its handles and its private memory, for
// the long run that looks for leaks. The process is the main window's.
// And a file held by another process, for the log file's lost writes.
// Each command prints the figure and the source it came from: Wine 8 answers
// GetProcessHandleCount with 0 and leaves PrivateUsage at 0, so the figure
// then comes from the system's handle table and from PagefileUsage (which
// Windows keeps equal to PrivateUsage, and Wine fills with the process's
// anonymous resident memory).
#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <vector>

#include "driver_command.h"
#include "program_windows.h"

// After windows.h, which they need.
#include <psapi.h>
#include <winternl.h>

namespace {

constexpr NTSTATUS kInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004L);
constexpr std::size_t kFirstHandleTableBytes = 256 * 1024;
constexpr std::size_t kMaxHandleTableBytes = 64 * 1024 * 1024;

// A query handle to the process; nullptr (and a note on stderr) when it cannot be opened.
HANDLE OpenProgramProcess(DWORD process) {
    HANDLE handle = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, process);
    if (handle == nullptr) std::fprintf(stderr, "guidriver: cannot open process %lu (error %lu)\n", process, GetLastError());
    return handle;
}

// The main window's process; 0 (and a note on stderr) when there is no main window.
DWORD ProgramProcessId() {
    HWND main = FindMainWindow();
    if (main == nullptr) std::fprintf(stderr, "guidriver: no window \"%s\"\n", kMainWindowTitle);
    return main == nullptr ? 0 : ProcessOf(main);
}

// The process's entries in the system-wide handle table; -1 when it cannot be read.
long HandlesInSystemTable(DWORD process) {
    std::vector<unsigned char> buffer(kFirstHandleTableBytes);
    for (;;) {
        ULONG needed = 0;
        const NTSTATUS status = NtQuerySystemInformation(SystemHandleInformation, buffer.data(),
                                                         static_cast<ULONG>(buffer.size()), &needed);
        if (status == kInfoLengthMismatch && buffer.size() < kMaxHandleTableBytes) {
            // The table grows while it is read: ask again with room to spare.
            buffer.resize(std::max<std::size_t>(buffer.size() * 2, needed + kFirstHandleTableBytes));
            continue;
        }
        if (status < 0) return -1;
        break;
    }
    const auto* table = reinterpret_cast<const SYSTEM_HANDLE_INFORMATION*>(buffer.data());
    const std::size_t room =
        (buffer.size() - offsetof(SYSTEM_HANDLE_INFORMATION, Handle)) / sizeof(SYSTEM_HANDLE_ENTRY);
    long count = 0;
    for (std::size_t i = 0; i < table->Count && i < room; ++i)
        if (table->Handle[i].OwnerPid == process) ++count;
    return count;
}

int HandleCount(const DriverContext&, const CommandArgs&) {
    const DWORD process = ProgramProcessId();
    if (process == 0) return kNoWindow;
    HANDLE handle = OpenProgramProcess(process);
    if (handle == nullptr) return kConditionFailed;
    DWORD count = 0;
    const bool known = GetProcessHandleCount(handle, &count) != 0;
    CloseHandle(handle);
    // A running process always holds some handles: 0 means the call is not implemented.
    if (known && count != 0) {
        std::printf("%lu GetProcessHandleCount\n", count);
        return kSuccess;
    }
    const long inTable = HandlesInSystemTable(process);
    if (inTable <= 0) return kConditionFailed;
    std::printf("%ld system-handle-table\n", inTable);
    return kSuccess;
}

// Bytes of memory the process alone holds.
int PrivateBytes(const DriverContext&, const CommandArgs&) {
    const DWORD process = ProgramProcessId();
    if (process == 0) return kNoWindow;
    HANDLE handle = OpenProgramProcess(process);
    if (handle == nullptr) return kConditionFailed;
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof counters;
    const bool known =
        GetProcessMemoryInfo(handle, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters) != 0;
    CloseHandle(handle);
    if (!known) return kConditionFailed;
    if (counters.PrivateUsage != 0) {
        std::printf("%llu PrivateUsage\n", static_cast<unsigned long long>(counters.PrivateUsage));
    } else if (counters.PagefileUsage != 0) {
        std::printf("%llu PagefileUsage\n", static_cast<unsigned long long>(counters.PagefileUsage));
    } else {
        return kConditionFailed;
    }
    return kSuccess;
}

// Another program that holds a file open without sharing it, until STOPFILE
// exists or MAX_MS have passed.
int HoldFile(const DriverContext&, const CommandArgs& args) {
    std::optional<DWORD> maxMs = Milliseconds(args[2]);
    if (!maxMs) return kUsageError;
    HANDLE file = CreateFileA(args[0].c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return kConditionFailed;
    std::puts("holding");
    std::fflush(stdout);
    const ULONGLONG deadline = GetTickCount64() + *maxMs;
    while (GetFileAttributesA(args[1].c_str()) == INVALID_FILE_ATTRIBUTES && GetTickCount64() < deadline) Sleep(20);
    CloseHandle(file);
    return kSuccess;
}

}  // namespace

std::vector<DriverCommand> ProcessUsageCommands() {
    return {
        {"handle-count", "", 0, 0, HandleCount},
        {"private-bytes", "", 0, 0, PrivateBytes},
        {"hold-file", "PATH STOPFILE MAX_MS", 3, 3, HoldFile},
    };
}
