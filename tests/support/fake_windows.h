#pragma once
#include <string>
#include <vector>

#include "main_window_port.h"
#include "window_port.h"

// The main window as a window: what the engine asked of it, in order.
struct FakeMainWindow : MainWindowPort {
    void RestoreAndBringForward() override { calls.push_back("restore"); }
    void Hide() override { calls.push_back("hide"); }
    bool ArgumentHasFocus() override { return false; }
    void PlaySessionAnimation(bool play) override { calls.push_back(play ? "play" : "rest"); }
    void ShowTrayMenu(bool, bool) override { calls.push_back("menu"); }
    void ShowAboutBox() override { calls.push_back("about"); }
    void ShutdownApplication() override { calls.push_back("shutdown"); }
    std::vector<std::string> calls;
};

// A window that exists; whether it shows is the GUI tests' to judge.
struct FakeWindow : WindowPort {
    bool Exists() override { return true; }
    void Show(bool) override {}
    void Hide() override {}
};
