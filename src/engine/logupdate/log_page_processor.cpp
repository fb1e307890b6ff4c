#include "logupdate/log_page_processor.h"

#include "logpage/authorization_check.h"
#include "logpage/last_date_reset.h"
#include "logpage/log_line_renderer.h"
#include "logupdate/log_options.h"
#include "logpage/log_page_scanner.h"
#include "logpage/missed_entries.h"
#include "logupdate/log_publisher.h"
#include "logupdate/log_screen.h"
#include "logpage/new_entry_selector.h"
#include "logupdate/status_line.h"
#include "logpage/wan_type_extractor.h"
#include "resource_ids.h"

namespace {
constexpr const char* LoggingInStatus = "Loging in..";
constexpr const char* AuthorizationFailedNotice =
    "*** Error: Authorization Failed.\r\n"
    "Log in the router from your browser and set the 'Administrator Time-out' option to 0 or Log off any user "
    "from local networt.";
constexpr const char* EmptyLogNotice = "*** (empty) ***";

// The router still refuses after the login: say so in place of the log.
void ShowAuthorizationFailure(MonitorContext& context) {
    SetStatusLineText(context, LoggingInStatus);
    context.dialog.SetText(IDC_LOG_SCREEN, AuthorizationFailedNotice);
}

// The page's update, opened by the missed-entries line when entries rolled
// out unread. The missed-entries rule sees the page as the previous one left
// it; a page that moved the time on holds the entry at it.
LogUpdate SelectAndRender(MonitorContext& context, std::vector<LogEntry> entries, const std::string& screenText,
                          SelectionOptions selectionOptions, std::int32_t lastDate) {
    MonitorState& state = context.state;
    const RenderOptions renderOptions = ReadRenderOptions(context.dialog);
    const std::string missedLine =
        MissedEntriesLine(entries, lastDate, state.pageHeldLastDate, renderOptions.dateFormat);
    const bool heldLastDate = HoldsEntryUpTo(entries, lastDate);
    const auto selection = SelectNewEntries(std::move(entries), screenText, selectionOptions, lastDate);
    state.lastDate = selection.lastDate;
    state.pageHeldLastDate = heldLastDate || selection.lastDate != lastDate;

    LogUpdate update = RenderLogUpdate(selection.entries, renderOptions);
    update.opensWithMissedEntries = !missedLine.empty();
    update.displayText.insert(0, missedLine);
    update.fileText.insert(0, missedLine);
    return update;
}
}  // namespace

void ProcessLogPage(MonitorContext& context, const std::string& page, IntrusionAlerts& alerts) {
    const std::string screenText = ReadLogScreen(context);
    const SelectionOptions selectionOptions = ReadSelectionOptions(context.dialog);
    const std::int32_t lastDate =
        ApplyLastDateReset(screenText, selectionOptions.rememberDate, context.state.lastDate);
    context.state.lastDate = lastDate;

    if (IsAuthorizationRequired(page)) {
        ShowAuthorizationFailure(context);
        return;
    }
    context.app.wanType.Set(ExtractWanType(page));

    const LogUpdate update = SelectAndRender(context, ScanLogEntries(page, context.state.referenceTime), screenText,
                                             selectionOptions, lastDate);
    if (!update.displayText.empty()) {
        PublishLogUpdate(context, update, screenText, alerts);
    } else if (screenText.empty()) {
        context.dialog.SetText(IDC_LOG_SCREEN, EmptyLogNotice);
    }
}
