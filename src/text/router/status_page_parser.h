#pragma once
#include <string>

inline constexpr char kStatusParseErrorText[] = "*** Error parsing status content ***";
inline constexpr char kConnectionTimeCaption[] = "Connection Time:";
inline constexpr char kLeaseTimeCaption[] = "Remaining Lease Time:";
inline constexpr char kStaticAddressText[] = "Not applicable: Static IP";
inline constexpr char kInvalidAddressText[] = "*** Error: Invalid address. Try remote admin address";

// The value cell that follows the first occurrence of label, raw and
// untrimmed, or kStatusParseErrorText.
std::string ExtractStatusField(const std::string& page, const std::string& label);

// What one status page shows in the Router Status window.
struct RouterStatus {
    bool redirected = false;  // a "301 Moved" answer: only the status line changes
    std::string externalAddress;
    std::string subnetMask;
    std::string gateway;
    std::string dnsServer;
    std::string printer;
    std::string connectionLabel;
    std::string connectionTime;
    bool connectionRowVisible = true;
};

RouterStatus ParseStatusPage(const std::string& page);
