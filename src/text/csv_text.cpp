#include "csv_text.h"

namespace {
constexpr char Quote = '"';
constexpr char Separator = ',';
constexpr std::string_view RowEnd = "\r\n";
constexpr std::string_view QuotedCharacters = ",\"\r\n";
}  // namespace

void AppendCsvField(std::string& out, std::string_view field) {
    if (field.find_first_of(QuotedCharacters) == std::string_view::npos) {
        out.append(field);
        return;
    }
    out.push_back(Quote);
    for (const char c : field) {
        if (c == Quote) out.push_back(Quote);
        out.push_back(c);
    }
    out.push_back(Quote);
}

void AppendCsvRow(std::string& out, const std::vector<std::string>& fields) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) out.push_back(Separator);
        AppendCsvField(out, fields[i]);
    }
    out.append(RowEnd);
}

std::string CsvFile(const std::vector<std::vector<std::string>>& rows) {
    std::string out(Utf8ByteOrderMark);
    for (const auto& row : rows) AppendCsvRow(out, row);
    return out;
}
