#pragma once
#include <atomic>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "system_port.h"

// A system with a settable clock. Workers run on real threads and are
// joined by WaitForWorkers(); what they post waits for RunPosted() on the
// test's thread, which plays the GUI thread. Settle() does both until quiet.
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
    void PostToGuiThread(std::function<void()> task) override {
        auto lock = Lock();
        posted_.push_back(std::move(task));
    }
    // The test's thread is the GUI thread: runs what the workers posted, and
    // what that posts in turn, in order.
    void RunPosted() {
        for (;;) {
            std::function<void()> task;
            {
                auto lock = Lock();
                if (posted_.empty()) return;
                task = std::move(posted_.front());
                posted_.pop_front();
            }
            task();
        }
    }
    // Workers to their end, then what they posted.
    void Settle() {
        do {
            WaitForWorkers();
            RunPosted();
        } while (!Idle());
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
    // What these start is for the GUI tests to judge; sounds are only counted.
    std::intptr_t OpenWithShell(const ShellRequest&) override { return 42; }
    void PlaySoundFile(const std::string&) override { ++soundsPlayed; }
    void PlaySoundResource(int) override { ++soundsPlayed; }
    std::optional<std::string> ChooseOpenFile(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<std::string> ChooseSaveFile(const FileDialogRequest&) override { return savePath; }
    bool CopyTextToClipboard(const std::string&) override { return true; }
    void StartTimer(unsigned id, unsigned periodMs) override { auto lock = Lock(); timers[id] = periodMs; }
    void KillTimer(unsigned id) override { auto lock = Lock(); timers.erase(id); }
    bool TimerRunning(unsigned id) { auto lock = Lock(); return timers.count(id) != 0; }

    std::atomic<std::uint32_t> tick{1000};
    std::atomic<std::int64_t> now{1000000000};
    std::atomic<int> workersStarted{0};
    std::atomic<int> soundsPlayed{0};
    std::string executablePath = "C:\\Program Files\\Vorlane\\Vorlane.exe";
    std::optional<std::string> savePath;  // what the user picks in the file-save dialog
    std::map<unsigned, unsigned> timers;

private:
    std::unique_lock<std::mutex> Lock() { return std::unique_lock<std::mutex>(mutex_); }

    bool Idle() {
        auto lock = Lock();
        return workers_.empty() && posted_.empty();
    }

    std::mutex mutex_;
    std::vector<std::thread> workers_;
    std::deque<std::function<void()>> posted_;
};
