#pragma once
// Language files (*.lng) and flag pictures in the LANGUAGE folder.

#include "base/Status.h"
#include "lang/LanguageTable.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kt {

// Why a line of a language file changed nothing.
enum class LangLineSkip {
    None,         // the line sets a text
    NoStr,        // does not begin with "STR" (blank lines and free text included)
    NoEquals,     // no "=" after "STR"
    BadId,        // nothing left for the ID, or not a decimal integer
    IdOutOfRange, // negative, or not below the table size
    EmptyText,    // nothing after "="
    CommentOnly,  // nothing before the "/#/" comment
};

// Short English description of a skip reason, for reports ("no STR", "bad ID", ...).
[[nodiscard]] const char* LangLineSkipName(LangLineSkip reason);

// Outcome of one line: the (id, text) it sets, or why it was skipped.
struct LangLine {
    LangLineSkip skip = LangLineSkip::NoStr;
    int id = -1;
    std::string idText; // the ID as written in the file, after the dropped character
    std::string text;
    // The character dropped before "=" was not a blank: the ID was probably meant longer.
    bool droppedNonBlank = false;

    [[nodiscard]] bool sets() const { return skip == LangLineSkip::None; }
};

// Applies the text-line rules to one decoded (UTF-8) line without its line end.
[[nodiscard]] LangLine ParseLangLine(std::string_view line,
                                     int tableSize = LanguageTable::DefaultSize);

// Decodes a file's bytes to UTF-8: BOM for UTF-8 / UTF-16 LE / UTF-16 BE; without one,
// bytes that are valid UTF-8 as they are, otherwise Windows-1252. Malformed input becomes U+FFFD,
// never invalid UTF-8.
[[nodiscard]] std::string DecodeLanguageBytes(std::string_view bytes);

// Splits decoded text at CR LF, LF or CR. A final line end does not start another line.
[[nodiscard]] std::vector<std::string> SplitLanguageLines(std::string_view text);

// Applies the text lines of one language file to the table (no reset first).
// Fails only when the file cannot be opened or read; the message says why.
[[nodiscard]] Status Read_Lang_File(const std::filesystem::path& file, LanguageTable& table);

// Defaults, then LanguageName's file; falls back to English (and sets languageName to
// "English") when that file is missing. A read failure leaves the defaults and is returned.
[[nodiscard]] Status Load_Language(const std::filesystem::path& languageDir,
                                   std::string& languageName, LanguageTable& table);

// File names (with ".lng") of the languages offered, sorted without regard to case.
[[nodiscard]] std::vector<std::string> ListLanguageFiles(const std::filesystem::path& languageDir);

// The flag picture of a language: its own bitmap, else DefaultFlag.bmp, else none.
[[nodiscard]] std::optional<std::filesystem::path>
FlagPicture(const std::filesystem::path& languageDir, const std::string& languageName);

// A complete language file (UTF-8 with BOM, CR LF) holding every text of the table between
// pilcrows; a text that a window shows carries a "/#/" comment saying where (TextUse). Throws
// std::invalid_argument for a text no line can carry (pilcrow, line break,
// "/#/").
[[nodiscard]] std::string LanguageTemplate(const LanguageTable& table);

// What each line of a language file does, for translators.
struct LanguageCheckLine {
    int lineNumber = 0; // 1-based
    LangLine result;
    int replacesLine = 0; // earlier line that set the same ID, 0 if none
};

// CheckLanguageFile's findings: one entry per line and the totals.
struct LanguageCheckReport {
    std::vector<LanguageCheckLine> lines;
    int setTexts = 0;         // lines that set a text
    int distinctIds = 0;      // IDs set at least once
    int skippedTextLines = 0; // lines beginning with "STR" that were skipped
    int otherLines = 0;       // lines without "STR": free text, blank lines, comments
};

// Reads a language file as Read_Lang_File does and reports on every line.
[[nodiscard]] Result<LanguageCheckReport>
CheckLanguageFile(const std::filesystem::path& file, int tableSize = LanguageTable::DefaultSize);

} // namespace kt
