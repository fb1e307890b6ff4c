#include "sim_state.h"

#include <fstream>

SimState::SimState(std::string recordPath)
    : settings_(DefaultSimSettings(SimClock::now())), recordPath_(std::move(recordPath)), start_(SimClock::now()) {}

SimSettings SimState::Snapshot() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return settings_;
}

void SimState::Update(const std::function<void(SimSettings&)>& change) {
    std::lock_guard<std::mutex> lock(mutex_);
    change(settings_);
}

void SimState::ResetSettings() {
    std::lock_guard<std::mutex> lock(mutex_);
    settings_ = DefaultSimSettings(SimClock::now());
    requests_.clear();
    connections_ = 0;
}

void SimState::RecordRequest(const std::string& raw) {
    std::lock_guard<std::mutex> lock(mutex_);
    requests_.push_back(raw);
    if (recordPath_.empty()) return;
    std::ofstream file(recordPath_, std::ios::binary | std::ios::app);
    file.write(raw.data(), static_cast<std::streamsize>(raw.size()));
}

std::vector<std::string> SimState::RecordedRequests() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
}

void SimState::ClearRecordedRequests() {
    std::lock_guard<std::mutex> lock(mutex_);
    requests_.clear();
    connections_ = 0;
}

void SimState::CountConnection() {
    std::lock_guard<std::mutex> lock(mutex_);
    ++connections_;
}

int SimState::ConnectionCount() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return connections_;
}

void SimState::StartGeneratedAnswer() {
    std::lock_guard<std::mutex> lock(mutex_);
    generating_ = true;
    generated_.reset();
}

void SimState::EndGeneratedAnswer(GeneratedAnswer answer) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        generating_ = false;
        generated_ = answer;
    }
    generatedEnd_.notify_all();
}

std::optional<GeneratedAnswer> SimState::LastGeneratedAnswer(int limitMs) const {
    std::unique_lock<std::mutex> lock(mutex_);
    generatedEnd_.wait_for(lock, std::chrono::milliseconds(limitMs), [this] { return !generating_; });
    return generated_;
}
