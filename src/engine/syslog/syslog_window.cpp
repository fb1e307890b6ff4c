#include "syslog/syslog_window.h"

#include <cstdint>
#include <string>

#include "resource_ids.h"
#include "syslog/syslog_status_text.h"

namespace {
constexpr char kInvalidPortText[] = "Choose a port from 1 to 65535";

// The port box takes digits only (ES_NUMBER); nothing when it is empty or out of range.
std::optional<std::uint16_t> PortOf(const std::string& text) {
    if (text.empty() || text.size() > 5) return std::nullopt;
    const unsigned long port = std::stoul(text);
    if (port < 1 || port > 65535) return std::nullopt;
    return static_cast<std::uint16_t>(port);
}
}  // namespace

SyslogWindowController::SyslogWindowController(DialogPort& dialog, WindowPort& window, SystemPort& system,
                                               Options& options, SyslogSource& source)
    : dialog_(dialog), window_(window), system_(system), options_(options), source_(source) {}

void SyslogWindowController::Open() {
    if (!window_.Exists()) return;
    ShowOptions();
    ShowStatus();
    window_.Show(true);
    system_.StartTimer(SYSLOG_STATUS_TIMER_ID, SYSLOG_STATUS_PERIOD_MS);
}

void SyslogWindowController::Close() {
    system_.KillTimer(SYSLOG_STATUS_TIMER_ID);
    if (window_.Exists()) window_.Hide();
}

void SyslogWindowController::ShowOptions() {
    showing_ = true;
    dialog_.SetChecked(IDC_SYSLOG_ENABLED, options_.syslogEnabled);
    dialog_.SetText(IDC_SYSLOG_PORT, std::to_string(options_.syslogPort));
    dialog_.SetChecked(IDC_SYSLOG_ROUTER_ONLY, !options_.syslogAnySender);
    dialog_.SetChecked(IDC_SYSLOG_ANY_SENDER, options_.syslogAnySender);
    portInvalid_ = false;
    showing_ = false;
}

void SyslogWindowController::OnCommand(int controlId, ControlEvent event) {
    if (showing_) return;
    if (event == ControlEvent::TextChanged && controlId == IDC_SYSLOG_PORT) {
        TakePort();
    } else if (event != ControlEvent::Clicked) {
        return;
    } else if (controlId == IDC_SYSLOG_ENABLED) {
        options_.syslogEnabled = dialog_.IsChecked(IDC_SYSLOG_ENABLED);
        source_.Apply();
    } else if (controlId == IDC_SYSLOG_ROUTER_ONLY || controlId == IDC_SYSLOG_ANY_SENDER) {
        options_.syslogAnySender = dialog_.IsChecked(IDC_SYSLOG_ANY_SENDER);
        source_.ApplySenderRule();
    } else if (controlId == kHideCommand || controlId == kCancelCommand) {
        Close();
        return;
    }
    ShowStatus();
}

void SyslogWindowController::TakePort() {
    const auto port = PortOf(dialog_.GetText(IDC_SYSLOG_PORT));
    portInvalid_ = !port;
    if (!port) return;
    options_.syslogPort = *port;
    source_.Apply();
}

void SyslogWindowController::OnStatusTimer() { ShowStatus(); }

void SyslogWindowController::ShowStatus() {
    if (portInvalid_) {
        dialog_.SetText(IDC_SYSLOG_STATUS, kInvalidPortText);
        return;
    }
    const SyslogStatus status = source_.Status();
    SyslogStatusFacts facts;
    facts.enabled = options_.syslogEnabled;
    facts.listening = status.listening;
    facts.port = status.listening ? status.port : options_.syslogPort;
    facts.messages = status.messages;
    facts.refused = status.refused;
    if (!status.listening && status.errorCode != 0) facts.failure = system_.SystemMessageText(status.errorCode);
    dialog_.SetText(IDC_SYSLOG_STATUS, SyslogStatusText(facts));
}
