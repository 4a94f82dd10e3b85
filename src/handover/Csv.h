#pragma once
// Comma-separated text as spreadsheet programs read it: fields quoted only when needed,
// quotes doubled, CR LF after every line.

#include <string>
#include <string_view>
#include <vector>

namespace kt {

// One field: quoted when it holds a comma, a quotation mark, a line break, or a blank at
// either end (which spreadsheets would otherwise drop).
[[nodiscard]] std::string CsvField(std::string_view text);
// The fields joined with commas, ending with CR LF.
[[nodiscard]] std::string CsvLine(const std::vector<std::string>& fields);

} // namespace kt
