#pragma once
// The I/O map: which CAN byte each PROFIBUS data byte of the slave carries.

#include "checks/CheckProject.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kt {

class LanguageTable;

enum class IoDirection { Input, Output };

// One PROFIBUS data byte.
struct IoMapRow {
    int byteOffset = 0;      // in the slave's input or output area, from 0
    int module = 0;          // module (slot) number, from 1 across both directions
    int moduleOffset = 0;    // byte within the module, from 0
    std::string identifier;  // the module's identifier bytes as the GSD writes them
    int listRow = 0;         // frame row in the receive (input) or transmit (output) list, from 1
    std::uint32_t cobId = 0; // without the 29-bit flag
    bool extended = false;   // 29-bit identifier
    int canByte = 0;         // data byte of the frame that lands here, 1..8
    std::string mnemonic;
    int swapFirst = 0; // CAN bytes of the swap group this byte lies in; 0 when none
    int swapLast = 0;
    bool operator==(const IoMapRow&) const = default;
};

struct IoMap {
    std::vector<IoMapRow> inputs;
    std::vector<IoMapRow> outputs;
    [[nodiscard]] const std::vector<IoMapRow>& rows(IoDirection d) const {
        return d == IoDirection::Input ? inputs : outputs;
    }
};

// Builds the map from the modules the GSD step writes. Fails when a file cannot be read or
// the GSD step could not declare the modules (hand-edited lengths).
[[nodiscard]] Status BuildIoMap(const ProjectData& data, IoMap& map);
[[nodiscard]] Status BuildIoMap(const ProjectFiles& files, IoMap& map);

// The identifier as the lists show it: "0x123".
[[nodiscard]] std::string CobIdHex(std::uint32_t cobId);
// "2-4" for a swap group, empty when the byte lies in none.
[[nodiscard]] std::string SwapGroupText(const IoMapRow& row);
// The column headers, from the language table, in the order of the CSV and the window.
[[nodiscard]] std::vector<std::string> IoMapHeaders(const LanguageTable& texts);
// One row's cells in the order of the headers.
[[nodiscard]] std::vector<std::string> IoMapCells(const IoMapRow& row);
// The rows as a CSV file: the header line, then one line a byte.
[[nodiscard]] std::string IoMapCsv(const std::vector<IoMapRow>& rows, const LanguageTable& texts);

} // namespace kt
