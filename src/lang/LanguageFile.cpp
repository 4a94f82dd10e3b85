#include "lang/LanguageFile.h"

#include "base/FileUtil.h"
#include "base/Identity.h"
#include "base/TextUtil.h"
#include "lang/TextUses.h"

#include <algorithm>
#include <stdexcept>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

namespace kt {
namespace fs = std::filesystem;

namespace {

constexpr std::string_view kPilcrow = "\xC2\xB6"; // U+00B6 in UTF-8
constexpr std::string_view kComment = "/#/";

// Wider than TrimBlanks: a language line sheds DEL as well, like every other control character.
bool IsBlankOrControl(char c) {
    const auto b = static_cast<unsigned char>(c);
    return b <= 0x20 || b == 0x7F;
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlankOrControl(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlankOrControl(s.back()))
        s.remove_suffix(1);
    return s;
}

bool IsUtf8Continuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// A decimal integer with an optional sign; huge values saturate (they are out of range anyway).
std::optional<long long> ParseDecimal(std::string_view s) {
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    if (s.empty()) return std::nullopt;
    long long value = 0;
    for (const char c : s) {
        if (c < '0' || c > '9') return std::nullopt;
        value = std::min(value * 10 + (c - '0'), 1'000'000'000'000LL);
    }
    return negative ? -value : value;
}

#ifdef _WIN32
constexpr const char* kNameSeparators = "/\\";
#else
constexpr const char* kNameSeparators = "/";
#endif

// A language name comes from the settings file; it must not lead out of the LanguageDir.
bool IsPlainName(const std::string& name) {
    return name.find_first_of(kNameSeparators) == std::string::npos;
}

fs::path LanguageFilePath(const fs::path& dir, const std::string& name) {
    return dir / PathFromUtf8(name + ".lng");
}

Status ReadLanguageLines(const fs::path& file, std::vector<std::string>& lines) {
    const Result<std::string> bytes = ReadFileBytes(file, MaxLanguageFileBytes);
    if (!bytes) return bytes.status;
    lines = SplitLanguageLines(DecodeLanguageBytes(bytes.value));
    return Status::success();
}

bool EndsWithLng(const std::string& name) {
    if (name.size() < 4) return false;
    const std::string_view ext = std::string_view(name).substr(name.size() - 4);
#ifdef _WIN32
    // Windows names are matched without regard to case, as the file system does.
    return LowerAscii(std::string(ext)) == ".lng";
#else
    return ext == ".lng";
#endif
}

// Read-only files, folders and special entries are not offered as languages.
bool IsOfferedFile(const fs::directory_entry& entry) {
#ifdef _WIN32
    const DWORD attrs = GetFileAttributesW(entry.path().c_str());
    if (attrs == INVALID_FILE_ATTRIBUTES) return false;
    constexpr DWORD allowed = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                              FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NORMAL |
                              FILE_ATTRIBUTE_SPARSE_FILE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    return (attrs & ~allowed) == 0;
#else
    std::error_code ec;
    const fs::file_status st = entry.status(ec);
    return !ec && fs::is_regular_file(st) &&
           (st.permissions() & fs::perms::owner_write) != fs::perms::none;
#endif
}

} // namespace

const char* LangLineSkipName(LangLineSkip reason) {
    switch (reason) {
    case LangLineSkip::None:
        return "sets a text";
    case LangLineSkip::NoStr:
        return "no STR";
    case LangLineSkip::NoEquals:
        return "no \"=\"";
    case LangLineSkip::BadId:
        return "bad ID";
    case LangLineSkip::IdOutOfRange:
        return "ID out of range";
    case LangLineSkip::EmptyText:
        return "empty text";
    case LangLineSkip::CommentOnly:
        return "comment only";
    }
    return "?";
}

LangLine ParseLangLine(std::string_view line, int tableSize) {
    LangLine r;
    line = Trim(line);
    if (!line.starts_with("STR")) return r; // NoStr
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) {
        r.skip = LangLineSkip::NoEquals;
        return r;
    }
    // The character directly before "=" is dropped, whatever it is, so "STR12=" means ID 1.
    std::size_t idEnd = eq;
    if (idEnd > 3) {
        --idEnd;
        while (idEnd > 3 && IsUtf8Continuation(line[idEnd]))
            --idEnd;
        const std::string_view dropped = line.substr(idEnd, eq - idEnd);
        r.droppedNonBlank = dropped != " " && dropped != "\t";
    }
    r.idText = std::string(Trim(line.substr(3, idEnd - 3)));
    const std::optional<long long> id = ParseDecimal(r.idText);
    if (!id) {
        r.skip = LangLineSkip::BadId;
        return r;
    }
    if (*id < 0 || *id >= tableSize) {
        r.skip = LangLineSkip::IdOutOfRange;
        r.id = static_cast<int>(std::clamp(*id, -1'000'000'000LL, 1'000'000'000LL));
        return r;
    }
    r.id = static_cast<int>(*id);

