#pragma once
#include <string>
#include <string_view>

#include "file_port.h"

// The lines that router.log could not take yet, kept for the next write.
struct PendingLogText {
    std::string text;
    std::size_t droppedLines = 0;  // lines given up to keep text small
};

// At most this much text waits for router.log; older lines give way.
inline constexpr std::size_t kMaxPendingLogBytes = std::size_t{1} << 20;

// Adds the text at the end of router.log, creating it when missing and never
// truncating it. What the file cannot take now waits in pending and goes
// first at the next call, so every line reaches the file once and in order;
// beyond kMaxPendingLogBytes the oldest lines are dropped and one line in
// their place says how many. No message: the screen already shows the lines.
void AppendToLogFile(FilePort& files, const std::string& path, std::string_view text, PendingLogText& pending);

// "Delete Log File": what waits for the old file goes with it.
void DropPendingLogText(PendingLogText& pending);
