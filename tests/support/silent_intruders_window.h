#pragma once
#include <string>
#include <vector>

#include "intruders_window_port.h"

// An Intruders window that exists, stays hidden and shows nothing: the GUI
// tests judge the real one.
struct SilentIntrudersWindow : IntrudersWindowPort {
    bool Exists() override { return true; }
    void Show() override {}
    void Hide() override {}
    bool IsVisible() override { return false; }
    void ShowRows(std::vector<IntruderRowText>, const std::string&) override {}
    std::string SelectedAddress() override { return {}; }
    void SelectNoRow() override {}
    void ShowChart(const AttemptChart&, DateFormat) override {}
    void ShowIgnoredEntries(const std::vector<std::string>&) override {}
    std::string SelectedIgnoredEntry() override { return {}; }
    bool IgnoreBoxHasFocus() override { return false; }
    IntrudersWindowLayout CurrentLayout() override { return {}; }
    void ApplyLayout(const IntrudersWindowLayout&) override {}
};
