#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "intruders_window_port.h"

class MainWindowEngine;

// The "Intruders" window: a top-level modeless dialog, hidden until the
// tray menu or a balloon opens it. Its list is virtual: the rows live here
// and the list asks for the text it draws. Above it, the chart of attempts
// per day and the controls that calm the alerts.
class IntrudersDialog : public IntrudersWindowPort {
public:
    // The engine is known after the window objects exist; it is set before the window is created.
    void SetEngine(MainWindowEngine& engine) { engine_ = &engine; }
    // False when the window cannot be created (the user was told).
    bool Create(HINSTANCE instance);
    HWND Window() const { return window_; }

    bool Exists() override { return window_ != nullptr; }
    void Show() override;
    void Hide() override;
    bool IsVisible() override;
    void ShowRows(std::vector<IntruderRowText> rows, const std::string& selectedAddress) override;
    std::string SelectedAddress() override;
    void SelectNoRow() override;
    void ShowChart(const AttemptChart& chart, DateFormat format) override;
    void ShowIgnoredEntries(const std::vector<std::string>& entries) override;
    std::string SelectedIgnoredEntry() override;
    bool IgnoreBoxHasFocus() override;
    IntrudersWindowLayout CurrentLayout() override;
    void ApplyLayout(const IntrudersWindowLayout& layout) override;

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR OnNotify(const NMHDR& header);
    void AddColumns();
    HWND List() const;
    int SelectedIndex() const;

    MainWindowEngine* engine_ = nullptr;
    HWND window_ = nullptr;
    // GUI thread only: the list's rows, and the text it was last handed.
    std::vector<IntruderRowText> rows_;
    // While the rows are replaced, the selection they set is not news.
    bool replacingRows_ = false;
};
