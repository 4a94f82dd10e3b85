#pragma once
// Small text helpers shared by the readers and the outputs of the core.

#include <string_view>

namespace kt {

// `s` without the blanks and control characters (bytes up to 0x20) at both ends.
[[nodiscard]] std::string_view TrimBlanks(std::string_view s);

} // namespace kt
