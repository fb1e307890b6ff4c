#include "status_page.h"

#include <cstdio>
#include <utility>
#include <vector>

namespace {

constexpr long long kLeaseSeconds = 1800;  // the DHCP lease the log page announces (DOL=1800)

struct StatusRow {
    std::string label;
    std::string value;
    bool leaseCell = false;
};

std::vector<StatusRow> StatusRows(ConnectionItem item, long long upSeconds) {
    std::vector<StatusRow> rows = {
        {"IP Address", "203.0.113.45"},
        {"Subnet Mask", "255.255.255.0"},
        {"Gateway", "203.0.113.1"},
        {"Domain Name Server", "198.51.100.53, 198.51.100.54"},
    };
    if (item == ConnectionItem::ConnectionTime) rows.push_back({"Connection Time", FormatDuration(upSeconds)});
    if (item == ConnectionItem::LeaseTime)
        rows.push_back({"Remaining Lease Time", FormatDuration(kLeaseSeconds - upSeconds % kLeaseSeconds), true});
    rows.push_back({"Printer", "Not ready"});
    return rows;
}

std::string CommonLayout(const std::vector<StatusRow>& rows) {
    std::string page = "<HTML><HEAD><TITLE>Status</TITLE></HEAD>\n<BODY BGCOLOR=#FFFFFF>\n<TABLE WIDTH=500 BORDER=0>\n"
                       "<TR><TD COLSPAN=2><B>WAN</B></TD></TR>\n";
    for (const StatusRow& row : rows)
        page += "<TR><TD ALIGN=RIGHT>" + row.label + "</TD><TD ALIGN=CENTER>" + row.value + "</TD></TR>\n";
    return page + "</TABLE></BODY></HTML>\n";
}

std::string VariantLayout(const std::vector<StatusRow>& rows) {
    std::string page = "<html><head><title>Status</title>\n<!-- pleasant theme -->\n</head>\n<body>\n"
                       "<table width=\"100%\">\n<tr><td colspan=2><b>WAN</b></td></tr>\n";
    for (const StatusRow& row : rows) {
        std::string cell = row.leaseCell ? "<td width=\"33%\">" : "<td>";
        page += "<tr><td>" + row.label + "</td>" + cell + row.value + "</td></tr>\n";
    }
    return page + "</table></body></html>\n";
}

}  // namespace

std::string FormatDuration(long long seconds) {
    char text[64];
    std::snprintf(text, sizeof text, "%lld day %02lld:%02lld:%02lld", seconds / 86400, seconds / 3600 % 24,
                  seconds / 60 % 60, seconds % 60);
    return text;
}

std::string RenderStatusPage(StatusLayout layout, ConnectionItem item, long long upSeconds) {
    std::vector<StatusRow> rows = StatusRows(item, upSeconds);
    return layout == StatusLayout::Common ? CommonLayout(rows) : VariantLayout(rows);
}
