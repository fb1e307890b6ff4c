#include "router/login_request.h"

#include <algorithm>

#include "router/router_requests.h"
#include "text_trim.h"

namespace {

constexpr std::string_view kActionMarker = "ACTION=";
constexpr std::string_view kFormEndMarker = "</FORM>";
constexpr std::string_view kInputMarker = "<INPUT TYPE=";
constexpr std::string_view kNameMarker = "NAME=";
constexpr std::string_view kValueMarker = "VALUE=\"";
constexpr std::string_view kHiddenType = "HIDDEN";
constexpr std::string_view kPasswordType = "PASSWORD";

// From the type's first character through the tag's ">"; empty without one.
std::string TagText(const std::string& form, std::string::size_type typeStart) {
    std::string::size_type close = form.find('>', typeStart);
    if (close == std::string::npos) return {};
    return form.substr(typeStart, close - typeStart + 1);
}

std::string FieldName(const std::string& tag) {
    std::string::size_type marker = tag.find(kNameMarker);
    if (marker == std::string::npos) return {};
    std::string::size_type start = marker + kNameMarker.size();
    std::string::size_type end = std::min(tag.find(' ', start), tag.find('>', start));
    if (end == std::string::npos) end = tag.size();
    return tag.substr(start, end - start);
}

std::string QuotedValue(const std::string& tag) {
    std::string::size_type marker = tag.find(kValueMarker);
    if (marker == std::string::npos) return {};
    std::string::size_type start = marker + kValueMarker.size();
    std::string::size_type end = tag.find('"', start);
    if (end == std::string::npos) return {};
    return tag.substr(start, end - start);
}

// The "name=value&" a field adds, empty for fields the router does not need.
std::string FieldAssignment(const std::string& form, std::string::size_type inputStart, const std::string& password) {
    std::string::size_type typeStart = inputStart + kInputMarker.size();
    std::string::size_type typeEnd = form.find(' ', typeStart);
    if (typeEnd == std::string::npos) return {};
    std::string type = form.substr(typeStart, typeEnd - typeStart);
    std::string tag = TagText(form, typeStart);
    const std::string name(TrimWhiteSpace(FieldName(tag)));
    if (type.find(kHiddenType) != std::string::npos)
        return UrlEncode(name) + "=" + UrlEncode(std::string(TrimWhiteSpace(QuotedValue(tag)))) + "&";
    if (type.find(kPasswordType) != std::string::npos) return UrlEncode(name) + "=" + password + "&";
    return {};
}

std::string FieldAssignments(const std::string& form, const std::string& password) {
    std::string fields;
    for (std::string::size_type input = form.find(kInputMarker); input != std::string::npos;
         input = form.find(kInputMarker, input + 1)) {
        fields += FieldAssignment(form, input, password);
    }
    return fields;
}

}  // namespace

std::string BuildLoginRequest(const std::string& formPage, const std::string& password) {
    std::string request = "GET ";
    std::string::size_type action = formPage.find(kActionMarker);
    std::string::size_type actionEnd = action == std::string::npos ? action : formPage.find(' ', action);
    if (actionEnd != std::string::npos) {
        std::string::size_type actionStart = action + kActionMarker.size();
        request += formPage.substr(actionStart, actionEnd - actionStart) + "?";
        std::string::size_type formEnd = formPage.find(kFormEndMarker, action);
        if (formEnd != std::string::npos) {
            std::string::size_type formLength = std::min(formEnd - actionStart, kLoginFormScanLimit);
            request += FieldAssignments(formPage.substr(actionStart, formLength), password);
            request.pop_back();  // the last "&", or the "?" when no field was added
        }
    }
    request += kRequestTail;
    return request;
}

std::string UrlEncode(const std::string& text) {
    static constexpr char kHexDigits[] = "0123456789abcdef";
    std::string encoded;
    encoded.reserve(text.size());
    for (char c : text) {
        unsigned char byte = static_cast<unsigned char>(c);
        if ((byte >= '0' && byte <= '9') || (byte >= '@' && byte <= 'z') || byte == '.') {
            encoded += c;
        } else if (byte == ' ') {
            encoded += '+';
        } else {
            encoded += '%';
            encoded += kHexDigits[byte >> 4];
            encoded += kHexDigits[byte & 0x0f];
        }
    }
    return encoded;
}
