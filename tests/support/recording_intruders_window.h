#pragma once
#include <atomic>
#include <string>
#include <vector>

#include "intruders_window_port.h"

// The Intruders window as the engine sees it: the rows it was given and a
// selection the test sets.
struct RecordingIntrudersWindow : IntrudersWindowPort {
    bool Exists() override { return true; }
    void Show() override { visible = true; }
    void Hide() override { visible = false; }
    bool IsVisible() override { return visible; }
    void ShowRows(std::vector<IntruderRowText> shown, const std::string&) override { rows = std::move(shown); }
    std::string SelectedAddress() override { return selected; }
    void RequestRefresh() override { ++refreshRequests; }
    IntrudersWindowLayout CurrentLayout() override { return layout; }
    void ApplyLayout(const IntrudersWindowLayout& applied) override { layout = applied; }

    bool visible = false;
    std::vector<IntruderRowText> rows;
    std::string selected;
    std::atomic<int> refreshRequests{0};  // workers ask too
    IntrudersWindowLayout layout;
};
