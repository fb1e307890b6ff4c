#include "driver_command.h"

#include <charconv>
#include <cstdio>

#include "program_windows.h"

std::optional<long> ParseNumber(const std::string& text) {
    long value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::optional<DWORD> Milliseconds(const std::string& text) {
    std::optional<long> value = ParseNumber(text);
    if (!value || *value < 0) return std::nullopt;
    return static_cast<DWORD>(*value);
}

HWND TargetWindow(const DriverContext& context) {
    HWND window = FindProgramWindow(context.windowTitle);
    if (window == nullptr) std::fprintf(stderr, "guidriver: no window \"%s\"\n", context.windowTitle.c_str());
    return window;
}

HWND TargetControl(const DriverContext& context, const std::string& id) {
    std::optional<long> number = ParseNumber(id);
    if (!number) {
        std::fprintf(stderr, "guidriver: control id \"%s\" is not a number\n", id.c_str());
        return nullptr;
    }
    HWND window = TargetWindow(context);
    if (window == nullptr || *number == 0) return window;
    HWND control = GetDlgItem(window, static_cast<int>(*number));
    if (control == nullptr) std::fprintf(stderr, "guidriver: no control %ld in \"%s\"\n", *number, context.windowTitle.c_str());
    return control;
}

void PrintText(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
}
