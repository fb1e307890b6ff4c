#include "sim_settings.h"

namespace {

SimLogEntry Timed(SimClock::time_point now, long ageMs, std::string text) {
    return {true, now - std::chrono::milliseconds(ageMs), std::move(text)};
}

SimLogEntry Untimed(std::string text) { return {false, {}, std::move(text)}; }

}  // namespace

SimSettings DefaultSimSettings(SimClock::time_point now) {
    SimSettings settings;
    settings.log = {
        Timed(now, 7260000, "PPPoE start to dial-up"),
        Timed(now, 7255000, "PPPoE connection established, IP 203.0.113.45"),
        Timed(now, 7200000, "DHCP:discover()"),
        Timed(now, 7199000, "DHCP:ack(DOL=1800,T1=900,T2=1200)"),
        Untimed("Sync time with time server 192.0.2.123"),
        Timed(now, 3600000, "192.168.123.100 login successful"),
        Timed(now, 1800000, "Unrecognized access from 207.71.92.221:137 to UDP port 137"),
        Timed(now, 900000, "DHCP:request(192.168.123.101)"),
        Timed(now, 899000, "DHCP:ack(DOL=1800,T1=900,T2=1200)"),
        Timed(now, 120000, "Unrecognized access from 198.51.100.77:4123 to TCP port 27374"),
    };
    return settings;
}
