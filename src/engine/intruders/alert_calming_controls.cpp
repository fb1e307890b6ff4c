#include "intruders/alert_calming_controls.h"

#include <vector>

#include "intruders/intrusion_report.h"
#include "resource_ids.h"
#include "text_trim.h"

namespace {
constexpr char kNotAnAddressText[] =
    " is no address or block of addresses.\r\nType one address, such as 203.0.113.7, or a block, such as "
    "203.0.113.0/24.";
constexpr char kListFullText[] = "The list of ignored addresses is full.";
constexpr char kWatchAgainStart[] = "Watching ";
constexpr char kWatchAgainMiddle[] = " again takes ";
constexpr char kWatchAgainEnd[] =
    " off the list of ignored addresses: every address there alerts again.\r\nWatch them again?";
constexpr char kEntrySeparator[] = ", ";

std::string WatchAgainQuestion(const std::string& address, const std::vector<std::string>& entries) {
    std::string text = kWatchAgainStart + address + kWatchAgainMiddle;
    for (std::size_t i = 0; i < entries.size(); ++i) text += (i > 0 ? kEntrySeparator : "") + entries[i];
    return text + kWatchAgainEnd;
}
}  // namespace

void AlertCalmingControls::Show(const Options& options) {
    const bool quiet = options.quietRepeatMinutes != kQuietRepeatOff;
    if (quiet) minutes_ = options.quietRepeatMinutes;
    dialog_.SetChecked(IDC_INTRUDERS_QUIET, quiet);
    dialog_.SetText(IDC_INTRUDERS_QUIET_MINUTES, std::to_string(minutes_));
    ShowIgnored(options);
}

void AlertCalmingControls::ShowIgnored(const Options& options) {
    window_.ShowIgnoredEntries(options.ignoredAddresses.Entries());
}

bool AlertCalmingControls::Add(const std::string& entry, Options& options) {
    if (options.ignoredAddresses.Size() >= kMaxIgnoredEntries) {
        dialog_.ShowMessage(kListFullText, MessageButtons::Ok);
        return false;
    }
    if (!options.ignoredAddresses.Add(entry)) {
        dialog_.ShowMessage('"' + entry + '"' + kNotAnAddressText, MessageButtons::Ok);
        return false;
    }
    ShowIgnored(options);
    return true;
}

bool AlertCalmingControls::AddTypedEntry(Options& options) {
    const std::string typed = dialog_.GetText(IDC_INTRUDERS_IGNORE_BOX);
    if (TrimWhiteSpace(typed).empty() || !Add(typed, options)) return false;
    dialog_.SetText(IDC_INTRUDERS_IGNORE_BOX, "");
    return true;
}

bool AlertCalmingControls::RemoveSelectedEntry(Options& options) {
    if (!options.ignoredAddresses.Remove(window_.SelectedIgnoredEntry())) return false;
    ShowIgnored(options);
    return true;
}

bool AlertCalmingControls::ToggleAddress(std::uint32_t address, Options& options) {
    const std::string own = AddressText(address);
    const std::vector<std::string> covering = options.ignoredAddresses.Covering(address);
    if (covering.empty()) return Add(own, options);
    if (covering != std::vector<std::string>{own} &&
        dialog_.ShowMessage(WatchAgainQuestion(own, covering), MessageButtons::YesNo) != MessageAnswer::Yes) {
        return false;
    }
    for (const std::string& entry : covering) options.ignoredAddresses.Remove(entry);
    ShowIgnored(options);
    return true;
}

void AlertCalmingControls::TakeQuietChange(int controlId, ControlEvent event, Options& options) {
    const bool changed = (controlId == IDC_INTRUDERS_QUIET && event == ControlEvent::Clicked) ||
                         (controlId == IDC_INTRUDERS_QUIET_MINUTES && event == ControlEvent::TextChanged);
    if (!changed) return;
    // A box being typed in keeps the last number it held.
    if (const auto typed = QuietRepeatMinutesFromText(dialog_.GetText(IDC_INTRUDERS_QUIET_MINUTES))) minutes_ = *typed;
    options.quietRepeatMinutes = dialog_.IsChecked(IDC_INTRUDERS_QUIET) ? minutes_ : kQuietRepeatOff;
}
