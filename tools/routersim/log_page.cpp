#include "log_page.h"

#include <chrono>

namespace {

constexpr const char* kPageHead =
    "<HTML><HEAD><TITLE>System Log</TITLE>\n"
    "<SCRIPT LANGUAGE=\"JavaScript\">\n"
    "var now=new Date().getTime();\n"
    "function L1(s){document.writeln(s);}\n"
    "function L2(a,s){var d=new Date(now-a);document.writeln(d.toLocaleString()+s);}\n"
    "</SCRIPT></HEAD>\n<BODY BGCOLOR=#FFFFFF>\n<B>System Log</B><BR>\n";
constexpr const char* kPageTail = "</SCRIPT>\n</PRE>\n<FORM><INPUT TYPE=BUTTON VALUE=\"Refresh\"></FORM></BODY></HTML>\n";

long long AgeMs(SimClock::time_point when, SimClock::time_point now) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(now - when).count();
}

// Messages of the kind this router family logs, varied by a counter.
std::string FillerMessage(unsigned long long n) {
    switch (n % 4) {
    case 0:
        return "Unrecognized access from 198.51.100." + std::to_string(n % 250 + 1) + ":" +
               std::to_string(1024 + n % 60000) + " to TCP port " + std::to_string(n % 2 ? 1080 : 27374);
    case 1:
        return "Unrecognized access from 207.71.92.221:137 to UDP port 137";
    case 2:
        return "DHCP:ack(DOL=1800,T1=900,T2=1200)";
    default:
        return "192.168.123." + std::to_string(100 + n % 50) + " login successful";
    }
}

constexpr long long kDayMs = 86400000;

}  // namespace

std::string RenderLogCall(const SimLogEntry& entry, SimClock::time_point now) {
    if (!entry.timed) return "L1('" + entry.text + "');\n";
    return "L2(" + std::to_string(AgeMs(entry.when, now)) + ",' " + entry.text + "');\n";
}

std::string RenderLogPage(const std::vector<SimLogEntry>& log, const std::string& wanType, SimClock::time_point now) {
    std::string page = kPageHead;
    page += "WAN Type: " + wanType + "<BR>\n";
    page += kLogCallsStart;
    for (const SimLogEntry& entry : log) page += RenderLogCall(entry, now);
    page += kPageTail;
    return page;
}

void FillLog(std::vector<SimLogEntry>& log, const std::string& wanType, std::size_t bytes, SimClock::time_point now) {
    std::size_t size = RenderLogPage(log, wanType, now).size();
    const std::size_t first = log.size();
    for (unsigned n = 0; size < bytes; ++n) {
        SimLogEntry entry{true, now - std::chrono::seconds(kDayMs / 1000), FillerMessage(n)};
        size += RenderLogCall(entry, now).size();
        log.push_back(std::move(entry));
    }
    // One a second, oldest first, the newest now (so the page comes out a
    // little larger than asked where ages grow a digit).
    const auto count = static_cast<long long>(log.size() - first);
    for (long long i = 0; i < count; ++i) log[first + i].when = now - std::chrono::seconds(count - 1 - i);
}

std::string FillerCalls(unsigned long long& next, std::size_t bytes) {
    std::string calls;
    const SimClock::time_point now = SimClock::now();
    for (; calls.size() < bytes; ++next) {
        const auto age = std::chrono::milliseconds(kDayMs - static_cast<long long>(next % kDayMs));
        calls += RenderLogCall({true, now - age, FillerMessage(next)}, now);
    }
    return calls;
}
