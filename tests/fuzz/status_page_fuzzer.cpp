// The status page's fields read from any page text. Input: a byte choosing the
// label (one of the page's, or a short one taken from the input), then the page.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_input.h"
#include "notice_text.h"
#include "router/status_page_parser.h"

namespace {
constexpr std::array<std::string_view, 7> PageLabels = {
    "IP Address", "Subnet Mask", "Gateway", "Domain Name Server", "Printer", "Connection Time", "Lease Time"};
constexpr std::string_view VariantLayoutMarker = "asant";
constexpr std::string_view LeaseTimeLabel = "Lease Time";
constexpr std::string_view RedirectMarker = "301 Moved";
constexpr std::size_t MaxOwnLabelLength = 16;

std::string_view EndMarker(std::string_view page) {
    return page.find(VariantLayoutMarker) == std::string_view::npos ? "</TD>" : "</td>";
}

void CheckField(std::string_view page, std::string_view label, const std::string& value) {
    if (page.find(label) == std::string_view::npos) FuzzCheck(value == kStatusParseErrorText, "no label, no value");
    if (value == kStatusParseErrorText) return;
    FuzzCheck(page.find(value) != std::string_view::npos, "a value is taken from the page");
    FuzzCheck(value.find(EndMarker(page)) == std::string::npos, "a value ends at its cell's end");
}

void CheckStatus(const std::string& page, const RouterStatus& status) {
    if (page.find(RedirectMarker) != std::string::npos) {
        FuzzCheck(status.redirected, "a redirect is recognised");
        FuzzCheck(status.externalAddress.empty() && status.connectionTime.empty(), "a redirect fills nothing");
        return;
    }
    FuzzCheck(!status.redirected, "no redirect without its marker");
    CheckField(page, PageLabels[0], status.externalAddress);
    CheckField(page, PageLabels[1], status.subnetMask);
    CheckField(page, PageLabels[2], status.gateway);
    CheckField(page, PageLabels[3], status.dnsServer);
    CheckField(page, PageLabels[4], status.printer);

    // The connection row shows a found time under its caption, or hides.
    const bool connection = status.connectionLabel == kConnectionTimeCaption;
    const bool lease = status.connectionLabel == kLeaseTimeCaption;
    FuzzCheck(connection || lease || status.connectionLabel.empty(), "one of the two captions");
    FuzzCheck(status.connectionRowVisible == !status.connectionLabel.empty(), "a row without caption hides");
    if (status.connectionRowVisible) {
        FuzzCheck(!IsNoticeText(status.connectionTime), "a shown time is a found one");
        CheckField(page, connection ? PageLabels[5] : PageLabels[6], status.connectionTime);
    } else {
        FuzzCheck(status.connectionTime == kStaticAddressText, "a hidden row reads static");
    }
    if (page.find(LeaseTimeLabel) == std::string::npos) FuzzCheck(!lease, "no lease time without its label");
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const auto choice = input.Byte();
    const std::string label(choice < PageLabels.size() * 16 ? PageLabels[choice % PageLabels.size()]
                                                             : input.Take(choice % MaxOwnLabelLength + 1));
    const std::string page(input.Rest());

    CheckField(page, label, ExtractStatusField(page, label));
    CheckStatus(page, ParseStatusPage(page));
    return 0;
}
