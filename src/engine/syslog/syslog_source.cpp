#include "syslog/syslog_source.h"

#include <memory>
#include <utility>

#include "syslog/syslog_update.h"

SyslogSource::SyslogSource(SystemPort& system, LogPublisher& publisher, const Options& options)
    : system_(system), publisher_(publisher), options_(options), receiver_(system, *this) {}

SyslogSource::~SyslogSource() { Stop(); }

void SyslogSource::Apply() {
    if (!options_.syslogEnabled) {
        Stop();
    } else if (runningPort_ == options_.syslogPort) {
        ApplySenderRule();
    } else {
        Stop();
        receiver_.Start(options_.syslogPort, options_.routerAddress, options_.syslogAnySender);
        runningPort_ = options_.syslogPort;
    }
    TellState();
}

SyslogState SyslogSource::State() const {
    if (!runningPort_) return SyslogState::Off;
    return receiver_.Status().listening ? SyslogState::Listening : SyslogState::CannotListen;
}

void SyslogSource::TellState() {
    if (stateListener_) stateListener_(State());
}

void SyslogSource::ApplySenderRule() {
    if (runningPort_) receiver_.SetSenderRule(options_.routerAddress, options_.syslogAnySender);
}

void SyslogSource::Stop() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    published_.notify_all();
    receiver_.Stop();
    runningPort_.reset();
    const std::lock_guard lock(mutex_);
    stopping_ = false;
}

// The receiver's thread.
void SyslogSource::OnSyslogRecords(std::vector<SyslogRecord> records) {
    {
        std::unique_lock lock(mutex_);
        published_.wait(lock, [this] { return stopping_ || batchesOnTheirWay_ < kMaxBatchesOnTheirWay; });
        ++batchesOnTheirWay_;
    }
    auto batch = std::make_shared<std::vector<SyslogRecord>>(std::move(records));
    system_.PostToGuiThread([this, batch] {
        Publish(*batch);
        {
            const std::lock_guard lock(mutex_);
            --batchesOnTheirWay_;
        }
        published_.notify_all();
    });
}

void SyslogSource::Publish(const std::vector<SyslogRecord>& records) {
    const LogUpdate update = SyslogUpdate(records, {LogDateFormat(options_), IsOn(options_.logGMT)},
                                          IsOn(options_.onlyIntrusion));
    // With "Log intrusion only" a batch may hold nothing to show.
    if (!update.records.empty()) publisher_.Publish(update);
}
