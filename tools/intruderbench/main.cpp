// Writes large router.log files, reads each through the file port into the
// intruder table in a process of its own, and prints time and peak memory:
// with the same addresses, memory must not follow the file's size. The
// table keeps when each address's attempts came: the memory of those
// histories, and the time to sort every row by its 30-day count and to sum
// the chart of all addresses, as the window does at each poll.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <sys/resource.h>

#include "intruders/router_log_intruder_reader.h"
#include "local_files.h"
#include "logpage/broken_down_time.h"

namespace {
constexpr std::size_t kAddresses = 50000;
constexpr std::size_t kIntrusionEvery = 5;
constexpr std::uint32_t kFirstAddress = 0xC6120000;  // 198.18.0.0, the benchmarking range
constexpr std::int32_t kFirstTime = 1767225600;      // 2026-01-01 00:00:00 UTC
constexpr std::int32_t kSecondsApart = 3;
constexpr std::size_t kBlockBytes = 1 << 20;
constexpr double kMegabyte = 1e6;
constexpr double kMaxSecondsLargest = 1.0;
constexpr std::string_view kRouterLines[] = {"DHCP:discover()", "DHCP:request(192.168.123.101)",
                                            "192.168.123.100 login successful", "PPPoE start to dial-up"};

struct Measurement {
    std::size_t addresses = 0;
    unsigned long long attempts = 0;
    double seconds = 0;
    long peakKilobytes = 0;
    std::size_t historyBytes = 0;
    double viewSeconds = 0;
    unsigned long long lastMonth = 0;
};

// One line as the program logs a timed entry, in the long date form with GMT.
void AppendLine(std::string& out, std::size_t index) {
    const std::int32_t time = kFirstTime + static_cast<std::int32_t>(index) * kSecondsApart;
    if (const auto stamp = StampFromTime(time)) AppendStampText(out, *stamp, DateFormat::Long);
    out += " - ";
    if (index % kIntrusionEvery == 0) {
        const auto address = kFirstAddress + static_cast<std::uint32_t>(index / kIntrusionEvery % kAddresses);
        out += "Unrecognized access from " + AddressText(address) + ":" + std::to_string(1024 + index % 60000) +
               (index % 2 ? " to TCP port 27374" : " to UDP port 137");
    } else {
        out += kRouterLines[index % std::size(kRouterLines)];
    }
    if (const auto utc = ToUniversalTime(time)) AppendGmtSuffixText(out, *utc);
    out += "\r\n";
}

// The file's size in bytes, or nothing when it could not be written whole.
std::optional<std::size_t> WriteLog(LocalFiles& files, const std::string& path, std::size_t lines) {
    files.RemoveFile(path);
    std::string block;
    std::size_t written = 0;
    for (std::size_t i = 0; i < lines; ++i) {
        AppendLine(block, i);
        if (block.size() < kBlockBytes && i + 1 < lines) continue;
        if (files.AppendToFile(path, block) != block.size()) return std::nullopt;
        written += block.size();
        block.clear();
    }
    return written;
}

// The moment of the log's last line, as the window takes its counts at.
LocalMoment LastMoment(std::size_t lines) {
    LocalMomentConverter clock;
    const std::int64_t last = kFirstTime + static_cast<std::int64_t>(lines - 1) * kSecondsApart;
    return clock.FromUniversal(last).value_or(LocalMoment{last, last});
}

// Child mode: reads the file, prints "addresses attempts seconds peak-KiB
// history-bytes view-seconds attempts-in-30-days".
int MeasureOne(const std::string& path, std::size_t lines) {
    IntruderTable table;
    RouterLogIntruderReader reader(table);
    LocalFiles files;
    const auto start = std::chrono::steady_clock::now();
    const bool read = files.ReadFileInChunks(path, [&](std::string_view chunk) {
        reader.Feed(chunk);
        return true;
    }).outcome == FileReadResult::Outcome::Read;
    reader.Finish();
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);  // before the rows below are copied
    const LocalMoment now = LastMoment(lines);
    const auto viewStart = std::chrono::steady_clock::now();
    const auto rows = table.SortedRows(IntruderColumn::LastMonth, true, now);
    const DayCounts chart = table.AttemptsPerDay(now);
    const std::chrono::duration<double> viewed = std::chrono::steady_clock::now() - viewStart;
    unsigned long long attempts = 0, lastMonth = 0;
    for (const auto& row : rows) attempts += row.attempts;
    for (const auto count : chart) lastMonth += count;
    std::printf("%zu %llu %.6f %ld %zu %.6f %llu\n", table.AddressCount(), attempts, elapsed.count(), usage.ru_maxrss,
                table.HistoryBytes(), viewed.count(), lastMonth);
    return read ? 0 : 1;
}

std::optional<Measurement> MeasureInChild(const std::string& self, const std::string& path, std::size_t lines) {
    const auto command = "'" + self + "' measure '" + path + "' " + std::to_string(lines);
    std::FILE* child = popen(command.c_str(), "r");
    if (child == nullptr) return std::nullopt;
    Measurement m;
    const int fields = std::fscanf(child, "%zu %llu %lf %ld %zu %lf %llu", &m.addresses, &m.attempts, &m.seconds,
                                   &m.peakKilobytes, &m.historyBytes, &m.viewSeconds, &m.lastMonth);
    const int status = pclose(child);
    if (fields != 7 || status != 0) return std::nullopt;
    return m;
}

// Writes, measures and removes one file; the time of the read, or nothing.
std::optional<double> RunOne(const std::string& self, const std::string& path, std::size_t lines) {
    LocalFiles files;
    const auto bytes = WriteLog(files, path, lines);
    const auto result = bytes ? MeasureInChild(self, path, lines) : std::nullopt;
    files.RemoveFile(path);
    if (!result) {
        std::printf("%zu lines: failed\n", lines);
        return std::nullopt;
    }
    std::printf("%6.1f MB  %8zu lines  %6zu addresses  %7llu attempts  %7.3f s  %6.1f MB/s  peak RSS %6.1f MiB\n",
                static_cast<double>(*bytes) / kMegabyte, lines, result->addresses, result->attempts, result->seconds,
                static_cast<double>(*bytes) / kMegabyte / result->seconds,
                static_cast<double>(result->peakKilobytes) / 1024.0);
    std::printf("          attempt histories %.1f MB (%.1f bytes per address); rows sorted by their 30-day count and "
                "the chart of all addresses %.3f s (%llu attempts in the last 30 days)\n",
                static_cast<double>(result->historyBytes) / kMegabyte,
                static_cast<double>(result->historyBytes) / static_cast<double>(result->addresses), result->viewSeconds,
                result->lastMonth);
    std::fflush(stdout);
    return result->seconds;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string_view(argv[1]) == "measure") return MeasureOne(argv[2], std::stoul(argv[3]));
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <empty folder for router.log>\n", argv[0]);
        return 2;
    }
    const std::string path = std::string(argv[1]) + "/router.log";
    std::printf("router.log through LocalFiles into the intruder table, wall time, file in the page cache\n");
    const auto large = RunOne(argv[0], path, 1000000);
    const auto half = RunOne(argv[0], path, 500000);
    const bool pass = large && half && *large <= kMaxSecondsLargest;
    std::printf("target: 1,000,000 lines in <= %.1f s: %s\n", kMaxSecondsLargest, pass ? "PASS" : "FAIL");
    return pass ? 0 : 1;
}
