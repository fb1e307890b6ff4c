#include "syslog/syslog_frame_decoder.h"

#include <algorithm>

#include "syslog/syslog_parser.h"

namespace {
constexpr std::string_view FrameEnds("\n\r\0", 3);
// 999999999 still fits the count; a longer run of digits starts a plain frame.
constexpr std::size_t kMaxCountDigits = 9;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

SyslogFrameDecoder::SyslogFrameDecoder() { message_.reserve(kMaxSyslogMessageSize); }

bool SyslogFrameDecoder::Feed(std::string_view bytes, const Emit& emit) {
    while (!bytes.empty() && state_ != State::Closed) {
        switch (state_) {
        case State::FrameStart:
            if (FrameEnds.find(bytes.front()) != std::string_view::npos) {
                bytes.remove_prefix(1);
            } else {
                state_ = bytes.front() != '0' && IsDigit(bytes.front()) ? State::Count : State::Line;
            }
            break;
        case State::Count:
            TakeCount(bytes.front());
            // A count that a blank does not end was the start of a plain frame.
            if (state_ != State::Line) bytes.remove_prefix(1);
            break;
        case State::Counted:
            TakeCounted(bytes, emit);
            break;
        case State::Skipping: {
            const auto skipped = std::min<std::size_t>(remaining_, bytes.size());
            bytes.remove_prefix(skipped);
            remaining_ -= static_cast<std::uint32_t>(skipped);
            if (remaining_ == 0) state_ = State::FrameStart;
            break;
        }
        case State::Line:
            TakeLine(bytes, emit);
            break;
        case State::Closed:
            break;
        }
    }
    return state_ != State::Closed;
}

void SyslogFrameDecoder::Finish(const Emit& emit) {
    if (state_ == State::Line || state_ == State::Count) EndFrame(emit);
    state_ = State::Closed;
}

void SyslogFrameDecoder::TakeCount(char c) {
    if (c == ' ' && !message_.empty()) {
        remaining_ = count_;
        count_ = 0;
        message_.clear();
        state_ = State::Counted;
    } else if (IsDigit(c) && message_.size() < kMaxCountDigits) {
        count_ = count_ * 10 + static_cast<std::uint32_t>(c - '0');
        message_ += c;
    } else {
        count_ = 0;
        state_ = State::Line;
    }
}

void SyslogFrameDecoder::TakeCounted(std::string_view& bytes, const Emit& emit) {
    const auto room = kMaxSyslogMessageSize - message_.size();
    const auto taken = std::min({static_cast<std::size_t>(remaining_), bytes.size(), room});
    message_.append(bytes.substr(0, taken));
    bytes.remove_prefix(taken);
    remaining_ -= static_cast<std::uint32_t>(taken);
    if (remaining_ == 0) {
        EndFrame(emit);
    } else if (message_.size() == kMaxSyslogMessageSize) {
        EndFrame(emit);
        state_ = State::Skipping;
    }
}

void SyslogFrameDecoder::TakeLine(std::string_view& bytes, const Emit& emit) {
    const auto end = bytes.find_first_of(FrameEnds);
    if (end == 0) return EndFrame(emit);  // the frame's end stays for FrameStart to pass over
    const auto room = kMaxSyslogMessageSize - message_.size();
    if (room == 0) {
        // One byte past the limit and still no end.
        EndFrame(emit);
        state_ = State::Closed;
        return;
    }
    const auto taken = std::min({end, bytes.size(), room});
    message_.append(bytes.substr(0, taken));
    bytes.remove_prefix(taken);
}

void SyslogFrameDecoder::EndFrame(const Emit& emit) {
    emit(message_);
    message_.clear();
    state_ = State::FrameStart;
}
