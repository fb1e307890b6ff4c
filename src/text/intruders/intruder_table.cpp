#include "intruders/intruder_table.h"

#include <algorithm>
#include <tuple>

namespace {
// Shorter digit strings are smaller numbers; the text decides between equals.
auto PortKey(const std::string& port) {
    return std::make_tuple(port.size(), std::string_view(port));
}

int DayKey(const LocalStamp& stamp) { return stamp.year * 10000 + stamp.month * 100 + stamp.day; }

// <0, 0 or >0 as a sorts before, with or after b in the column.
int CompareIn(IntruderColumn column, const IntruderView& a, const IntruderView& b) {
    const auto order = [](const auto& x, const auto& y) { return x < y ? -1 : (y < x ? 1 : 0); };
    switch (column) {
        case IntruderColumn::Address: return order(a.address, b.address);
        case IntruderColumn::Attempts: return order(a.attempts, b.attempts);
        case IntruderColumn::FirstSeen: return order(a.firstSeen, b.firstSeen);
        case IntruderColumn::LastSeen: return order(a.lastSeen, b.lastSeen);
        case IntruderColumn::Protocol: return order(a.protocol, b.protocol);
        case IntruderColumn::Port: return order(PortKey(a.port), PortKey(b.port));
        case IntruderColumn::LastDay: return order(a.recent.lastDay, b.recent.lastDay);
        case IntruderColumn::LastWeek: return order(a.recent.lastWeek, b.recent.lastWeek);
        case IntruderColumn::LastMonth: return order(a.recent.lastMonth, b.recent.lastMonth);
        case IntruderColumn::Ignored: return order(a.ignored, b.ignored);
    }
    return 0;
}
}  // namespace

void IntruderTable::Add(const IntrusionReport& report, std::optional<LocalStamp> seen) {
    if (seen && !recentAttempts_.IsNew(report, *seen)) return;
    auto place = rows_.find(report.address);
    if (place != rows_.end()) {
        recency_.splice(recency_.begin(), recency_, place->second.recency);
    } else {
        if (rows_.size() == kMaxIntruderAddresses) {
            rows_.erase(recency_.back());
            recency_.pop_back();
            ++droppedAddresses_;
        }
        recency_.push_front(report.address);
        place = rows_.emplace(report.address, Entry{IntruderRow{}, AttemptHistory{}, recency_.begin()}).first;
    }
    IntruderRow& row = place->second.row;
    row.address = report.address;
    ++row.attempts;
    if (seen) {
        if (!row.firstSeen) row.firstSeen = seen;
        row.lastSeen = seen;
        ++attemptsPerDay_[DayKey(*seen)];
        if (const auto when = clock_.FromStamp(*seen)) place->second.history.Add(*when);
    }
    row.protocol = report.protocol;
    row.port = report.port;
}

std::size_t IntruderTable::AddressCount() const {
    return rows_.size();
}

std::uint64_t IntruderTable::DroppedAddressCount() const {
    return droppedAddresses_;
}

std::uint64_t IntruderTable::AttemptsOnDay(const LocalStamp& day) const {
    const auto found = attemptsPerDay_.find(DayKey(day));
    return found == attemptsPerDay_.end() ? 0 : found->second;
}

std::vector<IntruderView> IntruderTable::SortedRows(IntruderColumn column, bool descending, const LocalMoment& now,
                                                   const IgnoreList& ignored) const {
    std::vector<IntruderView> rows;
    rows.reserve(rows_.size());
    for (const auto& [address, entry] : rows_) {
        rows.push_back({entry.row, entry.history.CountsAt(now), ignored.Ignores(address)});
    }
    std::sort(rows.begin(), rows.end(), [&](const IntruderView& a, const IntruderView& b) {
        const int order = CompareIn(column, a, b);
        if (order != 0) return descending ? order > 0 : order < 0;
        return a.address < b.address;
    });
    return rows;
}

DayCounts IntruderTable::AttemptsPerDay(const LocalMoment& now, std::optional<std::uint32_t> address) const {
    DayCounts counts{};
    if (!address) {
        for (const auto& entry : rows_) entry.second.history.AddDayCounts(counts, now);
    } else if (const auto place = rows_.find(*address); place != rows_.end()) {
        place->second.history.AddDayCounts(counts, now);
    }
    return counts;
}

std::size_t IntruderTable::HistoryBytes() const {
    std::size_t bytes = 0;
    for (const auto& entry : rows_) bytes += sizeof(AttemptHistory) + entry.second.history.HeapBytes();
    return bytes;
}
