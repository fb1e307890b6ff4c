#include <gtest/gtest.h>

#include <string>

#include "router/status_page_parser.h"

namespace {

std::string CommonRow(const std::string& label, const std::string& value) {
    return "<TR><TD>" + label + "</TD><TD ALIGN=CENTER>" + value + "</TD></TR>\n";
}

std::string CommonPage(const std::string& timeRow) {
    return "HTTP/1.0 200 OK\r\n\r\n<TABLE>\n" + CommonRow("IP Address", "203.0.113.7") +
           CommonRow("Subnet Mask", "255.255.255.0") + CommonRow("Gateway", "203.0.113.1") +
           CommonRow("Domain Name Server", "198.51.100.53 ") + timeRow + CommonRow("Printer", "Not ready") +
           "</TABLE>";
}

}  // namespace

// A page of both layouts, and the refusal page without labels, are the
// router_status_window and hostile_status_page_without_labels GUI scenarios'.
TEST(StatusPageParser, LabelsWithoutCellsGiveErrorsEverywhere) {
    const RouterStatus status = ParseStatusPage("IP Address Subnet Mask Gateway Domain Name Server Printer");
    for (const std::string* field :
         {&status.externalAddress, &status.subnetMask, &status.gateway, &status.dnsServer, &status.printer}) {
        EXPECT_EQ(*field, kStatusParseErrorText);
    }
}

TEST(StatusPageParser, EarliestLabelOccurrenceDecides) {
    // "Gateway" in a heading before its row: the first cell after the heading is used.
    const std::string page = "<H1>Gateway status</H1><TD ALIGN=CENTER>first</TD>" + CommonRow("Gateway", "second");
    EXPECT_EQ(ExtractStatusField(page, "Gateway"), "first");
    // "Lease Time" is found inside "Remaining Lease Time".
    EXPECT_EQ(ExtractStatusField(CommonRow("Remaining Lease Time", "10:00"), "Lease Time"), "10:00");
}

TEST(StatusPageParser, VariantLayoutReadsOnlyTheLeaseFromTheWideCell) {
    const std::string page =
        "<title>Pleasant router</title><tr><td>IP Address</td><td>192.0.2.9</td></tr>"
        "<tr><td>Lease Time</td><td width=\"33%\">12:00:00</td></tr>"
        "<tr><td>Printer</td><td>none</td></tr>";
    EXPECT_EQ(ExtractStatusField(page, "IP Address"), "192.0.2.9");
    EXPECT_EQ(ExtractStatusField(page, "Lease Time"), "12:00:00");
    // Upper-case cells are not read in the variant layout.
    EXPECT_EQ(ExtractStatusField(page + CommonRow("Gateway", "x"), "Gateway"), kStatusParseErrorText);
}

TEST(StatusPageParser, StarredCellCountsAsMissingTimeAndRedirectChangesNothing) {
    const RouterStatus starred = ParseStatusPage(CommonPage(CommonRow("Connection Time", "***") +
                                                           CommonRow("Lease Time", "05:00")));
    EXPECT_EQ(starred.connectionLabel, "Remaining Lease Time:");
    EXPECT_EQ(starred.connectionTime, "05:00");

    const RouterStatus moved = ParseStatusPage("HTTP/1.0 301 Moved Permanently\r\n\r\n" + CommonPage(""));
    EXPECT_TRUE(moved.redirected);
    EXPECT_TRUE(moved.externalAddress.empty());
}
