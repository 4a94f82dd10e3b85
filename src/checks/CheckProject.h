#pragma once
// Check Project: what would fail at power-up or at commissioning, found on the desk.
// The files are read by the rules of the editors, the image compiler and the GSD step.

#include "base/Status.h"
#include "base/Workspace.h"
#include "outputs/ConfigImage.h"
#include "outputs/GsdFile.h"
#include "project/FrameList.h"
#include "project/ParGenFile.h"
#include "project/ProjectSnapshot.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kt {

class LanguageTable;

// A Project as the check and the I/O map judge it, each file parsed once.
struct ProjectData {
    std::string parGenRoot;          // its root element's name when that is not Par_Gen
    ParGen settings;                 // defaults without ParGen.xml
    std::uint32_t baudRate = 125000; // bit/s, as the image holds it
    // Every frame node of each list, read as the editors read a row...
    std::vector<FrameRow> receiveRows, transmitRows;
    // ... and as the image compiler reads it (the image keeps the first 32).
    std::vector<ImageFrame> receiveImage, transmitImage;
    GSD_Data gsd; // as the GSD step reads it, also when ParGen.xml is missing
    // How each file was read: Ok, NotFound, or why it could not be read.
    Status parGenRead, receiveRead, transmitRead;

    // The first file that is there but could not be read; nullptr when there is none.
    [[nodiscard]] const Status* unreadable() const;
    // At least one of the three files exists (readable or not).
    [[nodiscard]] bool anyFile() const;
    // ParGen.xml exists and could be read.
    [[nodiscard]] bool hasParGen() const { return parGenRead.ok(); }
};

// Reads the three files; an unreadable file counts as missing and its error is kept.
[[nodiscard]] ProjectData ReadProjectData(const ProjectFiles& files);
[[nodiscard]] ProjectData ReadProjectData(const ProjectSnapshot& project);

enum class Severity { Error, Warning, Note };
// What a finding concerns: the whole Project, ParGen.xml, or one of the lists.
enum class FindingList { Project, Settings, Receive, Transmit };

struct Finding {
    Severity severity = Severity::Note;
    std::string code; // stable, for scripts: "duplicate-id"
    FindingList list = FindingList::Project;
    int row = 0; // 1.. in the list; 0 when no single row
    std::string message;
    bool operator==(const Finding&) const = default;
};

// The CAN bus load of the Project, in percent of the bit rate.
struct BusLoad {
    std::uint32_t bitRate = 0;
    double transmitPercent = 0; // the converter's periodic frames
    double receivePercent = 0;  // at least: every receive frame once per time-out
    [[nodiscard]] double totalPercent() const { return transmitPercent + receivePercent; }
};

struct ProjectCheck {
    std::vector<Finding> findings; // by severity, then list and row; whole-Project ones last
    BusLoad busLoad;
    [[nodiscard]] int count(Severity severity) const;
};

// Checks the Project's files; messages come from `texts`.
[[nodiscard]] ProjectCheck CheckProject(const ProjectFiles& files, const LanguageTable& texts);
[[nodiscard]] ProjectCheck CheckProjectData(const ProjectData& data, const LanguageTable& texts);

// Bits of one CAN data frame with worst-case stuffing, n data bytes.
[[nodiscard]] int FrameBits(bool extended, int n);
[[nodiscard]] BusLoad EstimateBusLoad(const ProjectData& data);

// Limits of a DP slave that the check applies.
inline constexpr int DpMaxDataBytes = 244; // input, output, and configuration data
inline constexpr int DpConfigBytesPerModule = 4;
inline constexpr double BusLoadWarnPercent = 50;
inline constexpr double BusLoadErrorPercent = 80;

// Stable name of a severity: "error", "warning", "note".
[[nodiscard]] const char* SeverityName(Severity severity);
// Stable name of a list: "project", "settings", "receive", "transmit".
[[nodiscard]] const char* FindingListName(FindingList list);
// The list's name for the user, from the language table.
[[nodiscard]] const std::string& FindingListText(FindingList list, const LanguageTable& texts);
[[nodiscard]] const std::string& SeverityText(Severity severity, const LanguageTable& texts);

// The findings as a CSV file: severity, list, row, message and code, headers from `texts`.
[[nodiscard]] std::string FindingsCsv(const ProjectCheck& check, const LanguageTable& texts);

// The findings as one JSON document (UTF-8), for scripts.
[[nodiscard]] std::string FindingsJson(const ProjectCheck& check);

} // namespace kt
