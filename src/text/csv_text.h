#pragma once
#include <string>
#include <string_view>
#include <vector>

// Comma-separated values as RFC 4180 has them: a field holding a comma, a
// double quote, CR or LF is put in double quotes, its quotes doubled; each
// row ends with CR LF. Texts go in as they are: give them in UTF-8.

// The UTF-8 byte-order mark. Spreadsheet programs on Windows read a CSV file
// without it in the ANSI code page and garble any non-ASCII letter; with it
// they read UTF-8. The mark is the file's first bytes, before the first row.
inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

void AppendCsvField(std::string& out, std::string_view field);
// The fields, separated by commas, and CR LF.
void AppendCsvRow(std::string& out, const std::vector<std::string>& fields);
// A whole file: the byte-order mark, then every row.
std::string CsvFile(const std::vector<std::vector<std::string>>& rows);
