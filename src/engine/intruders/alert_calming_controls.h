#pragma once
#include <cstdint>
#include <string>

#include "dialog_port.h"
#include "intruders_window_port.h"
#include "options/option_controls.h"
#include "options/options.h"

// The Intruders window's controls that calm the alerts: the list of the
// addresses left alone, the box and buttons that add and remove one, and
// "Alert once per address every N minutes". They change the options they
// are handed. GUI thread.
class AlertCalmingControls {
public:
    AlertCalmingControls(DialogPort& dialog, IntrudersWindowPort& window) : dialog_(dialog), window_(window) {}

    // Every control shows its option (when the window opens).
    void Show(const Options& options);
    // The three below return true when the list of ignored addresses changed.
    bool AddTypedEntry(Options& options);
    bool RemoveSelectedEntry(Options& options);
    // "Ignore" on a watched address, "Watch again" on an ignored one: the
    // latter removes every entry that holds it, after asking when that
    // leaves other addresses too.
    bool ToggleAddress(std::uint32_t address, Options& options);
    // The check box or the minutes box reported a change.
    void TakeQuietChange(int controlId, ControlEvent event, Options& options);

private:
    bool Add(const std::string& entry, Options& options);
    void ShowIgnored(const Options& options);

    DialogPort& dialog_;
    IntrudersWindowPort& window_;
    // What the minutes box offers, kept while the option is off.
    std::uint32_t minutes_ = kDefaultQuietRepeatMinutes;
};
