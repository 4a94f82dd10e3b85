// Byte decoding and line splitting of language files.

#include "lang/LanguageFile.h"

#include "base/TextUtil.h"

#include <array>
#include <cstdint>

namespace kt {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Windows-1252 0x80..0x9F. The five bytes the code page leaves undefined (81, 8D, 8F, 90,
// 9D) map to the C1 control of the same value, as the Windows conversion does.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

std::string FromCp1252(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x80 && b <= 0x9F)
            AppendUtf8(out, kCp1252High[b - 0x80]);
        else
            AppendUtf8(out, b);
    }
    return out;
}

// Keeps well-formed UTF-8 and replaces each byte of a malformed sequence with U+FFFD.
std::string SanitizeUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        if (const std::size_t len = Utf8SequenceLength(bytes, i); len > 0) {
            out.append(bytes.substr(i, len));
            i += len;
        } else {
            AppendUtf8(out, kReplacement);
            ++i;
        }
    }
    return out;
}

std::string FromUtf16(std::string_view bytes, bool bigEndian) {
    std::string out;
    out.reserve(bytes.size());
    const std::size_t units = bytes.size() / 2;
    auto unit = [&](std::size_t k) -> char16_t {
        const auto a = static_cast<unsigned char>(bytes[2 * k]);
        const auto b = static_cast<unsigned char>(bytes[2 * k + 1]);
        return static_cast<char16_t>(bigEndian ? (a << 8) | b : (b << 8) | a);
    };
    for (std::size_t k = 0; k < units; ++k) {
        const char16_t u = unit(k);
        if (u >= 0xD800 && u <= 0xDBFF && k + 1 < units) {
            const char16_t low = unit(k + 1);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                AppendUtf8(out, 0x10000 + ((char32_t(u) - 0xD800) << 10) + (low - 0xDC00));
                ++k;
                continue;
            }
        }
        AppendUtf8(out, (u >= 0xD800 && u <= 0xDFFF) ? kReplacement : char32_t(u));
    }
    if (bytes.size() % 2 != 0) AppendUtf8(out, kReplacement);
    return out;
}

} // namespace

std::string DecodeLanguageBytes(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF")) return SanitizeUtf8(bytes.substr(3));
    if (bytes.starts_with("\xFF\xFE")) return FromUtf16(bytes.substr(2), false);
    if (bytes.starts_with("\xFE\xFF")) return FromUtf16(bytes.substr(2), true);
    // No byte-order mark. Most editors now save UTF-8 without one; Windows-1252 text with
    // letters beyond ASCII is practically never valid UTF-8, so valid UTF-8 is taken as such.
    if (IsValidUtf8(bytes)) return std::string(bytes);
    return FromCp1252(bytes);
}

std::vector<std::string> SplitLanguageLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.emplace_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

} // namespace kt
