#include "routerstatus/router_status_window.h"

#include "notice_text.h"
#include "resource_ids.h"
#include "session/router_http_client.h"
#include "router/status_page_parser.h"
#include "monitor/main_window_commands.h"

namespace {

constexpr char kConnectingText[] = "Connecting...";
constexpr char kCannotConnectText[] = "*** Error: Can't connect to routeur address";
constexpr char kGettingStatusText[] = "Getting router status...";

void ShowConnectionRow(DialogPort& statusDialog, const RouterStatus& status) {
    if (status.connectionRowVisible) statusDialog.SetText(IDC_ROUTER_STATUS_CONNECTION_LABEL, status.connectionLabel);
    statusDialog.SetText(IDC_ROUTER_STATUS_CONNECTION_TIME, status.connectionTime);
    // A router that moves from a static address to DHCP shows its lease again.
    statusDialog.SetVisible(IDC_ROUTER_STATUS_CONNECTION_TIME, status.connectionRowVisible);
    statusDialog.SetVisible(IDC_ROUTER_STATUS_CONNECTION_LABEL, status.connectionRowVisible);
}

}  // namespace

void SetRouterStatusMessage(DialogPort& statusDialog, const std::string& text) {
    statusDialog.SetText(IDC_ROUTER_STATUS_MESSAGE, text);
}

void ClearRouterStatusFields(DialogPort& statusDialog) {
    for (int id : {IDC_ROUTER_STATUS_CONNECTION_TIME, IDC_ROUTER_STATUS_PRINTER, IDC_ROUTER_STATUS_SUBNET_MASK, IDC_ROUTER_STATUS_GATEWAY,
                   IDC_ROUTER_STATUS_EXTERNAL_ADDRESS, IDC_ROUTER_STATUS_DNS}) {
        statusDialog.SetText(id, "");
    }
}

void ApplyStatusPage(DialogPort& statusDialog, const std::string& page, const std::string& wanType) {
    const RouterStatus status = ParseStatusPage(page);
    if (status.redirected) {
        SetRouterStatusMessage(statusDialog, kInvalidAddressText);
        return;
    }
    statusDialog.SetText(IDC_ROUTER_STATUS_EXTERNAL_ADDRESS, status.externalAddress);
    statusDialog.SetText(IDC_ROUTER_STATUS_SUBNET_MASK, status.subnetMask);
    statusDialog.SetText(IDC_ROUTER_STATUS_GATEWAY, status.gateway);
    statusDialog.SetText(IDC_ROUTER_STATUS_DNS, status.dnsServer);
    statusDialog.SetText(IDC_ROUTER_STATUS_PRINTER, status.printer);
    statusDialog.SetText(IDC_ROUTER_STATUS_WAN_TYPE, wanType);
    ShowConnectionRow(statusDialog, status);
    SetRouterStatusMessage(statusDialog, "");
}

void FetchRouterStatus(AppSharedValues& app, DialogPort& statusDialog) {
    RouterHttpClient client(statusDialog);
    SetRouterStatusMessage(statusDialog, kConnectingText);
    if (!client.Connect(app.currentRouterAddress.Get())) {
        SetRouterStatusMessage(statusDialog, kCannotConnectText);
        ClearRouterStatusFields(statusDialog);
        return;
    }
    SetRouterStatusMessage(statusDialog, kGettingStatusText);
    statusDialog.SetText(IDC_ROUTER_STATUS_LOCAL_ADDRESS, client.LocalAddress());
    const std::string answer = client.FetchStatusPage();
    if (IsNoticeText(answer)) {
        SetRouterStatusMessage(statusDialog, answer);
    } else {
        ApplyStatusPage(statusDialog, answer, app.wanType.Get());
    }
}

RouterStatusController::RouterStatusController(AppSharedValues& app, DialogPort& mainDialog,
                                               DialogPort& statusDialog, RouterStatusWindowPort& window,
                                               SystemPort& system)
    : app_(app), mainDialog_(mainDialog), statusDialog_(statusDialog), window_(window), system_(system) {}

void RouterStatusController::RefreshRouterStatus() {
    if (!window_.Exists()) return;
    system_.StartWorker([this] { FetchRouterStatus(app_, statusDialog_); });
}

void RouterStatusController::ToggleFromButton() {
    app_.currentRouterAddress.Set(mainDialog_.GetText(IDC_ROUTER_ADDRESS));
    if (!window_.Exists()) return;
    if (app_.statusShown) {
        window_.Hide();
        app_.statusShown = false;
        SetStatusButtonCaption(mainDialog_, true);
        return;
    }
    window_.Show(true);
    RefreshRouterStatus();
    app_.statusShown = true;
    SetStatusButtonCaption(mainDialog_, false);
}

void RouterStatusController::Close() {
    app_.statusShown = false;
    SetStatusButtonCaption(mainDialog_, true);
    if (window_.Exists()) window_.Hide();
}

void RouterStatusController::HideWithMainWindow() {
    if (window_.Exists()) window_.Hide();
}

void RouterStatusController::ShowWithMainWindow(bool makeForeground) {
    if (app_.statusShown && window_.Exists()) window_.Show(makeForeground);
}
