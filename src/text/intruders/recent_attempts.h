#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "intruders/intrusion_report.h"
#include "intruders/local_stamp.h"

// A cleared screen, a notice or a failed poll brings the router's whole log
// again, and with it into router.log: its attempts come a second time, later
// and with their own stamps. Between an attempt and its repeat lie at most
// the router's log twice over (the entries after it, then those before it in
// the log shown again); routers keep a few thousand entries.
inline constexpr std::size_t kRememberedAttempts = 32768;

// The last RememberedAttempts attempts with a known time, to tell a repeat
// from a new attempt in fixed memory (some 2 MB when full).
class RecentAttempts {
public:
    // False when an attempt of the same time, address, protocol and port is
    // among those remembered; a second either way is the same time, as a log
    // page's times, counted back from ages, move by a second between polls.
    // Either way the attempt is remembered as the newest, so a log shown
    // again and again keeps matching.
    bool IsNew(const IntrusionReport& report, const LocalStamp& seen);

private:
    struct Key {
        std::uint64_t stamp = 0;
        std::uint32_t address = 0;
        std::uint8_t protocolLength = 0;
        std::array<char, 2 * kMaxReportFieldLength> text{};  // protocol, then port
        bool operator==(const Key&) const = default;
    };

    // The key's hash rides along, so that probes seldom read the ring.
    struct IndexEntry {
        std::uint32_t slot = 0;  // ring slot + 1, 0 when free
        std::uint32_t hash = 0;
    };

    static std::optional<Key> KeyOf(const IntrusionReport& report, const LocalStamp& seen);
    bool IsKnown(const IntrusionReport& report, const LocalStamp& seen) const;
    static std::uint32_t Hash(const Key& key);
    // The index position that holds the key, or the free one where it would go.
    std::size_t Locate(const Key& key, std::uint32_t hash) const;
    void GrowIndex();
    // Takes the ring slot's key out of the index, unless a newer slot holds it.
    void Unindex(std::uint32_t slot);

    std::vector<Key> ring_;            // oldest overwritten first
    std::uint32_t next_ = 0;           // the slot the next attempt takes
    std::vector<IndexEntry> index_;    // open addressing
};
