#include "intruders/recent_attempts.h"

#include <algorithm>
#include <cstring>

namespace {
// Half full at most, so that probes stay short; it grows with the ring, as
// most tables never fill it.
constexpr std::size_t kFirstIndexSize = 64;

// The stamp's fields side by side; nothing when one is beyond the bits it
// gets, which no date text gives.
std::optional<std::uint64_t> PackedStamp(const LocalStamp& stamp) {
    const std::pair<int, int> fields[] = {{stamp.year, 16}, {stamp.month, 4},  {stamp.day, 5},
                                          {stamp.hour, 5},  {stamp.minute, 6}, {stamp.second, 6}};
    std::uint64_t packed = 0;
    for (const auto& [value, bits] : fields) {
        if (value < 0 || value >= 1 << bits) return std::nullopt;
        packed = packed << bits | static_cast<std::uint64_t>(value);
    }
    return packed;
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[(month - 1) % 12];
}

// The stamp a second later (step 1) or earlier (step -1), carried into the
// minute, hour, day, month and year.
LocalStamp SecondAway(LocalStamp stamp, int step) {
    if (stamp.month < 1 || stamp.month > 12) return stamp;
    int* fields[] = {&stamp.second, &stamp.minute, &stamp.hour};
    const int limits[] = {60, 60, 24};
    for (std::size_t i = 0; i < 3; ++i) {
        *fields[i] += step;
        if (*fields[i] >= 0 && *fields[i] < limits[i]) return stamp;
        *fields[i] = step > 0 ? 0 : limits[i] - 1;
    }
    stamp.day += step;
    if (stamp.day < 1) {
        if (--stamp.month < 1) {
            stamp.month = 12;
            --stamp.year;
        }
        stamp.day = DaysInMonth(stamp.year, stamp.month);
    } else if (stamp.day > DaysInMonth(stamp.year, stamp.month)) {
        stamp.day = 1;
        if (++stamp.month > 12) {
            stamp.month = 1;
            ++stamp.year;
        }
    }
    return stamp;
}

// Every bit of the input moves about half the bits of the result.
std::uint64_t Mixed(std::uint64_t x) {
    x = (x ^ x >> 33) * 0xFF51AFD7ED558CCDu;
    x = (x ^ x >> 33) * 0xC4CEB9FE1A85EC53u;
    return x ^ x >> 33;
}
}  // namespace

std::optional<RecentAttempts::Key> RecentAttempts::KeyOf(const IntrusionReport& report, const LocalStamp& seen) {
    const auto stamp = PackedStamp(seen);
    if (!stamp || report.protocol.size() > kMaxReportFieldLength || report.port.size() > kMaxReportFieldLength) {
        return std::nullopt;
    }
    Key key;
    key.stamp = *stamp;
    key.address = report.address;
    key.protocolLength = static_cast<std::uint8_t>(report.protocol.size());
    const auto portStart = std::copy(report.protocol.begin(), report.protocol.end(), key.text.begin());
    std::copy(report.port.begin(), report.port.end(), portStart);
    return key;
}

bool RecentAttempts::IsKnown(const IntrusionReport& report, const LocalStamp& seen) const {
    const auto key = KeyOf(report, seen);
    return key && !index_.empty() && index_[Locate(*key, Hash(*key))].slot != 0;
}

std::uint32_t RecentAttempts::Hash(const Key& key) {
    std::array<std::uint64_t, 4> words{};
    std::memcpy(words.data(), key.text.data(), key.text.size());
    std::uint64_t hash = key.stamp ^ (std::uint64_t{key.address} << 8 | key.protocolLength) << 24;
    for (const std::uint64_t word : words) hash = Mixed(hash ^ word);
    return static_cast<std::uint32_t>(hash);
}

std::size_t RecentAttempts::Locate(const Key& key, std::uint32_t hash) const {
    const std::size_t mask = index_.size() - 1;
    std::size_t at = hash & mask;
    while (index_[at].slot != 0 && !(index_[at].hash == hash && ring_[index_[at].slot - 1] == key)) {
        at = (at + 1) & mask;
    }
    return at;
}

void RecentAttempts::GrowIndex() {
    std::vector<IndexEntry> old(std::max(kFirstIndexSize, 2 * index_.size()));
    old.swap(index_);
    const std::size_t mask = index_.size() - 1;
    for (const IndexEntry& entry : old) {
        if (entry.slot == 0) continue;
        std::size_t at = entry.hash & mask;
        while (index_[at].slot != 0) at = (at + 1) & mask;
        index_[at] = entry;
    }
}

void RecentAttempts::Unindex(std::uint32_t slot) {
    std::size_t hole = Locate(ring_[slot], Hash(ring_[slot]));
    if (index_[hole].slot != slot + 1) return;
    // Close the gap: a later entry of the probe moves back unless its home
    // lies between the gap and itself.
    const std::size_t mask = index_.size() - 1;
    for (std::size_t at = (hole + 1) & mask; index_[at].slot != 0; at = (at + 1) & mask) {
        const std::size_t home = index_[at].hash & mask;
        if (((at - home) & mask) >= ((at - hole) & mask)) {
            index_[hole] = index_[at];
            hole = at;
        }
    }
    index_[hole] = {};
}

bool RecentAttempts::IsNew(const IntrusionReport& report, const LocalStamp& seen) {
    const auto key = KeyOf(report, seen);
    if (!key) return true;
    const bool full = ring_.size() == kRememberedAttempts;
    if (full) {
        Unindex(next_);
    } else if (2 * (ring_.size() + 1) > index_.size()) {
        GrowIndex();
    }
    const std::uint32_t hash = Hash(*key);
    const std::size_t at = Locate(*key, hash);
    const bool known = index_[at].slot != 0 || IsKnown(report, SecondAway(seen, -1)) || IsKnown(report, SecondAway(seen, 1));
    if (full) {
        ring_[next_] = *key;
    } else {
        ring_.push_back(*key);
    }
    index_[at] = {next_ + 1, hash};
    next_ = static_cast<std::uint32_t>((next_ + 1) % kRememberedAttempts);
    return !known;
}
