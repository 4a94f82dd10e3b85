#include "base/TextUtil.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

namespace kt {

std::string_view TrimBlanks(std::string_view s) {
    const auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
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

std::size_t Utf8SequenceLength(std::string_view s, std::size_t i) {
    const auto b = static_cast<unsigned char>(s[i]);
    std::size_t len = 0;
    unsigned char lo = 0x80, hi = 0xBF; // allowed range of the second byte
    if (b < 0x80)
        len = 1;
    else if (b >= 0xC2 && b <= 0xDF)
        len = 2;
    else if (b == 0xE0)
        len = 3, lo = 0xA0;
    else if (b == 0xED)
        len = 3, hi = 0x9F; // no surrogates
    else if (b >= 0xE1 && b <= 0xEF)
        len = 3;
    else if (b == 0xF0)
        len = 4, lo = 0x90;
    else if (b == 0xF4)
        len = 4, hi = 0x8F;
    else if (b >= 0xF1 && b <= 0xF3)
        len = 4;
    if (len == 0 || i + len > s.size()) return 0;
    for (std::size_t k = 1; k < len; ++k) {
        const auto c = static_cast<unsigned char>(s[i + k]);
        if (k == 1 ? (c < lo || c > hi) : (c & 0xC0) != 0x80) return 0;
    }
    return len;
}

bool IsValidUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t len = Utf8SequenceLength(s, i);
        if (len == 0) return false;
        i += len;
    }
    return true;
}

std::string_view Utf8Prefix(std::string_view s, std::size_t maxChars) {
    std::size_t i = 0;
    for (std::size_t n = 0; n < maxChars && i < s.size(); ++n)
        i += std::max<std::size_t>(1, Utf8SequenceLength(s, i));
    return s.substr(0, i);
}

std::string Abridged(std::string_view s, std::size_t maxChars) {
    const std::string_view head = Utf8Prefix(s, maxChars);
    std::string out(head);
    if (head.size() < s.size()) out += "...";
    return out;
}

namespace {
std::string Tenths(long long tenths) {
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}
} // namespace

std::string TenthsText(double value) {
    return Tenths(std::llround(value * 10));
}

std::string PercentText(double percent) {
    return TenthsText(percent) + " %";
}

std::string BitRateText(std::uint32_t bps) {
    const auto scaled = [](std::uint32_t v, std::uint32_t unit, const char* name) {
        std::string s = std::to_string(v / unit);
        if (const std::uint32_t rest = v % unit) {
            std::string frac = std::to_string(unit + rest).substr(1);
            while (frac.back() == '0')
                frac.pop_back();
            s += "." + frac;
        }
        return s + " " + name;
    };
    if (bps >= 1000000) return scaled(bps, 1000000, "Mbit/s");
    if (bps >= 1000) return scaled(bps, 1000, "kbit/s");
    return std::to_string(bps) + " bit/s";
}

std::string KbitText(std::uint32_t bitsPerSecond) {
    if (bitsPerSecond % 1000 == 0) return std::to_string(bitsPerSecond / 1000);
    return Tenths(std::llround(bitsPerSecond / 100.0));
}

std::string JsonString(std::string_view s) {
    std::string out = "\"";
    for (const char c : s) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20) {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\u%04x", u);
            out += buffer;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string HexDigits(std::uint64_t value, int digits) {
    char buf[24];
    std::snprintf(buf, sizeof buf, "%0*llX", digits, static_cast<unsigned long long>(value));
    return buf;
}

bool NaturalLess(std::string_view a, std::string_view b) {
    const auto digit = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; };
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (digit(a[i]) && digit(b[j])) {
            std::size_t ei = i, ej = j;
            while (ei < a.size() && digit(a[ei]))
                ++ei;
            while (ej < b.size() && digit(b[ej]))
                ++ej;
            // Compare the runs as numbers without converting: skip leading zeros, then length.
            std::size_t si = i, sj = j;
            while (si + 1 < ei && a[si] == '0')
                ++si;
            while (sj + 1 < ej && b[sj] == '0')
                ++sj;
            if (ei - si != ej - sj) return ei - si < ej - sj;
            const int cmp = a.substr(si, ei - si).compare(b.substr(sj, ej - sj));
            if (cmp != 0) return cmp < 0;
            if (ei - i != ej - j) return ei - i < ej - j;
            i = ei;
            j = ej;
            continue;
        }
        if (a[i] != b[j])
            return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]);
        ++i;
        ++j;
    }
    return a.size() - i < b.size() - j;
}

} // namespace kt
