#pragma once
// Language files (*.lng) and flag pictures in the LANGUAGE folder.

#include "core/Status.h"
#include "lang/LanguageTable.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kt {

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

} // namespace kt
