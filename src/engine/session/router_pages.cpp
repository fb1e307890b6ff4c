// The page operations of RouterHttpClient: the router's pages and its login.
#include <string>

#include "notice_text.h"
#include "router/login_request.h"
#include "session/router_http_client.h"
#include "router/router_requests.h"

namespace {

bool SaysPasswordIsWrong(const std::string& answer) {
    return answer.find(kWrongPasswordMarker1) != std::string::npos &&
           answer.find(kWrongPasswordMarker2) != std::string::npos;
}

std::string SocketErrorText(int code) { return std::string(kSocketErrorPrefix) + std::to_string(code); }

}  // namespace

std::string RouterHttpClient::FetchLogPage(bool login, const std::string& password) {
    if (login && !RunLoginSequence(password)) return pageText;
    if (pageText == kInvalidPasswordText) return pageText;
    if (pageText.empty() || IsNoticeText(pageText)) FetchLogPageOnce();
    return pageText;
}

// Form page, login request, then a fresh connection for the log page. False
// when an answer ends the fetch: pageText then holds its error text.
bool RouterHttpClient::RunLoginSequence(const std::string& password) {
    if (!SendRequest(FixedRequest(kLoginFormPagePath))) return true;
    pageText = ReadResponse();
    Close();
    if (pageText == kResponseTooLargeText) return false;
    std::string loginRequest = BuildLoginRequest(pageText, password);
    // Failures here show up as an empty or useless answer.
    Reconnect();
    SendRequest(loginRequest);
    pageText = ReadResponse();
    Close();
    if (pageText == kResponseTooLargeText) return false;
    if (SaysPasswordIsWrong(pageText)) {
        pageText = kInvalidPasswordText;
        pageError = PageError::PasswordRefused;
        return false;
    }
    Reconnect();
    pageText.clear();
    pageError = PageError::None;
    return true;
}

void RouterHttpClient::FetchLogPageOnce() {
    if (SendRequest(FixedRequest(kLogPagePath))) {
        pageText = ReadResponse();
        pageError = PageError::None;
    } else {
        pageText = SocketErrorText(LastErrorCode());
        pageError = PageError::Socket;
    }
    Close();
}

std::string RouterHttpClient::FetchStatusPage() {
    if (!SendRequest(FixedRequest(kStatusPagePath))) return std::string(kStatusErrorText);
    std::string page = ReadResponse();
    Close();
    return page;
}

void RouterHttpClient::Logout() {
    if (SendRequest(FixedRequest(kLogoutPath))) ReadResponse();
    Close();
}
