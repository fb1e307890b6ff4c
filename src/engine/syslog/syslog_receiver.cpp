#include "syslog/syslog_receiver.h"

#include <utility>

#include "router/ipv4_text.h"
#include "router/router_address.h"
#include "syslog/syslog_parser.h"

SyslogReceiver::SyslogReceiver(SystemPort& system, SyslogSink& sink)
    : system_(system), sink_(sink), listener_(*this) {}

SyslogReceiver::~SyslogReceiver() { Stop(); }

bool SyslogReceiver::Start(std::uint16_t port, const std::string& routerAddress, bool anySender) {
    Stop();
    SetSenderRule(routerAddress, anySender);
    messages_ = 0;
    refused_ = 0;
    dropped_ = 0;
    const bool started = listener_.Start(port);
    const std::lock_guard lock(mutex_);
    listening_ = started;
    errorCode_ = started ? 0 : listener_.ErrorCode();
    port_ = started ? listener_.Port() : port;
    return started;
}

void SyslogReceiver::SetSenderRule(const std::string& routerAddress, bool anySender) {
    const auto router = Ipv4Value(SplitRouterAddress(routerAddress).host);
    senderRule_ = (anySender ? kAnySender : 0) | (router ? kRouterKnown | *router : 0);
}

void SyslogReceiver::Stop() {
    listener_.Stop();
    const std::lock_guard lock(mutex_);
    listening_ = false;
}

SyslogStatus SyslogReceiver::Status() const {
    SyslogStatus status;
    {
        const std::lock_guard lock(mutex_);
        status.listening = listening_;
        status.errorCode = errorCode_;
        status.port = port_;
    }
    status.messages = messages_;
    status.refused = refused_;
    status.dropped = dropped_;
    return status;
}

bool SyslogReceiver::Accepts(std::uint32_t sender) const {
    const std::uint64_t rule = senderRule_;
    return (rule & kAnySender) != 0 || rule == (kRouterKnown | sender);
}

void SyslogReceiver::OnSyslogMessage(std::string_view message, std::uint32_t sender) {
    if (!Accepts(sender)) {
        ++refused_;
        return;
    }
    ++messages_;
    if (pendingBytes_ > 2 * kFullPendingBytes) {
        ++dropped_;
        return;
    }
    auto parsed = ParseSyslogMessage(message);
    pendingBytes_ += sizeof(SyslogRecord) + parsed.host.size() + parsed.text.size();
    pending_.push_back({system_.CurrentTime(), std::move(parsed.host), std::move(parsed.text), sender});
}

bool SyslogReceiver::AcceptsMore() { return pendingBytes_ < kFullPendingBytes; }

void SyslogReceiver::OnSyslogWaitEnded(bool stopping) {
    if (pending_.empty()) return;
    const auto now = system_.TickCount();
    if (!stopping && !gate_.IsOpen(now)) return;
    gate_.Delivered(now);
    pendingBytes_ = 0;
    sink_.OnSyslogRecords(std::exchange(pending_, {}));
}
