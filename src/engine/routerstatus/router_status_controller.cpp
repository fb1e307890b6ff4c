#include "routerstatus/router_status_controller.h"

#include <initializer_list>

#include "common/worker_guard.h"
#include "notice_text.h"
#include "resource_ids.h"
#include "session/router_http_client.h"

namespace {

constexpr char kConnectingText[] = "Connecting...";
constexpr char kCannotConnectText[] = "*** Error: Can't connect to routeur address";
constexpr char kGettingStatusText[] = "Getting router status...";
constexpr char kShowStatusCaption[] = "Show Router Status";
constexpr char kHideStatusCaption[] = "Hide Router Status";

}  // namespace

RouterStatusController::RouterStatusController(DialogPort& mainDialog, DialogPort& statusDialog,
                                               WindowPort& window, SystemPort& system,
                                               MessageBoxes& boxes, const Options& options)
    : mainDialog_(mainDialog),
      statusDialog_(statusDialog),
      window_(window),
      system_(system),
      boxes_(boxes),
      options_(options) {}

void RouterStatusController::Refresh() {
    if (!window_.Exists()) return;
    if (fetching_) {
        fetchAgain_ = true;
        return;
    }
    fetching_ = true;
    system_.StartWorker([this, address = options_.routerAddress] {
        RunGuarded([&] { Fetch(address); },
                   [this](std::string failure) { system_.PostToGuiThread([this, failure] { ShowMessage(failure); }); });
        system_.PostToGuiThread([this] { FinishFetch(); });
    });
}

// On the worker: every change of the window is posted.
void RouterStatusController::Fetch(const std::string& address) {
    const auto post = [this](auto change) { system_.PostToGuiThread(std::move(change)); };
    RouterHttpClient client(boxes_.ForWorkers());
    post([this] { ShowMessage(kConnectingText); });
    if (!client.Connect(address)) {
        post([this] { ShowCannotConnect(); });
        return;
    }
    post([this, local = client.LocalAddress()] {
        ShowMessage(kGettingStatusText);
        statusDialog_.SetText(IDC_ROUTER_STATUS_LOCAL_ADDRESS, local);
    });
    const std::string answer = client.FetchStatusPage();
    if (IsNoticeText(answer)) {
        post([this, answer] { ShowMessage(answer); });
    } else {
        post([this, status = ParseStatusPage(answer)] { ShowStatus(status); });
    }
}

void RouterStatusController::FinishFetch() {
    fetching_ = false;
    if (!fetchAgain_) return;
    fetchAgain_ = false;
    Refresh();
}

void RouterStatusController::ShowMessage(const std::string& text) {
    statusDialog_.SetText(IDC_ROUTER_STATUS_MESSAGE, text);
}

void RouterStatusController::ShowCannotConnect() {
    ShowMessage(kCannotConnectText);
    for (int id : {IDC_ROUTER_STATUS_CONNECTION_TIME, IDC_ROUTER_STATUS_PRINTER, IDC_ROUTER_STATUS_SUBNET_MASK,
                   IDC_ROUTER_STATUS_GATEWAY, IDC_ROUTER_STATUS_EXTERNAL_ADDRESS, IDC_ROUTER_STATUS_DNS}) {
        statusDialog_.SetText(id, "");
    }
}

void RouterStatusController::ShowStatus(const RouterStatus& status) {
    if (status.redirected) {
        ShowMessage(kInvalidAddressText);
        return;
    }
    statusDialog_.SetText(IDC_ROUTER_STATUS_EXTERNAL_ADDRESS, status.externalAddress);
    statusDialog_.SetText(IDC_ROUTER_STATUS_SUBNET_MASK, status.subnetMask);
    statusDialog_.SetText(IDC_ROUTER_STATUS_GATEWAY, status.gateway);
    statusDialog_.SetText(IDC_ROUTER_STATUS_DNS, status.dnsServer);
    statusDialog_.SetText(IDC_ROUTER_STATUS_PRINTER, status.printer);
    statusDialog_.SetText(IDC_ROUTER_STATUS_WAN_TYPE, wanType_);
    if (status.connectionRowVisible) {
        statusDialog_.SetText(IDC_ROUTER_STATUS_CONNECTION_LABEL, status.connectionLabel);
    }
    statusDialog_.SetText(IDC_ROUTER_STATUS_CONNECTION_TIME, status.connectionTime);
    // A router that moves from a static address to DHCP shows its lease again.
    statusDialog_.SetVisible(IDC_ROUTER_STATUS_CONNECTION_TIME, status.connectionRowVisible);
    statusDialog_.SetVisible(IDC_ROUTER_STATUS_CONNECTION_LABEL, status.connectionRowVisible);
    ShowMessage("");
}

void RouterStatusController::ToggleFromButton() {
    if (!window_.Exists()) return;
    if (shown_) {
        window_.Hide();
        shown_ = false;
    } else {
        window_.Show(true);
        Refresh();
        shown_ = true;
    }
    SetButtonCaption();
}

void RouterStatusController::Close() {
    shown_ = false;
    SetButtonCaption();
    if (window_.Exists()) window_.Hide();
}

void RouterStatusController::HideWithMainWindow() {
    if (window_.Exists()) window_.Hide();
}

void RouterStatusController::ShowWithMainWindow(bool makeForeground) {
    if (shown_ && window_.Exists()) window_.Show(makeForeground);
}

void RouterStatusController::SetButtonCaption() {
    mainDialog_.SetText(IDC_SHOW_STATUS, shown_ ? kHideStatusCaption : kShowStatusCaption);
}
