// Adds attempts, with the local times router.log gives back, to one attempt
// history per address, as the Intruders table will; then asks every address
// for its counts and sums the chart. Prints the times and the memory the
// histories take per address, for three kinds of traffic.
#include <chrono>
#include <cstdio>
#include <malloc.h>
#include <unordered_map>
#include <vector>

#include "intruders/attempt_history.h"

namespace {
constexpr std::uint32_t FirstAddress = 0xC6120000;  // 198.18.0.0, the benchmarking range
constexpr std::int64_t FirstTime = 1767225600;      // 2026-01-01 00:00:00 UTC
constexpr double MaxAddSeconds = 0.5;

struct Traffic {
    const char* name;
    std::size_t attempts;
    std::size_t addresses;      // taking turns
    std::int64_t secondsApart;  // between two attempts of the whole log
};

struct Attempt {
    std::uint32_t address;
    LocalStamp stamp;
};

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::size_t HeapInUse() {
    return mallinfo2().uordblks;
}

// True when adding stayed within the target.
bool Run(const Traffic& traffic) {
    std::vector<Attempt> attempts;
    attempts.reserve(traffic.attempts);
    for (std::size_t i = 0; i < traffic.attempts; ++i) {
        const auto time = FirstTime + static_cast<std::int64_t>(i) * traffic.secondsApart;
        const auto stamp = StampFromTime(static_cast<std::int32_t>(time));
        if (stamp) attempts.push_back({FirstAddress + static_cast<std::uint32_t>(i % traffic.addresses), *stamp});
    }

    const std::size_t heapBefore = HeapInUse();
    auto start = std::chrono::steady_clock::now();
    LocalMomentConverter clock;
    std::unordered_map<std::uint32_t, AttemptHistory> histories;
    histories.reserve(traffic.addresses);
    for (const auto& attempt : attempts) {
        if (const auto when = clock.FromStamp(attempt.stamp)) histories[attempt.address].Add(*when);
    }
    const double addSeconds = SecondsSince(start);
    const std::size_t heapGrowth = HeapInUse() - heapBefore;

    start = std::chrono::steady_clock::now();
    const auto now = clock.FromStamp(attempts.back().stamp);
    DayCounts chart{};
    std::uint64_t lastMonth = 0;
    std::size_t ownBytes = 0;
    for (const auto& [address, history] : histories) {
        lastMonth += history.CountsAt(*now).lastMonth;
        history.AddDayCounts(chart, *now);
        ownBytes += sizeof(AttemptHistory) + history.HeapBytes();
    }
    const double countSeconds = SecondsSince(start);

    const auto perAddress = [&](std::size_t bytes) { return static_cast<double>(bytes) / histories.size(); };
    std::printf("%s: %zu attempts of %zu addresses\n", traffic.name, attempts.size(), histories.size());
    std::printf("  add %.3f s; counts and chart of every address %.3f s (%llu attempts in the last 30 days)\n",
                addSeconds, countSeconds, static_cast<unsigned long long>(lastMonth));
    std::printf("  histories: %.1f bytes per address (%.1f MB); with the map's nodes and the allocator's "
                "rounding %.1f bytes per address (%.1f MB)\n",
                perAddress(ownBytes), ownBytes / 1e6, perAddress(heapGrowth), heapGrowth / 1e6);
    std::fflush(stdout);
    return addSeconds <= MaxAddSeconds * static_cast<double>(traffic.attempts) / 1e6;
}
}  // namespace

int main() {
    const Traffic kinds[] = {
        {"the 100 MB router.log above, 35 days", 200000, 50000, 15},
        {"35 days, each address every 30 hours", 1000000, 50000, 3},
        {"35 days, each address every 50 minutes (the most hours kept)", 1000000, 1000, 3},
    };
    bool pass = true;
    for (const auto& traffic : kinds) pass = Run(traffic) && pass;
    std::printf("target: 1,000,000 attempts added in <= %.1f s: %s\n", MaxAddSeconds, pass ? "PASS" : "FAIL");
    return pass ? 0 : 1;
}
