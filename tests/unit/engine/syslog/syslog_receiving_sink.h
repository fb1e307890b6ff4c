#pragma once
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

#include "support/fake_system.h"
#include "syslog/syslog_receiver.h"

// Waits, within a bound far beyond any wait of the receiver, until the condition holds.
template <typename Condition>
bool Eventually(Condition condition, FakeSystem* movedOn = nullptr) {
    for (int i = 0; i < 1000; ++i) {
        if (condition()) return true;
        if (movedOn) movedOn->tick += kSyslogBatchIntervalMs;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

// Keeps every batch and the thread it came on.
class RecordingSink : public SyslogSink {
public:
    struct Batch {
        std::vector<SyslogRecord> records;
        std::thread::id thread;
    };
    void OnSyslogRecords(std::vector<SyslogRecord> records) override {
        const std::lock_guard lock(mutex_);
        batches_.push_back({std::move(records), std::this_thread::get_id()});
    }
    std::vector<Batch> Batches() {
        const std::lock_guard lock(mutex_);
        return batches_;
    }
    // Every record's text, once there are count of them, the clock moved on meanwhile so that batches go.
    std::vector<std::string> AwaitTexts(std::size_t count, FakeSystem& system) {
        std::vector<std::string> texts;
        Eventually([&] {
            texts.clear();
            for (const auto& batch : Batches()) {
                for (const auto& record : batch.records) texts.push_back(record.text);
            }
            return texts.size() >= count;
        }, &system);
        return texts;
    }

private:
    std::mutex mutex_;
    std::vector<Batch> batches_;
};
