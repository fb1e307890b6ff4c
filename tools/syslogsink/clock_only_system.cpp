#include "clock_only_system.h"

#include <chrono>
#include <cstring>
#include <thread>

std::uint32_t ClockOnlySystem::TickCount() {
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

std::int64_t ClockOnlySystem::CurrentTime() {
    return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

void ClockOnlySystem::Sleep(std::uint32_t milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void ClockOnlySystem::StartWorker(std::function<void()> work) { std::thread(std::move(work)).detach(); }

std::string ClockOnlySystem::SystemMessageText(int errorCode) { return std::strerror(errorCode); }
