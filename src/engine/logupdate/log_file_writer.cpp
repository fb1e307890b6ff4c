#include "logupdate/log_file_writer.h"

#include <algorithm>
#include <utility>

#include "common/worker_guard.h"

LogFileWriter::~LogFileWriter() { WaitUntilDone(std::chrono::milliseconds::max()); }

void LogFileWriter::Append(std::string text) { Queue({Job::Kind::Append, std::move(text), {}}); }

void LogFileWriter::Delete() { Queue({Job::Kind::Delete, {}, {}}); }

void LogFileWriter::ThenOnGuiThread(std::function<void()> task) { Queue({Job::Kind::Notify, {}, std::move(task)}); }

void LogFileWriter::Queue(Job job) {
    {
        const std::lock_guard lock(mutex_);
        jobs_.push_back(std::move(job));
        if (draining_) return;
        draining_ = true;
    }
    system_.StartWorker([this] { Drain(); });
}

void LogFileWriter::Drain() {
    for (;;) {
        Job job;
        {
            std::unique_lock lock(mutex_);
            if (jobs_.empty()) {
                draining_ = false;
                done_.notify_all();
                return;
            }
            job = std::move(jobs_.front());
            jobs_.pop_front();
            // Appends that queued up meanwhile go out in one write.
            while (job.kind == Job::Kind::Append && !jobs_.empty() && jobs_.front().kind == Job::Kind::Append) {
                job.text += jobs_.front().text;
                jobs_.pop_front();
            }
        }
        Do(job);
    }
}

void LogFileWriter::Do(const Job& job) {
    // Failures of router.log are silent: the screen shows the lines. What
    // could not be written waits; what escapes counts as lines not written.
    RunGuarded(
        [&] {
            switch (job.kind) {
            case Job::Kind::Append: AppendToLogFile(files_, path_, job.text, pending_); break;
            case Job::Kind::Delete:
                files_.RemoveFile(path_);
                DropPendingLogText(pending_);
                break;
            case Job::Kind::Notify: system_.PostToGuiThread(job.task); break;
            }
        },
        [&](const std::string&) {
            pending_.droppedLines += static_cast<std::size_t>(std::count(job.text.begin(), job.text.end(), '\n'));
        });
}

bool LogFileWriter::WaitUntilDone(std::chrono::milliseconds limit) {
    std::unique_lock lock(mutex_);
    const auto idle = [this] { return !draining_; };
    if (limit == std::chrono::milliseconds::max()) {
        done_.wait(lock, idle);
        return true;
    }
    return done_.wait_for(lock, limit, idle);
}
