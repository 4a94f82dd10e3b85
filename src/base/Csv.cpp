#include "handover/Csv.h"

namespace kt {

std::string CsvField(std::string_view text) {
    const bool quote = text.find_first_of(";,\"\r\n") != std::string_view::npos ||
                       (!text.empty() && (text.front() == ' ' || text.back() == ' '));
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

} // namespace kt
