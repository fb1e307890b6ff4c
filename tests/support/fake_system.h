#pragma once
#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "system_port.h"

// A system with a settable clock. Workers run on real threads and are
// joined by WaitForWorkers(), so tests see their whole effect.
class FakeSystem : public SystemPort {
public:
    ~FakeSystem() override { WaitForWorkers(); }

    std::uint32_t TickCount() override { return tick.load(); }
    std::int64_t CurrentTime() override { return now.load(); }
    void Sleep(std::uint32_t ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
    void StartWorker(std::function<void()> work) override {
        auto lock = Lock();
        ++workersStarted;
        workers_.emplace_back(std::move(work));
    }
    void WaitForWorkers() {
        std::vector<std::thread> workers;
        {
            auto lock = Lock();
            workers.swap(workers_);
        }
        for (auto& worker : workers) worker.join();
    }

    std::string ExecutablePath() override { return executablePath; }
    std::string WindowsDirectory() override { return "C:\\windows"; }
    std::string AnsiToUtf8(const std::string& text) override { return text; }
    std::string SystemMessageText(int code) override { return "system text " + std::to_string(code) + "\r\n"; }

    std::intptr_t OpenWithShell(const ShellRequest& request) override {
        auto lock = Lock();
        shellRequests.push_back(request);
        auto result = shellResults.find(request.file);
        return result == shellResults.end() ? 42 : result->second;
    }
    void PlaySoundFile(const std::string& path) override { auto lock = Lock(); soundsPlayed.push_back("file:" + path); }
    void PlaySoundResource(int id) override {
        auto lock = Lock();
        soundsPlayed.push_back("resource:" + std::to_string(id));
    }
    std::optional<std::string> ChooseOpenFile(const OpenFileRequest& request) override {
        auto lock = Lock();
        openFileRequests.push_back(request);
        return chosenFile;
    }
    bool CopyTextToClipboard(const std::string& text) override {
        auto lock = Lock();
        clipboard = text;
        return true;
    }
    void StartTimer(unsigned id, unsigned periodMs) override { auto lock = Lock(); timers[id] = periodMs; }
    void KillTimer(unsigned id) override { auto lock = Lock(); timers.erase(id); }
    bool TimerRunning(unsigned id) { auto lock = Lock(); return timers.count(id) != 0; }

    std::atomic<std::uint32_t> tick{1000};
    std::atomic<std::int64_t> now{1000000000};
    std::atomic<int> workersStarted{0};
    std::string executablePath = "C:\\Program Files\\Vorlane\\Vorlane.exe";
    std::map<std::string, std::intptr_t> shellResults;  // by file; default success
    std::optional<std::string> chosenFile;
    std::vector<ShellRequest> shellRequests;
    std::vector<std::string> soundsPlayed;
    std::vector<OpenFileRequest> openFileRequests;
    std::map<unsigned, unsigned> timers;
    std::string clipboard;

private:
    std::unique_lock<std::mutex> Lock() { return std::unique_lock<std::mutex>(mutex_); }

    std::mutex mutex_;
    std::vector<std::thread> workers_;
};
