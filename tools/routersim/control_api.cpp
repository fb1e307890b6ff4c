#include "control_api.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <optional>

#include "log_page.h"
#include "loopback_listener.h"

namespace {

using Fields = std::map<std::string, std::string>;

constexpr long long kMaxFillBytes = 64LL * 1024 * 1024;
// Generated calls are never held whole: this only keeps a typo from sending for hours.
constexpr long long kMaxGeneratedBytes = 8LL * 1024 * 1024 * 1024;
constexpr int kGeneratedAnswerWaitMs = 5000;

HttpResponse PlainText(std::string text) { return {"HTTP/1.0 200 OK", "Content-Type: text/plain\r\n", std::move(text)}; }

HttpResponse BadRequest(const std::string& why) {
    return {"HTTP/1.0 400 Bad Request", "Content-Type: text/plain\r\n", why + "\n"};
}

std::optional<std::string> Field(const Fields& fields, const std::string& name) {
    auto found = fields.find(name);
    if (found == fields.end()) return std::nullopt;
    return found->second;
}

std::optional<bool> Flag(const Fields& fields, const std::string& name) {
    std::optional<std::string> value = Field(fields, name);
    if (!value) return std::nullopt;
    return *value == "1" || *value == "true" || *value == "on";
}

// Decimal value of a field; the default when absent or not a number.
long long Number(const Fields& fields, const std::string& name, long long otherwise) {
    std::optional<std::string> value = Field(fields, name);
    if (!value) return otherwise;
    long long number = 0;
    auto [end, error] = std::from_chars(value->data(), value->data() + value->size(), number);
    return error == std::errc() && end == value->data() + value->size() ? number : otherwise;
}

std::optional<DeliveryMode> ModeNamed(const std::string& name) {
    static const std::map<std::string, DeliveryMode> modes = {
        {"normal", DeliveryMode::Normal},   {"keepopen", DeliveryMode::KeepOpen}, {"noanswer", DeliveryMode::NoAnswer},
        {"drip", DeliveryMode::Drip},       {"reset", DeliveryMode::Reset},
        {"garbage", DeliveryMode::Garbage}, {"refuse", DeliveryMode::Refuse},   {"huge", DeliveryMode::Huge},
    };
    auto found = modes.find(name);
    if (found == modes.end()) return std::nullopt;
    return found->second;
}

HttpResponse AddLogEntry(const Fields& fields, SimState& state) {
    std::string text = Field(fields, "text").value_or("");
    bool timed = Field(fields, "age").has_value();
    SimLogEntry entry{timed, SimClock::now() - std::chrono::milliseconds(Number(fields, "age", 0)), text};
    state.Update([&](SimSettings& s) { s.log.push_back(entry); });
    return PlainText("ok\n");
}

HttpResponse FillLogEntries(const Fields& fields, SimState& state) {
    long long requested = Number(fields, "bytes", 0);
    if (requested < 0 || requested > kMaxFillBytes) return BadRequest("bytes out of range");
    std::size_t bytes = static_cast<std::size_t>(requested);
    state.Update([&](SimSettings& s) { FillLog(s.log, s.wanType, bytes, SimClock::now()); });
    return PlainText("ok\n");
}

HttpResponse SetAuth(const Fields& fields, SimState& state) {
    state.Update([&](SimSettings& s) {
        s.loginRequired = Flag(fields, "required").value_or(s.loginRequired);
        s.password = Field(fields, "password").value_or(s.password);
        s.refuseAfterLogin = Flag(fields, "refuse").value_or(s.refuseAfterLogin);
        s.loggedIn = Flag(fields, "loggedin").value_or(s.loggedIn);
    });
    return PlainText("ok\n");
}

HttpResponse SetStatus(const Fields& fields, SimState& state) {
    std::string layout = Field(fields, "layout").value_or("common");
    std::string item = Field(fields, "item").value_or("connection");
    if ((layout != "common" && layout != "variant") || (item != "connection" && item != "lease" && item != "none"))
        return BadRequest("unknown layout or item");
    state.Update([&](SimSettings& s) {
        s.statusLayout = layout == "common" ? StatusLayout::Common : StatusLayout::Variant;
        s.connectionItem = item == "connection" ? ConnectionItem::ConnectionTime
                           : item == "lease"    ? ConnectionItem::LeaseTime
                                                : ConnectionItem::None;
    });
    return PlainText("ok\n");
}

HttpResponse SetLoginForm(const Fields& fields, SimState& state) {
    static const std::map<std::string, LoginForm> forms = {
        {"complete", LoginForm::Complete}, {"noaction", LoginForm::WithoutAction}, {"noend", LoginForm::WithoutEnd}};
    auto found = forms.find(Field(fields, "form").value_or(""));
    if (found == forms.end()) return BadRequest("unknown form");
    state.Update([&](SimSettings& s) { s.loginForm = found->second; });
    return PlainText("ok\n");
}

HttpResponse SetMode(const Fields& fields, SimState& state) {
    std::optional<DeliveryMode> mode = ModeNamed(Field(fields, "name").value_or(""));
    if (!mode) return BadRequest("unknown mode");
    state.Update([&](SimSettings& s) {
        s.mode = *mode;
        s.dripIntervalMs = static_cast<int>(std::clamp(Number(fields, "interval", s.dripIntervalMs), 0LL, 10000LL));
        s.contentLength = Flag(fields, "contentlength").value_or(false);
        s.generatedBytes = static_cast<unsigned long long>(std::clamp(Number(fields, "bytes", 0), 0LL, kMaxGeneratedBytes));
    });
    return PlainText("ok\n");
}

HttpResponse ReportGeneratedAnswer(const SimState& state) {
    const std::optional<GeneratedAnswer> answer = state.LastGeneratedAnswer(kGeneratedAnswerWaitMs);
    if (!answer) return PlainText("none\n");
    return PlainText("sent " + std::to_string(answer->sentBytes) + (answer->whole ? " whole\n" : " cut\n"));
}

HttpResponse ListRequests(SimState& state) {
    std::string body;
    for (const std::string& raw : state.RecordedRequests()) body += std::to_string(raw.size()) + "\n" + raw;
    return PlainText(body);
}

}  // namespace

