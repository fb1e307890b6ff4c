#include "csv_text.h"

namespace {
constexpr char kQuote = '"';
constexpr char kSeparator = ',';
constexpr std::string_view kRowEnd = "\r\n";
constexpr std::string_view kQuotedCharacters = ",\"\r\n";
}  // namespace

void AppendCsvField(std::string& out, std::string_view field) {
    if (field.find_first_of(kQuotedCharacters) == std::string_view::npos) {
        out.append(field);
        return;
    }
    out.push_back(kQuote);
    for (const char c : field) {
        if (c == kQuote) out.push_back(kQuote);
        out.push_back(c);
    }
    out.push_back(kQuote);
}

void AppendCsvRow(std::string& out, const std::vector<std::string>& fields) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) out.push_back(kSeparator);
        AppendCsvField(out, fields[i]);
    }
    out.append(kRowEnd);
}

std::string CsvFile(const std::vector<std::vector<std::string>>& rows) {
    std::string out(kUtf8ByteOrderMark);
    for (const auto& row : rows) AppendCsvRow(out, row);
    return out;
}
