#pragma once
// The one CSV writer of the program: what spreadsheet programs read without asking. ';'
// between fields, CR LF line ends, UTF-8 opened with a byte-order mark (else umlauts show as
// two odd characters), fields quoted only when needed and quotes doubled.

#include <string>
#include <string_view>
#include <vector>

namespace kt {

inline constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";

// One field: quoted when it holds a ';' or ',' (either may be the separator a spreadsheet
// guesses), a quotation mark, a line break, or a blank at either end (else dropped).
[[nodiscard]] std::string CsvField(std::string_view text);
// The fields joined with ';', ending with CR LF.
[[nodiscard]] std::string CsvLine(const std::vector<std::string>& fields);
// A whole file: the byte-order mark, then one line a row.
[[nodiscard]] std::string CsvText(const std::vector<std::vector<std::string>>& rows);

} // namespace kt
