#include "base/TextUtil.h"

#include <cstdio>

namespace kt {

std::string_view TrimBlanks(std::string_view s) {
    const auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

std::string UpperAscii(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

std::string LowerAscii(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

std::string HexDigits(std::uint64_t value, int digits) {
    char buf[24];
    std::snprintf(buf, sizeof buf, "%0*llX", digits, static_cast<unsigned long long>(value));
    return buf;
}

} // namespace kt
