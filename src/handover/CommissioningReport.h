#pragma once
// The commissioning report: one self-contained HTML document, printable on A4, that records
// what went into the device.

#include "checks/CheckProject.h"
#include "checks/IoMap.h"
#include "outputs/ConfigImage.h"
#include "project/FrameList.h"

#include <string>
#include <vector>

namespace kt {

class LanguageTable;

// One PROFIBUS module as the GSD file declares it.
struct ReportModule {
    int Slot = 0;
    bool Input = true;
    int Bytes = 0;
    std::string Identifier; // the four identifier bytes, "0x42,0x07,0x00,0x01"
};

// Everything the report shows, gathered from one Project at one moment.
struct CommissioningData {
    std::string Generated; // date and time as printed; the caller's clock, so tests inject it
    std::string ProjectName;
    std::string ProjectFolder; // UTF-8
    FrameList Receive{FrameKind::Receive};
    FrameList Transmit{FrameKind::Transmit};
    std::vector<ReportModule> Modules;
    IoMap Map;
    ProjectCheck Check;
    std::string GsdFileName;
    std::string Gsd;     // the GSD text, byte for byte
    ConfigImage Image{}; // the communication settings are taken from it: what the device gets
};

// The report; texts from `texts` (block 600, and the check's own block for its parts),
// values escaped for HTML.
[[nodiscard]] std::string CommissioningHtml(const CommissioningData& data,
                                            const LanguageTable& texts);

} // namespace kt
