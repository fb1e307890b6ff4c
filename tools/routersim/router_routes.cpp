#include "router_routes.h"

#include <chrono>
#include <thread>

#include "log_page.h"
#include "router_pages.h"
#include "status_page.h"

namespace {

bool Refused(const SimSettings& settings) {
    return settings.loginRequired && (settings.refuseAfterLogin || !settings.loggedIn);
}

// The password goes unencoded, so it may hold "&" or blanks: it is the text
// after "pws=" up to the end of the query or an "&" that a field follows.
bool CarriesPassword(const std::string& query, const std::string& password) {
    std::string field = std::string(kPasswordFieldName) + "=" + password;
    std::string::size_type at = query.find(field);
    while (at != std::string::npos) {
        bool fieldStart = at == 0 || query[at - 1] == '&';
        std::string::size_type end = at + field.size();
        if (fieldStart && (end == query.size() || query[end] == '&')) return true;
        at = query.find(field, at + 1);
    }
    return false;
}

HttpResponse AnswerLogin(const HttpRequest& request, SimState& state, const std::string& clientAddress) {
    SimSettings settings = state.Snapshot();
    if (!CarriesPassword(request.query, settings.password)) return LoginRejectedPage();
    state.Update([&](SimSettings& s) {
        s.loggedIn = true;
        s.log.push_back({true, SimClock::now(), clientAddress + " login successful"});
    });
    return LoginAcceptedPage();
}

}  // namespace

HttpResponse AnswerRouterRequest(const HttpRequest& request, SimState& state, const std::string& clientAddress, int port) {
    SimSettings settings = state.Snapshot();
    if (settings.moved) return MovedPage(port);
    const std::string& path = request.path;
    if (path == "/menu.htm") return MenuPage(settings.loginForm);
    if (path == kLoginActionPath) return AnswerLogin(request, state, clientAddress);
    if (path == "/cgi-bin/logo") {
        std::this_thread::sleep_for(std::chrono::milliseconds(settings.logoutDelayMs));
        state.Update([](SimSettings& s) { s.loggedIn = false; });
        return LoggedOutPage();
    }
    bool logPage = path == "/syslog.htm";
    bool statusPage = path == "/status.htm";
    if (!logPage && !statusPage) return NotFoundPage();
    if (Refused(settings)) return AuthorizationRequiredPage();
    SimClock::time_point now = SimClock::now();
    if (logPage) return HtmlPage(RenderLogPage(settings.log, settings.wanType, now));
    auto up = std::chrono::duration_cast<std::chrono::seconds>(now - state.StartTime()).count();
    return HtmlPage(RenderStatusPage(settings.statusLayout, settings.connectionItem, up));
}
