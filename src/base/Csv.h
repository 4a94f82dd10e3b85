#pragma once
// Separated text as spreadsheet programs read it: ';' between fields (as the I/O map export
// of the check window writes), fields quoted only when needed, quotes doubled, CR LF line ends.

#include <string>
#include <string_view>
#include <vector>

namespace kt {

// One field: quoted when it holds a ';' or ',' (either may be the separator a spreadsheet
// guesses), a quotation mark, a line break, or a blank at either end (else dropped).
[[nodiscard]] std::string CsvField(std::string_view text);
// The fields joined with ';', ending with CR LF.
[[nodiscard]] std::string CsvLine(const std::vector<std::string>& fields);

} // namespace kt
