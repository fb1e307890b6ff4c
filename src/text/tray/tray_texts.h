#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "tray/watch_tracker.h"

// The tray icon's tip holds 127 characters (the newer icon record's 128
// with the terminator); a balloon's text 255, its title 63.
inline constexpr std::size_t kMaxTrayTipLength = 127;
inline constexpr std::size_t kMaxBalloonTextLength = 255;

inline constexpr std::string_view kWatchBalloonTitle = "Vorlane";
inline constexpr std::string_view kFirstRunBalloonText =
    "Vorlane is running here. Double-click this icon to set your router's address and password.";
inline constexpr std::string_view kRouterAgainBalloonText = "Vorlane sees the router again.";

// The tip for the report, e.g.
//   "Vorlane: watching 192.168.1.1 (last poll 14:03)"
//   "Vorlane: cannot reach 192.168.1.1 since 13:58"
//   "Vorlane: the router refuses the password"
//   "Vorlane: not watching (session stopped)"
// then "; 3 intrusion attempts today" when there are any. Times are HH:MM
// in local time, left out where the platform cannot convert them. A router
// address too long for the limit gives way: it is cut and ends in "...", so
// the state and the day's attempts always show.
std::string TrayTipText(const WatchReport& report, std::string_view routerAddress, std::uint64_t attemptsToday);

// "Vorlane cannot reach the router at 192.168.1.1: it does not answer", for
// WatchBalloon::LostRouter; the reason follows the report.
std::string LostRouterBalloonText(const WatchReport& report, std::string_view routerAddress);
