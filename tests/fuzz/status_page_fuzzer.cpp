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

void CheckField(std::string_view page, std::string_view label, const std::string& value) {
    if (page.find(label) == std::string_view::npos) FuzzCheck(value == kStatusParseErrorText, "no label, no value");
    if (value == kStatusParseErrorText) return;
    FuzzCheck(page.find(value) != std::string_view::npos, "a value is taken from the page");
    const bool variant = page.find("asant") != std::string_view::npos;
    FuzzCheck(value.find(variant ? "</td>" : "</TD>") == std::string::npos, "a value ends at its cell's end");
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const auto choice = input.Byte();
    const std::string label(choice < PageLabels.size() * 16 ? PageLabels[choice % PageLabels.size()]
                                                             : input.Take(choice % 16 + 1));
    const std::string page(input.Rest());
    CheckField(page, label, ExtractStatusField(page, label));

    const RouterStatus status = ParseStatusPage(page);
    FuzzCheck(status.redirected == (page.find("301 Moved") != std::string::npos), "a redirect is recognised");
    if (status.redirected) return 0;
    const std::string* fields[] = {&status.externalAddress, &status.subnetMask, &status.gateway, &status.dnsServer,
                                   &status.printer};
    for (std::size_t i = 0; i < std::size(fields); ++i) CheckField(page, PageLabels[i], *fields[i]);
    // The connection row shows a found time under one of two captions, or hides.
    const bool lease = status.connectionLabel == kLeaseTimeCaption;
    if (!status.connectionRowVisible) {
        FuzzCheck(status.connectionLabel.empty() && status.connectionTime == kStaticAddressText, "a hidden row reads static");
    } else {
        FuzzCheck(lease || status.connectionLabel == kConnectionTimeCaption, "one of the two captions");
        CheckField(page, PageLabels[lease ? 6 : 5], status.connectionTime);
        FuzzCheck(!IsNoticeText(status.connectionTime), "a shown time is a found one");
    }
    return 0;
}
