#include "base/Csv.h"

namespace kt {

namespace {
bool OuterBlank(char c) {
    return c == ' ' || c == '\t';
}
} // namespace

std::string CsvField(std::string_view text) {
    const bool quote = text.find_first_of(";,\"\r\n") != std::string_view::npos ||
                       (!text.empty() && (OuterBlank(text.front()) || OuterBlank(text.back())));
    if (!quote) return std::string(text);
    std::string out = "\"";
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
    return out;
}

std::string CsvLine(const std::vector<std::string>& fields) {
    std::string out;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i) out += ';';
        out += CsvField(fields[i]);
    }
    out += "\r\n";
    return out;
}

std::string CsvText(const std::vector<std::vector<std::string>>& rows) {
    std::string out(Utf8Bom);
    for (const std::vector<std::string>& row : rows)
        out += CsvLine(row);
    return out;
}

} // namespace kt
