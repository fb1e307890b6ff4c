#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <unordered_map>

// "Alert once per address every N minutes": stored as the registry value
// "quietRepeatMinutes" (REG_DWORD), 0 = off, the default.
inline constexpr std::uint32_t kQuietRepeatOff = 0;
inline constexpr std::uint32_t kMinQuietRepeatMinutes = 1;
inline constexpr std::uint32_t kMaxQuietRepeatMinutes = 1440;
// What the minutes box offers when the option is turned on.
inline constexpr std::uint32_t kDefaultQuietRepeatMinutes = 10;

// A stored value above the largest is read as the largest.
std::uint32_t QuietRepeatMinutesFromStored(std::uint32_t stored);
// The minutes box: digits alone, brought within 1-1440; nothing for a text
// that is no number (empty while the user types).
std::optional<std::uint32_t> QuietRepeatMinutesFromText(std::string_view text);

// Decides whether an update's attempts alert (sound, balloon, blinking,
// autofill, launch), one update at a time, in time order:
//
//   QuietRepeats quiet;                              // one for the program's run
//   if (quiet.Alerts(addresses, now, minutes)) ...raise the alerts...
//
// With the option on, an update alerts when any of its addresses has not
// alerted in the last N minutes. A quiet period is N minutes long and ends
// before the instant N minutes after the alert: at exactly N minutes the
// address alerts again. When an update alerts, every address in it counts as
// alerted at that time (the alert covered them all), so a second address that
// came with a new one is quiet for the next N minutes too. A quiet update
// changes nothing: an address that keeps knocking alerts again N minutes
// after its last alert.
class QuietRepeats {
public:
    // Past this many addresses the oldest alert times are forgotten first: a
    // forgotten address alerts again, which errs on the loud side. (The
    // addresses of one update are all kept, however many.)
    static constexpr std::size_t kMaxRemembered = 4096;

    // `addresses`: the update's attempting addresses without the ignored ones
    // (repeats allowed); `now`: seconds; `minutes`: 0 (off: every update with
    // an address alerts) or 1-1440. An update without addresses never alerts.
    bool Alerts(std::span<const std::uint32_t> addresses, std::int64_t now, std::uint32_t minutes);
    std::size_t RememberedCount() const { return alertTimes_.size(); }

private:
    void Forget(std::int64_t now, std::int64_t quietSeconds);

    std::unordered_map<std::uint32_t, std::int64_t> alertTimes_;
};
