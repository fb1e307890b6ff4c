#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "intruders/ignore_list.h"
#include "intruders/quiet_repeats.h"
#include "intruders_window_port.h"
#include "logpage/date_text.h"

inline constexpr std::uint16_t kDefaultSyslogPort = 514;

// A check box's state as the control holds it: 0 off, 1 on, and whatever
// else was stored, which is kept as it is.
using CheckState = unsigned;

inline bool IsOn(CheckState state) { return state != 0; }

// Every persisted option, the router password and the external program's
// path, as plain data. The GUI thread owns it: the main window's controls
// show it and their notifications update it; workers get copies.
struct Options {
    std::string routerAddress;
    std::string refreshRate;  // seconds, as typed: its leading digits count
    std::string routerPassword;
    // IDC_PASSWORD shows the mask: the stored password is the one in use.
    bool passwordMasked = true;
    std::string externalProgramPath;

    CheckState alert = 0;
    CheckState autoLaunchExternal = 0;
    CheckState autofill = 0;
    CheckState logGMT = 0;
    CheckState onlyIntrusion = 0;
    CheckState logToFile = 0;
    CheckState autoStart = 0;
    CheckState keepAnimation = 0;
    CheckState rememberDate = 0;
    CheckState launchAtStartup = 0;
    // None before the user or the stored options chose one (the first run).
    std::optional<DateFormat> dateFormat;

    bool popupOnIntrusion = true;
    bool popupOnTrouble = true;  // balloons when the router is lost and seen again
    std::optional<IntrudersWindowLayout> intrudersLayout;

    // The syslog receiver: on or off, its UDP and TCP port, and whether any
    // sender is heard or the router's address alone.
    bool syslogEnabled = false;
    std::uint16_t syslogPort = kDefaultSyslogPort;
    bool syslogAnySender = false;
    // Their intrusion attempts raise no alert.
    IgnoreList ignoredAddresses;
    // "Alert once per address every N minutes": N, or QuietRepeatOff.
    std::uint32_t quietRepeatMinutes = kQuietRepeatOff;
};

// With no date format chosen yet the log uses the long form.
inline DateFormat LogDateFormat(const Options& options) { return options.dateFormat.value_or(DateFormat::Long); }
