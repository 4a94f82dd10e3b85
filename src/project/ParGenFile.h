#pragma once
// The communication settings of a Project, kept in ParGen.xml.

#include "base/Status.h"

#include <pugixml.hpp>

#include <array>
#include <filesystem>
#include <string>

namespace kt {

class LanguageTable;

// The CAN bit rates offered, by stored index.
inline constexpr std::array<const char*, 10> CanBaudTexts = {
    "10K", "20K", "50K", "62.5K", "100K", "125K", "250K", "500K", "800K", "1000K"};
inline constexpr int DefaultCanBaudIndex = 9;

// The communication settings as the dialog edits them and ParGen.xml stores them.
struct ParGen {
    int CanBaudIndex = DefaultCanBaudIndex; // as read; may lie outside 0..9 in a hand-edited file
    std::string StationAddress = "10";      // exactly as typed, never trimmed
    bool GsdCanMapping = false;

    bool operator==(const ParGen&) const = default;
};

// True when the stored index names one of CanBaudTexts.
[[nodiscard]] bool IsKnownCanBaudIndex(int index);

// Reads ParGen.xml, each value on its own with its own default. A missing file is normal
// for a new Project: NotFound with the defaults. Malformed XML is Malformed with the
// parser's description and the file's name, and also gives the defaults.
[[nodiscard]] Result<ParGen> ReadParGen(const std::filesystem::path& file);
// The settings of a loaded ParGen.xml, each value or its default.
[[nodiscard]] ParGen ParGenFromXml(const pugi::xml_document& doc);

// The document as stored: no declaration, no indentation, the version comment last.
// A baud index outside 0..9 is stored as the default index.
[[nodiscard]] std::string ParGenXml(const ParGen& values);

// Replaces the file atomically; on failure the old file stays and the message says why.
[[nodiscard]] Status WriteParGen(const std::filesystem::path& file, const ParGen& values);

// Station-address rule: empty when the address reads as 1..125, else the text
// ParGenStationAddressRange.
[[nodiscard]] std::string Controllo_Dati(const ParGen& values, const LanguageTable& texts);

} // namespace kt
