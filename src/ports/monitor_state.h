#pragma once
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>

#include "intruders_window_port.h"
#include "shared_text.h"

// The values the application object shares between its windows.
struct AppSharedValues {
    std::atomic<bool> statusShown{false};
    SharedText currentRouterAddress;
    SharedText wanType;
};

// The lines that router.log could not take yet, kept for the next write.
struct PendingLogText {
    std::mutex mutex;
    std::string text;             // under mutex
    std::size_t droppedLines = 0;  // under mutex: lines given up to keep text small
};

// The engine-side members of the main window. Flags and numbers that cross
// threads are atomic; texts that cross threads are SharedText.
struct MonitorState {
    // Session
    std::atomic<bool> sessionRunning{false};
    std::atomic<bool> pollBusy{false};
    std::atomic<bool> stopRequested{false};
    std::atomic<std::uint32_t> lastPollEnd{0};
    std::atomic<std::int32_t> referenceTime{0};
    SharedText lastResponse;

    // Tray alert animation
    std::atomic<bool> animating{false};
    std::atomic<std::int32_t> animationFrame{0};
    std::atomic<bool> stopAnimation{false};

    // Log processing; lastDate is 0 when nothing is remembered.
    std::atomic<std::int32_t> lastDate{0};
    std::atomic<bool> pageHeldLastDate{false};  // the last page shown held the entry at lastDate
    SharedText lastParagraph;
    PendingLogText pendingLogText;

    // Paths, set once while the main window initialises.
    std::string alertSoundPath;
    std::string logFilePath;

    // Options that live outside the controls.
    SharedText externalProgramPath;
    SharedText routerPassword;
    std::atomic<bool> popupOnIntrusion{true};
    // GUI thread only: loaded at start, taken from the window at exit.
    std::optional<IntrudersWindowLayout> intrudersLayout;
};
