#include "session/poll.h"

#include "logpage/authorization_check.h"
#include "notice_text.h"
#include "router/router_requests.h"
#include "session/router_http_client.h"
#include "session/session_texts.h"

namespace {

PollOutcome Notice(std::string text) { return {std::move(text), std::nullopt}; }

PollOutcome ShowOrRead(const std::string& response, std::int32_t referenceTime, const PollRequest& request,
                       const std::function<void(const char*)>& showStatus) {
    if (IsNoticeText(response)) return Notice(response);
    showStatus(kStatusParsing);
    return {{}, ReadLogPage(response, referenceTime, request.page)};
}

}  // namespace

PollOutcome RunPoll(const PollRequest& request, SystemPort& clock, MessagePort& messages,
                    const std::function<void(const char*)>& showStatus) {
    RouterHttpClient client(messages);
    showStatus(kStatusConnecting);
    if (!client.Connect(request.routerAddress)) {
        const int error = RouterHttpClient::LastErrorCode();
        return Notice(kCannotConnectText + clock.SystemMessageText(error));
    }
    showStatus(kStatusGettingContent);
    const auto referenceTime = static_cast<std::int32_t>(clock.CurrentTime());
    std::string response = client.FetchLogPage(false, "");
    if (IsMovedAnswer(response)) response = kPageMovedText + response;
    if (IsNoticeText(response) || !IsAuthorizationRequired(response)) {
        return ShowOrRead(response, referenceTime, request, showStatus);
    }
    if (request.password.empty()) return Notice(kLoginDisabledText);
    if (!client.Connect(request.routerAddress)) return Notice(kLoginConnectFailedText);
    showStatus(kStatusLoggingIn);
    return ShowOrRead(client.FetchLogPage(true, request.password), referenceTime, request, showStatus);
}

void RunLogout(const std::string& routerAddress, MessagePort& messages,
               const std::function<void(const char*)>& showStatus) {
    RouterHttpClient client(messages);
    showStatus(kStatusConnecting);
    if (!client.Connect(routerAddress)) return;
    showStatus(kStatusLoggingOut);
    client.Logout();
}
