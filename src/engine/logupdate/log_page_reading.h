#pragma once
#include <cstdint>
#include <string>

#include "logpage/log_line_renderer.h"
#include "logpage/new_entry_selector.h"
#include "common/log_update.h"

// Shown instead of the log when the router still refuses after the login.
inline constexpr char kAuthorizationFailedNotice[] =
    "*** Error: Authorization Failed.\r\n"
    "Log in the router from your browser and set the 'Administrator Time-out' option to 0 or Log off any user "
    "from local networt.";
// The status line at that failure.
inline constexpr char kLoggingInStatus[] = "Loging in..";

// What the log page's new entries are chosen and rendered against: the
// GUI thread's view as the poll starts, taken as data.
struct LogPageContext {
    std::int32_t lastDate = 0;           // 0 when nothing is remembered
    bool pageHeldLastDate = false;       // the last page read this run held the entry at lastDate
    std::string screenText;              // the log screen as the update starts
    SelectionOptions selection;
    RenderOptions render;
};

// One log page read: the remembered time after it and its new lines.
struct LogPageReading {
    std::int32_t lastDate = 0;
    bool pageHeldLastDate = false;
    // The router refused even after the login: no lines, a notice instead.
    bool authorizationFailed = false;
    std::string wanType;
    LogUpdate update;  // empty when the page holds nothing new
};

// Reads a fetched log page (the whole response), its timed entries dated
// against referenceTime. Pure: runs on the poll's worker.
LogPageReading ReadLogPage(const std::string& page, std::int32_t referenceTime, const LogPageContext& context);
