#pragma once
// Small text helpers shared by the readers and the outputs of the core.

#include <cstdint>
#include <string>
#include <string_view>

namespace kt {

// `s` without the blanks and control characters (bytes up to 0x20) at both ends.
[[nodiscard]] std::string_view TrimBlanks(std::string_view s);

// ASCII letters converted; every other byte, UTF-8 included, stays as it is. Unlike
// std::toupper these do not depend on the C locale, which Qt sets from the environment.
[[nodiscard]] std::string UpperAscii(std::string s);
[[nodiscard]] std::string LowerAscii(std::string s);

// Length of the well-formed UTF-8 sequence that starts at s[i] (i < s.size()); 0 when the
// bytes there are no such sequence.
[[nodiscard]] std::size_t Utf8SequenceLength(std::string_view s, std::size_t i);

// True when `s` is well-formed UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF).
[[nodiscard]] bool IsValidUtf8(std::string_view s);

// At most `maxChars` characters of `s`, cut at a character boundary (a broken sequence
// counts as one character a byte).
[[nodiscard]] std::string_view Utf8Prefix(std::string_view s, std::size_t maxChars);

// `s` for an error message: its first `maxChars` characters and "..." when it is longer, so a
// hostile file cannot make a message as large as itself.
[[nodiscard]] std::string Abridged(std::string_view s, std::size_t maxChars = 40);

// `value` in upper-case hexadecimal, zero-padded to at least `digits` digits, no prefix.
[[nodiscard]] std::string HexDigits(std::uint64_t value, int digits);

// Numbers for people, the same in every locale (printf and Qt would follow the user's):
// "12.5": one decimal, rounded; "12.5 %"; "125 kbit/s", "62.5 kbit/s", "1 Mbit/s" for a rate
// in bit/s; "125" or "62.5" for the rate in kbit/s.
[[nodiscard]] std::string TenthsText(double value);
[[nodiscard]] std::string PercentText(double percent);
[[nodiscard]] std::string BitRateText(std::uint32_t bitsPerSecond);
[[nodiscard]] std::string KbitText(std::uint32_t bitsPerSecond);

// `s` as a JSON string, quotes included: " and \ escaped, control characters as \u00xx.
[[nodiscard]] std::string JsonString(std::string_view s);

// Natural order of names such as serial ports: text compared as text, digit runs as
// numbers (COM3 < COM12, ttyACM0 < ttyUSB0 < ttyUSB10).
[[nodiscard]] bool NaturalLess(std::string_view a, std::string_view b);

} // namespace kt