bool IsControlRequest(const HttpRequest& request) { return request.path.starts_with(kControlPathPrefix); }

HttpResponse AnswerControlRequest(const HttpRequest& request, SimState& state) {
    Fields fields = ParseQuery(request.query);
    std::string command = request.path.substr(std::string(kControlPathPrefix).size());
    if (command == "reset") {
        state.ResetSettings();
        return PlainText("ok\n");
    }
    if (command == "log/clear") {
        state.Update([](SimSettings& s) { s.log.clear(); });
        return PlainText("ok\n");
    }
    if (command == "log/add") return AddLogEntry(fields, state);
    if (command == "log/fill") return FillLogEntries(fields, state);
    if (command == "wan") {
        state.Update([&](SimSettings& s) { s.wanType = Field(fields, "type").value_or(""); });
        return PlainText("ok\n");
    }
    if (command == "auth") return SetAuth(fields, state);
    if (command == "moved") {
        state.Update([&](SimSettings& s) { s.moved = Flag(fields, "on").value_or(true); });
        return PlainText("ok\n");
    }
    if (command == "status") return SetStatus(fields, state);
    if (command == "menu") return SetLoginForm(fields, state);
    if (command == "mode") return SetMode(fields, state);
    if (command == "logout") {
        state.Update([&](SimSettings& s) {
            s.logoutDelayMs = static_cast<int>(std::clamp(Number(fields, "delay", 0), 0LL, 10000LL));
        });
        return PlainText("ok\n");
    }
    if (command == "requests") return ListRequests(state);
    if (command == "requests/clear") {
        state.ClearRecordedRequests();
        return PlainText("ok\n");
    }
    if (command == "freeport") return PlainText(std::to_string(UnusedLoopbackPort()) + "\n");
    if (command == "generated") return ReportGeneratedAnswer(state);
    if (command == "connections") return PlainText(std::to_string(state.ConnectionCount()) + "\n");
    return BadRequest("unknown command " + command);
}
