#pragma once
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>

#include "file_port.h"
#include "logupdate/log_file_append.h"
#include "system_port.h"

// router.log: its appends and its deletion run in the order asked, on a
// worker, so that a slow disk never holds the windows up. Called on the GUI
// thread; the lines it could not write yet wait in it (log_file_append.h).
class LogFileWriter {
public:
    LogFileWriter(FilePort& files, SystemPort& system) : files_(files), system_(system) {}
    LogFileWriter(const LogFileWriter&) = delete;
    LogFileWriter& operator=(const LogFileWriter&) = delete;
    ~LogFileWriter();

    // Once, at start, before anything is written: router.log beside the executable.
    void SetPath(std::string path) { path_ = std::move(path); }
    const std::string& Path() const { return path_; }

    // Never waits.
    void Append(std::string text);
    // The task runs on the GUI thread once what was asked before it is done:
    // a launch that reads router.log finds the lines there.
    void ThenOnGuiThread(std::function<void()> task);
    // "Delete Log File", after the appends asked before it; what waits for
    // the old file goes with it.
    void Delete();
    // At exit: waits up to limit for what was asked to be done. False when
    // the time ran out first.
    bool WaitUntilDone(std::chrono::milliseconds limit);

private:
    struct Job {
        enum class Kind { Append, Delete, Notify } kind = Kind::Append;
        std::string text;
        std::function<void()> task;
    };
    void Queue(Job job);
    void Drain();
    void Do(const Job& job);

    FilePort& files_;
    SystemPort& system_;
    std::string path_;

    std::mutex mutex_;
    std::condition_variable done_;
    std::deque<Job> jobs_;   // under mutex_
    bool draining_ = false;  // under mutex_: a worker is writing
    // Only the one draining worker touches it; workers take turns through mutex_.
    PendingLogText pending_;
};
