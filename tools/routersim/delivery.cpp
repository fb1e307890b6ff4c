#include "delivery.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <thread>
#include <unistd.h>

#include "connection_io.h"
#include "log_page.h"

namespace {

// Silent connections are let go after this, so stuck clients cannot pile up threads.
constexpr int kHoldLimitMs = 60000;
constexpr int kResetPauseMs = 300;
constexpr std::size_t kGarbageSize = 2048;
constexpr std::size_t kGeneratedChunkSize = 64 * 1024;

// The page with `bytes` of calls made chunk by chunk after its calls start;
// an answer without calls goes as it is.
void SendWithGeneratedCalls(int fd, const std::string& framed, unsigned long long bytes, SimState& state) {
    const auto callsAt = framed.find(kLogCallsStart);
    if (callsAt == std::string::npos) {
        SendAllBytes(fd, framed);
        return;
    }
    const auto split = callsAt + kLogCallsStart.size();
    state.StartGeneratedAnswer();
    GeneratedAnswer answer;
    bool open = SendAllBytes(fd, framed.substr(0, split));
    for (unsigned long long next = 0; open && answer.sentBytes < bytes;) {
        const auto size = std::min<unsigned long long>(kGeneratedChunkSize, bytes - answer.sentBytes);
        const std::string chunk = FillerCalls(next, static_cast<std::size_t>(size));
        open = SendAllBytes(fd, chunk);
        if (open) answer.sentBytes += chunk.size();
    }
    answer.whole = open && SendAllBytes(fd, framed.substr(split));
    state.EndGeneratedAnswer(answer);
}

}  // namespace

std::string GarbageBytes(std::size_t size) {
    std::string noise(size, '\0');
    std::uint32_t generator = 12345;
    for (char& byte : noise) {
        generator = generator * 1103515245u + 12345u;
        byte = static_cast<char>(generator >> 24);
    }
    return noise;
}

void DeliverPlainAnswer(int fd, const HttpResponse& answer) {
    SendAllBytes(fd, FrameResponse(answer, true));
    ::close(fd);
}

void DeliverRouterAnswer(int fd, const HttpResponse& answer, const SimSettings& settings, SimState& state) {
    // The generated calls would make a Content-Length false.
    std::string bytes = FrameResponse(answer, settings.contentLength && settings.mode != DeliveryMode::Huge);
    switch (settings.mode) {
    case DeliveryMode::KeepOpen:
        if (SendAllBytes(fd, bytes)) WaitForPeerClose(fd, kHoldLimitMs);
        break;
    case DeliveryMode::NoAnswer:
        WaitForPeerClose(fd, kHoldLimitMs);
        break;
    case DeliveryMode::Drip:
        SendDripping(fd, bytes, settings.dripIntervalMs);
        break;
    case DeliveryMode::Reset:
        SendAllBytes(fd, bytes.substr(0, bytes.size() / 2));
        // Let the first half arrive before the reset overtakes it.
        std::this_thread::sleep_for(std::chrono::milliseconds(kResetPauseMs));
        CloseWithReset(fd);
        return;
    case DeliveryMode::Garbage:
        SendAllBytes(fd, GarbageBytes(kGarbageSize));
        break;
    case DeliveryMode::Refuse:
        break;
    case DeliveryMode::Huge:
        SendWithGeneratedCalls(fd, bytes, settings.generatedBytes, state);
        break;
    case DeliveryMode::Normal:
        SendAllBytes(fd, bytes);
        break;
    }
    ::close(fd);
}
