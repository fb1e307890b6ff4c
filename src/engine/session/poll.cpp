#include "session/poll.h"

#include "logpage/authorization_check.h"
#include "notice_text.h"
#include "router/router_requests.h"
#include "session/router_http_client.h"
#include "session/session_texts.h"

namespace {

PollOutcome Notice(std::string text, PollResult result) { return {std::move(text), std::nullopt, result}; }

// How the router's answer to the log request ends the poll, from what the
// client met on the way rather than from the text it shows.
PollResult AnswerResult(const RouterHttpClient& client, const std::string& answer) {
    switch (client.pageError) {
    case RouterHttpClient::PageError::Socket: return PollResult::SocketError;
    case RouterHttpClient::PageError::PasswordRefused: return PollResult::InvalidPassword;
    case RouterHttpClient::PageError::None: break;
    }
    return IsHttpAnswer(answer) ? PollResult::GotPage : PollResult::NoAnswer;
}

PollOutcome ShowOrRead(const std::string& response, PollResult result, std::int32_t referenceTime,
                       const PollRequest& request, const std::function<void(const char*)>& showStatus) {
    if (IsNoticeText(response)) return Notice(response, result);
    showStatus(kStatusParsing);
    LogPageReading reading = ReadLogPage(response, referenceTime, request.page);
    if (reading.authorizationFailed) result = PollResult::AuthorizationFailed;
    return {{}, std::move(reading), result};
}

}  // namespace

PollOutcome RunPoll(const PollRequest& request, SystemPort& clock, MessagePort& messages,
                    const std::function<void(const char*)>& showStatus) {
    RouterHttpClient client(messages);
    showStatus(kStatusConnecting);
    if (!client.Connect(request.routerAddress)) {
        const int error = RouterHttpClient::LastErrorCode();
        return Notice(kCannotConnectText + clock.SystemMessageText(error), PollResult::CannotConnect);
    }
    showStatus(kStatusGettingContent);
    const auto referenceTime = static_cast<std::int32_t>(clock.CurrentTime());
    std::string response = client.FetchLogPage(false, "");
    PollResult result = AnswerResult(client, response);
    if (IsMovedAnswer(response)) {
        response = kPageMovedText + response;
        result = PollResult::PageMoved;
    }
    if (IsNoticeText(response) || !IsAuthorizationRequired(response)) {
        return ShowOrRead(response, result, referenceTime, request, showStatus);
    }
    if (request.password.empty()) return Notice(kLoginDisabledText, PollResult::LoginDisabled);
    if (!client.Connect(request.routerAddress)) return Notice(kLoginConnectFailedText, PollResult::CannotConnect);
    showStatus(kStatusLoggingIn);
    response = client.FetchLogPage(true, request.password);
    return ShowOrRead(response, AnswerResult(client, response), referenceTime, request, showStatus);
}

void RunLogout(const std::string& routerAddress, MessagePort& messages,
               const std::function<void(const char*)>& showStatus) {
    RouterHttpClient client(messages);
    showStatus(kStatusConnecting);
    if (!client.Connect(routerAddress)) return;
    showStatus(kStatusLoggingOut);
    client.Logout();
}
