#pragma once
// The one rule by which the configurator turns a typed text into an integer.

#include <cstdint>
#include <string_view>

namespace kt {

// Reads `text` as a 32-bit signed integer: leading blanks, an optional sign, then decimal
// digits or a hexadecimal number after "$", "x", "X", "0x" or "0X" (up to 0xFFFFFFFF, values
// from 0x80000000 read as negative). Anything else, trailing blanks included, gives `fallback`.
[[nodiscard]] std::int32_t IntOrDefault(std::string_view text, std::int32_t fallback) noexcept;

} // namespace kt
