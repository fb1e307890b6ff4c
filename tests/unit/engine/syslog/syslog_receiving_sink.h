#pragma once
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

#include "support/fake_system.h"
#include "syslog/syslog_receiver.h"

// Keeps every batch, and the thread it came on.
class RecordingSink : public SyslogSink {
public:
    void OnSyslogRecords(std::vector<SyslogRecord> records) override {
        const std::lock_guard lock(mutex_);
        batches_.push_back(std::move(records));
        threads_.push_back(std::this_thread::get_id());
    }
    std::vector<std::vector<SyslogRecord>> Batches() {
        const std::lock_guard lock(mutex_);
        return batches_;
    }
    std::vector<std::thread::id> Threads() {
        const std::lock_guard lock(mutex_);
        return threads_;
    }
    // The texts of every record once there are count of them, the clock
    // moved on a batch interval each time round so that batches can go.
    std::vector<std::string> AwaitTexts(std::size_t count, FakeSystem& system) {
        std::vector<std::string> texts;
        for (int i = 0; i < 1000; ++i) {
            texts.clear();
            for (const auto& batch : Batches()) {
                for (const auto& record : batch) texts.push_back(record.text);
            }
            if (texts.size() >= count) break;
            system.tick += SyslogBatchIntervalMs;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return texts;
    }

private:
    std::mutex mutex_;
    std::vector<std::vector<SyslogRecord>> batches_;
    std::vector<std::thread::id> threads_;
};

// Waits, within a bound far beyond any wait of the receiver, until the condition holds.
template <typename Condition>
bool Eventually(Condition condition) {
    for (int i = 0; i < 1000; ++i) {
        if (condition()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}
