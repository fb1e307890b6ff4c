#include "router/status_page_parser.h"

#include "notice_text.h"
#include "router/router_requests.h"

namespace {

constexpr char kVariantLayoutMarker[] = "asant";
constexpr char kLeaseTimeLabel[] = "Lease Time";
constexpr char kConnectionTimeLabel[] = "Connection Time";

struct CellMarkers {
    const char* start;
    const char* end;
};

CellMarkers ChooseCellMarkers(const std::string& page, const std::string& label) {
    if (page.find(kVariantLayoutMarker) == std::string::npos) return {"<TD ALIGN=CENTER>", "</TD>"};
    if (label == kLeaseTimeLabel) return {"<td width=\"33%\">", "</td>"};
    return {"<td>", "</td>"};
}

}  // namespace

std::string ExtractStatusField(const std::string& page, const std::string& label) {
    const CellMarkers markers = ChooseCellMarkers(page, label);
    const std::size_t labelAt = page.find(label);
    if (labelAt == std::string::npos) return kStatusParseErrorText;
    const std::size_t startAt = page.find(markers.start, labelAt);
    if (startAt == std::string::npos) return kStatusParseErrorText;
    const std::size_t valueAt = startAt + std::char_traits<char>::length(markers.start);
    const std::size_t endAt = page.find(markers.end, valueAt);
    if (endAt == std::string::npos) return kStatusParseErrorText;
    return page.substr(valueAt, endAt - valueAt);
}

RouterStatus ParseStatusPage(const std::string& page) {
    RouterStatus status;
    if (IsMovedAnswer(page)) {
        status.redirected = true;
        return status;
    }
    status.externalAddress = ExtractStatusField(page, "IP Address");
    status.subnetMask = ExtractStatusField(page, "Subnet Mask");
    status.gateway = ExtractStatusField(page, "Gateway");
    status.dnsServer = ExtractStatusField(page, "Domain Name Server");
    status.printer = ExtractStatusField(page, "Printer");

    const std::string connection = ExtractStatusField(page, kConnectionTimeLabel);
    if (!IsNoticeText(connection)) {
        status.connectionLabel = kConnectionTimeCaption;
        status.connectionTime = connection;
        return status;
    }
    const std::string lease = ExtractStatusField(page, kLeaseTimeLabel);
    if (!IsNoticeText(lease)) {
        status.connectionLabel = kLeaseTimeCaption;
        status.connectionTime = lease;
        return status;
    }
    status.connectionTime = kStaticAddressText;
    status.connectionRowVisible = false;
    return status;
}
