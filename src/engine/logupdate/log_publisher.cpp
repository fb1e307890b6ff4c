#include "logupdate/log_publisher.h"

#include <string_view>

#include "logpage/intrusion_marker.h"
#include "logupdate/log_file_append.h"
#include "notice_text.h"
#include "resource_ids.h"

namespace {
// Enough to bring the newest line into view on any screen.
constexpr int ScrollToEndLines = 999999;

// A notice on the screen gives way to the first log lines; log lines stay.
void ShowOnLogScreen(MonitorContext& context, const std::string& displayText, const std::string& screenText) {
    const std::string_view base = IsNoticeText(screenText) ? std::string_view() : std::string_view(screenText);
    std::string text;
    text.reserve(base.size() + displayText.size());
    text += base;
    text += displayText;
    context.dialog.SetText(IDC_LOG_SCREEN, text);
    context.dialog.ScrollLines(IDC_LOG_SCREEN, ScrollToEndLines);
}
}  // namespace

void PublishLogUpdate(MonitorContext& context, const LogUpdate& update, const std::string& screenText,
                      IntrusionAlerts& alerts) {
    auto& dialog = context.dialog;
    const bool onlyIntrusion = dialog.IsChecked(IDC_ONLY_INTRUSION);
    const bool intrusionShown = ContainsIntrusionMarker(update.displayText);

    // Missed entries matter most to a user who watches only intrusions: the
    // line passes the filter, but alone it alerts and launches nothing.
    const bool passes = !onlyIntrusion || intrusionShown;
    const bool launch = passes && dialog.IsChecked(IDC_AUTO_LAUNCH);
    if (passes || update.opensWithMissedEntries) {
        ShowOnLogScreen(context, update.displayText, screenText);
        context.state.lastParagraph.Set(update.displayText);
    }
    if (intrusionShown) alerts.RaiseIntrusionAlerts(update.displayText);
    const bool fileTextPasses =
        !onlyIntrusion || ContainsIntrusionMarker(update.fileText) || update.opensWithMissedEntries;
    if (dialog.IsChecked(IDC_LOG_TO_FILE) && fileTextPasses) {
        AppendToLogFile(context.files, context.state.logFilePath, update.fileText, context.state.pendingLogText);
    }
    if (launch) alerts.LaunchExternalProgram();
}
