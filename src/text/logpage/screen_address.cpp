#include "logpage/screen_address.h"

#include "router/ipv4_text.h"

std::optional<std::string> AddressFromSelection(const std::string& selection) {
    std::string address = selection.substr(0, selection.find(':'));
    if (!IsDottedIpv4(address)) return std::nullopt;
    return address;
}

std::optional<std::string> AddressFromScreenSelection(const std::string& screen, std::size_t selectionStart,
                                                      std::size_t selectionEnd) {
    if (selectionStart > selectionEnd || selectionStart > screen.size()) return std::nullopt;
    return AddressFromSelection(screen.substr(selectionStart, selectionEnd - selectionStart));
}