    std::string_view text = Trim(line.substr(eq + 1));
    if (text.empty()) {
        r.skip = LangLineSkip::EmptyText;
        return r;
    }
    if (const std::size_t c = text.find(kComment); c != std::string_view::npos) {
        text = Trim(text.substr(0, c));
        if (text.empty()) {
            r.skip = LangLineSkip::CommentOnly;
            return r;
        }
    }
    if (text.starts_with(kPilcrow)) text.remove_prefix(kPilcrow.size());
    if (const std::size_t p = text.find(kPilcrow); p != std::string_view::npos)
        text = text.substr(0, p);
    r.skip = LangLineSkip::None;
    r.text = std::string(text);
    return r;
}

Status Read_Lang_File(const fs::path& file, LanguageTable& table) {
    std::vector<std::string> lines;
    // The whole file is read before any text changes: a read failure applies nothing.
    if (Status st = ReadLanguageLines(file, lines); !st) return st;
    for (const std::string& line : lines) {
        LangLine r = ParseLangLine(line, table.size());
        if (r.sets()) table.Set_Text(r.id, std::move(r.text));
    }
    return Status::success();
}

Status Load_Language(const fs::path& languageDir, std::string& languageName, LanguageTable& table) {
    table.Load_Default_Texts();
    if (IsPlainName(languageName)) {
        const fs::path own = LanguageFilePath(languageDir, languageName);
        if (IsRegularFile(own)) return Read_Lang_File(own, table);
    }
    languageName = "English";
    const fs::path english = LanguageFilePath(languageDir, languageName);
    if (IsRegularFile(english)) return Read_Lang_File(english, table);
    return Status::success();
}

std::vector<std::string> ListLanguageFiles(const fs::path& languageDir) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(languageDir, ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = PathToUtf8(it->path().filename());
        if (EndsWithLng(name) && IsOfferedFile(*it)) names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const std::string la = LowerAscii(a), lb = LowerAscii(b);
        return la != lb ? la < lb : a < b;
    });
    return names;
}

std::optional<fs::path> FlagPicture(const fs::path& languageDir, const std::string& languageName) {
    if (IsPlainName(languageName)) {
        const fs::path own = languageDir / PathFromUtf8(languageName + ".bmp");
        if (IsRegularFile(own)) return own;
    }
    const fs::path fallback = languageDir / "DefaultFlag.bmp";
    if (IsRegularFile(fallback)) return fallback;
    return std::nullopt;
}

std::string LanguageTemplate(const LanguageTable& table) {
    std::string out = "\xEF\xBB\xBF"; // the BOM keeps the pilcrows intact in any editor
    out += std::string("/#/ ") + SwCode + " language file: English texts, one line per ID.\r\n";
    out += "/#/ Translate the text between the two pilcrows; they keep leading and trailing "
           "blanks.\r\n";
    out += "/#/ Lines not beginning with STR are ignored, and so is a line's rest after /#/.\r\n";
    out += "/#/ A comment after a text names the window that shows it; texts without one are "
           "not shown.\r\n";
    for (int id = 0; id < table.size(); ++id) {
        const std::string& text = table.Get_Text(id);
        if (text.find(kPilcrow) != std::string::npos || text.find(kComment) != std::string::npos ||
            text.find_first_of("\r\n") != std::string::npos)
            throw std::invalid_argument("text " + std::to_string(id) +
                                        " cannot be written to a language file");
        std::string number = std::to_string(id);
        if (number.size() < 4) number.insert(0, 4 - number.size(), '0');
        out += "STR" + number + " = ";
        out += kPilcrow;
        out += text;
        out += kPilcrow;
        if (const char* where = TextUse(id)) {
            out += " /#/ ";
            out += where;
        }
        out += "\r\n";
    }
    return out;
}

Result<LanguageCheckReport> CheckLanguageFile(const fs::path& file, int tableSize) {
    Result<LanguageCheckReport> r;
    LanguageCheckReport& report = r.value;
    std::vector<std::string> lines;
    if (r.status = ReadLanguageLines(file, lines); !r.status) return r;
    std::vector<int> lastLineOf(static_cast<std::size_t>(std::max(tableSize, 0)), 0);
    report.lines.reserve(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        LanguageCheckLine entry{static_cast<int>(i + 1), ParseLangLine(lines[i], tableSize), 0};
        if (entry.result.sets()) {
            ++report.setTexts;
            int& last = lastLineOf[static_cast<std::size_t>(entry.result.id)];
            if (last == 0) ++report.distinctIds;
            entry.replacesLine = last;
            last = entry.lineNumber;
        } else if (entry.result.skip == LangLineSkip::NoStr) {
            ++report.otherLines;
        } else {
            ++report.skippedTextLines;
        }
        report.lines.push_back(std::move(entry));
    }
    return r;
}

} // namespace kt
