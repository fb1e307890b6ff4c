#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// The messages of one syslog TCP connection (RFC 6587), framed either way
// and told apart frame by frame: octet counting ("57 <34>1 ...") when a
// frame starts with a count and a blank, otherwise a frame that LF, CR or
// NUL ends. Holds at most one message (MaxSyslogMessageSize) between calls.
class SyslogFrameDecoder {
public:
    using Emit = std::function<void(std::string_view message)>;

    SyslogFrameDecoder();
    // Takes the bytes as they came, cut anywhere, and hands each whole
    // message to emit, cut at MaxSyslogMessageSize (a counted frame's rest is
    // skipped, however long). False once a frame without a count has run to
    // that size without ending: the connection is to be closed; its part
    // came out as a message and nothing more is taken.
    [[nodiscard]] bool Feed(std::string_view bytes, const Emit& emit);
    // The connection ended: a frame without a count that it cut short is a
    // message all the same; a counted one is incomplete and goes.
    void Finish(const Emit& emit);

private:
    enum class State { FrameStart, Count, Counted, Skipping, Line, Closed };

    void TakeCount(char c);
    void TakeCounted(std::string_view& bytes, const Emit& emit);
    void TakeLine(std::string_view& bytes, const Emit& emit);
    void EndFrame(const Emit& emit);

    State state_ = State::FrameStart;
    std::string message_;
    std::uint32_t count_ = 0;   // the frame's count while its digits come
    std::uint32_t remaining_ = 0;  // bytes of a counted frame still to come
};
