// How fast the main window answers: the round trip of WM_NULL.
#include <cstdio>

#include "driver_command.h"
#include "program_windows.h"

namespace {

constexpr DWORD kDefaultLimitMs = 100;
constexpr DWORD kProbePauseMs = 5;
constexpr UINT kProbeTimeoutMs = 2000;

double ElapsedMs(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// One round trip in milliseconds; nothing when the window did not answer in time.
std::optional<double> RoundTrip(HWND window) {
    LARGE_INTEGER start;
    LARGE_INTEGER end;
    DWORD_PTR result = 0;
    QueryPerformanceCounter(&start);
    const LRESULT answered = SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, kProbeTimeoutMs, &result);
    QueryPerformanceCounter(&end);
    if (answered == 0) return std::nullopt;
    return ElapsedMs(start, end);
}

int Ping(const DriverContext& context, const CommandArgs&) {
    HWND window = TargetWindow(context);
    if (window == nullptr) return kNoWindow;
    std::optional<double> trip = RoundTrip(window);
    if (!trip) return kConditionFailed;
    std::printf("%.2f\n", *trip);
    return kSuccess;
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Probes the window without pause until STOPFILE exists or MAX_MS have
// passed; prints the worst round trip and fails when it is above the limit
// or the window stopped answering.
int WatchNull(const DriverContext& context, const CommandArgs& args) {
    std::optional<DWORD> maxMs = Milliseconds(args[1]);
    std::optional<DWORD> limitMs = args.size() > 2 ? Milliseconds(args[2]) : std::optional<DWORD>(kDefaultLimitMs);
    if (!maxMs || !limitMs) return kUsageError;
    HWND window = TargetWindow(context);
    if (window == nullptr) return kNoWindow;
    // Tells the scenario that probing has begun.
    std::puts("probing");
    std::fflush(stdout);
    const ULONGLONG deadline = GetTickCount64() + *maxMs;
    double worst = 0.0;
    unsigned probes = 0;
    unsigned unanswered = 0;
    while (!FileExists(args[0]) && GetTickCount64() < deadline && IsWindow(window)) {
        std::optional<double> trip = RoundTrip(window);
        ++probes;
        if (!trip) ++unanswered;
        else if (*trip > worst) worst = *trip;
        Sleep(kProbePauseMs);
    }
    std::printf("worst %.2f ms over %u probes, %u unanswered\n", worst, probes, unanswered);
    return worst <= *limitMs && unanswered == 0 && probes > 0 ? kSuccess : kConditionFailed;
}

}  // namespace

std::vector<DriverCommand> ResponsivenessCommands() {
    return {
        {"ping", "", 0, 0, Ping},
        {"watch-null", "STOPFILE MAX_MS [LIMIT_MS]", 2, 3, WatchNull},
    };
}
