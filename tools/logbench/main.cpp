// Times the text side of one log update (scan, select, render) on large
// generated log pages, and checks the figures against their targets.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <time.h>
#include <utility>

#include "logpage/log_line_renderer.h"
#include "logpage/log_page_scanner.h"
#include "logpage/new_entry_selector.h"

namespace {
constexpr std::int32_t kReferenceTime = 1000000000;
constexpr std::size_t kMegabyte = 1024 * 1024;
constexpr int kRepeats = 9;
constexpr double kMaxMsPerMegabyte = 20.0;
constexpr double kMaxGrowth = 4.5;

enum class PageKind { Mixed, TimedOnly };

struct Measurement {
    std::size_t entries = 0;
    std::size_t selected = 0;
    double milliseconds = 0;
};

// Ages fall down the page, two seconds apart, so every timed entry is new.
std::string TimedCall(std::size_t index, std::size_t count, bool intrusion) {
    const auto age = std::to_string((count - index) * 2000);
    const auto host = std::to_string(index % 250 + 1);
    if (intrusion) {
        return "L2(" + age + ",' Unrecognized access from 198.51.100." + host + ":" +
               std::to_string(1024 + index % 60000) + " to TCP port 80');\n";
    }
    return "L2(" + age + ",' PPPoE link up, local address 203.0.113." + host + " granted');\n";
}

std::string UntimedCall(std::size_t index) {
    return "L1('    Dropped TCP 198.51.100." + std::to_string(index % 250 + 1) + " -> 203.0.113.9:139');\n";
}

// One call in five is an intrusion; a mixed page has two untimed lines in ten.
std::string BuildPage(std::size_t bytes, PageKind kind) {
    std::string page = "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\n<HTML><BODY>WAN Type: PPPoE<BR><BR><PRE>";
    page.reserve(bytes + 256);
    const std::size_t count = bytes / 40;  // more than the page can hold
    for (std::size_t i = 0; page.size() < bytes; ++i) {
        const bool untimed = kind == PageKind::Mixed && (i % 10 == 3 || i % 10 == 7);
        page += untimed ? UntimedCall(i) : TimedCall(i, count, i % 5 == 1);
    }
    page += "</PRE></BODY></HTML>";
    return page;
}

// A screen two thirds full of earlier lines, intrusions among them, so the
// bypass test has a real screen to search.
std::string BuildScreen() {
    std::string screen;
    for (int i = 0; screen.size() < 20000; ++i) {
        screen += "March 05, 2001, 09:05:07 AM - Unrecognized access from 192.0.2." + std::to_string(i % 250) +
                  ":2001 to UDP port 137\r\n";
        screen += "March 05, 2001, 09:05:09 AM - PPPoE link up\r\n";
    }
    return screen;
}

// CPU time of this process: the machine may be busy with other work, and
// waiting for a core is not the update's cost.
double CpuMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

Measurement Measure(const std::string& page, const std::string& screen) {
    Measurement best;
    best.milliseconds = 1e30;
    for (int run = 0; run < kRepeats; ++run) {
        const double start = CpuMilliseconds();
        auto entries = ScanLogEntries(page, kReferenceTime);
        const auto scanned = entries.size();
        const auto selection = SelectNewEntries(std::move(entries), screen, {}, 0);
        const auto update = RenderLogLines(selection.entries, {DateFormat::Windows, true});
        const double elapsed = CpuMilliseconds() - start;
        if (update.displayText.empty()) std::puts("nothing rendered");
        best.entries = scanned;
        best.selected = selection.entries.size();
        best.milliseconds = std::min(best.milliseconds, elapsed);
    }
    return best;
}

// Child mode: one page kind and size, printed as "entries selected ms".
int MeasureOne(std::string_view kindName, std::size_t megabytes) {
    const auto kind = kindName == "mixed" ? PageKind::Mixed : PageKind::TimedOnly;
    const auto result = Measure(BuildPage(megabytes * kMegabyte, kind), BuildScreen());
    std::printf("%zu %zu %.3f\n", result.entries, result.selected, result.milliseconds);
    return 0;
}

// Each size runs in a process of its own, so that none inherits a heap
// that an earlier, larger page has already grown and paged in.
std::optional<Measurement> MeasureInChild(const std::string& self, const char* kindName, std::size_t megabytes) {
    const auto command = "'" + self + "' measure " + kindName + " " + std::to_string(megabytes);
    std::FILE* child = popen(command.c_str(), "r");
    if (child == nullptr) return std::nullopt;
    Measurement result;
    const int fields = std::fscanf(child, "%zu %zu %lf", &result.entries, &result.selected, &result.milliseconds);
    const int status = pclose(child);
    if (fields != 3 || status != 0) return std::nullopt;
    return result;
}

// Measures one kind of page at 1, 2 and 4 MB; true when it meets the targets.
bool RunSeries(const std::string& self, const char* kindName) {
    double oneMegabyte = 0;
    double fourMegabytes = 0;
    bool fastEnough = true;
    for (std::size_t megabytes : {1u, 2u, 4u}) {
        const auto result = MeasureInChild(self, kindName, megabytes);
        if (!result) {
            std::printf("%-7s %zu MB  measurement failed\n", kindName, megabytes);
            return false;
        }
        const double perMegabyte = result->milliseconds / static_cast<double>(megabytes);
        std::printf("%-7s %zu MB  %7zu entries  %7zu selected  %8.2f ms  %6.2f ms/MB\n", kindName, megabytes,
                    result->entries, result->selected, result->milliseconds, perMegabyte);
        std::fflush(stdout);
        fastEnough = fastEnough && perMegabyte <= kMaxMsPerMegabyte;
        if (megabytes == 1) oneMegabyte = result->milliseconds;
        if (megabytes == 4) fourMegabytes = result->milliseconds;
    }
    const double growth = fourMegabytes / oneMegabyte;
    std::printf("%-7s 4 MB / 1 MB = %.2f\n", kindName, growth);
    return fastEnough && growth <= kMaxGrowth;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string_view(argv[1]) == "measure") {
        return MeasureOne(argv[2], static_cast<std::size_t>(std::strtoul(argv[3], nullptr, 10)));
    }
    std::printf("scan + select + render, CPU time, best of %d runs; targets: <= %.0f ms/MB, 4 MB <= %.1f x 1 MB\n",
                kRepeats, kMaxMsPerMegabyte, kMaxGrowth);
    const std::string self = argv[0];
    const bool mixed = RunSeries(self, "mixed");
    const bool timedOnly = RunSeries(self, "L2only");
    const bool met = mixed && timedOnly;
    std::printf("targets %s\n", met ? "met" : "MISSED");
    return met ? 0 : 1;
}
