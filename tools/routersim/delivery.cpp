#include "delivery.h"

#include <chrono>
#include <cstdint>
#include <thread>
#include <unistd.h>

#include "connection_io.h"

namespace {

// Silent connections are let go after this, so stuck clients cannot pile up threads.
constexpr int HoldLimitMs = 60000;
constexpr int ResetPauseMs = 300;
constexpr std::size_t GarbageSize = 2048;

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

void DeliverRouterAnswer(int fd, const HttpResponse& answer, const SimSettings& settings) {
    HttpResponse sent = answer;
    std::string bytes = FrameResponse(sent, settings.contentLength);
    switch (settings.mode) {
    case DeliveryMode::KeepOpen:
        if (SendAllBytes(fd, bytes)) WaitForPeerClose(fd, HoldLimitMs);
        break;
    case DeliveryMode::NoAnswer:
        WaitForPeerClose(fd, HoldLimitMs);
        break;
    case DeliveryMode::Drip:
        SendDripping(fd, bytes, settings.dripIntervalMs);
        break;
    case DeliveryMode::Reset:
        SendAllBytes(fd, bytes.substr(0, bytes.size() / 2));
        // Let the first half arrive before the reset overtakes it.
        std::this_thread::sleep_for(std::chrono::milliseconds(ResetPauseMs));
        CloseWithReset(fd);
        return;
    case DeliveryMode::Garbage:
        SendAllBytes(fd, GarbageBytes(GarbageSize));
        break;
    case DeliveryMode::Refuse:
        break;
    case DeliveryMode::Normal:
        SendAllBytes(fd, bytes);
        break;
    }
    ::close(fd);
}
