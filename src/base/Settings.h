#pragma once
// AppSettings and the settings file Korvel.xml.

#include "base/Status.h"

#include <filesystem>
#include <string>

namespace kt {

// The user's choices that outlive a session, kept in the settings file.
struct AppSettings {
    std::string ProjectName;
    std::string IpAddress = "192.168.2.205";
    std::string LanguageName = "English";
    bool EnableInternet = false;
    bool EnableUpdate = false;
    bool EnableJumpFieldTables = false;
    bool DoubleClickAutoSize = false;

    bool operator==(const AppSettings&) const = default;
};

// Reads the settings file; a missing or malformed file gives the defaults, a missing
// element gives only its own default. The root is the first element of the document,
// so a declaration or comment in front of it is passed over. The status says why an existing
// file could not be read (NotFound without the file); the value holds the defaults then.
[[nodiscard]] Result<AppSettings> ReadSettings(const std::filesystem::path& file);

// Where KeepDamagedSettings puts the copy: "<file>.bad" beside the file.
[[nodiscard]] std::filesystem::path DamagedSettingsFile(const std::filesystem::path& file);

// Copies a settings file that could not be read to DamagedSettingsFile, replacing an older
// copy, so that the next save does not lose what it held.
[[nodiscard]] Status KeepDamagedSettings(const std::filesystem::path& file);

// The whole file text as Save_Setting writes it.
[[nodiscard]] std::string SettingsXml(const AppSettings& s);

// Save_Setting: replaces the file atomically.
[[nodiscard]] Status WriteSettings(const std::filesystem::path& file, const AppSettings& s);

} // namespace kt
