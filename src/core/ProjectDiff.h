#pragma once
// The differences between two Projects: communication settings, the two frame lists matched
// by identifier and type, and what the device gets from them (GSD modules, image).

#include "base/Status.h"

#include <filesystem>
#include <string>
#include <vector>

namespace kt {

class LanguageTable;

enum class DiffSection { Communication, Receive, Transmit, Device };
enum class DiffKind { Added, Removed, Changed, Moved };

struct DiffEntry {
    DiffSection section;
    DiffKind kind;
    int rowA = 0;      // row in Project A (from 1), 0 when the frame is not there
    int rowB = 0;      // row in Project B
    std::string item;  // the frame ("0x123 (11 bits)"); empty for settings and device values
    std::string field; // attribute, setting or device value that differs
    std::string a, b;  // its value in A and in B
    bool operator==(const DiffEntry&) const = default;
};

struct ProjectDiff {
    std::vector<DiffEntry> entries;
    [[nodiscard]] bool equal() const { return entries.empty(); }
};

// Compares the Projects in the two folders. Fails (exit code 2 of the command line) when a
// folder is missing or one of their files is not readable XML.
[[nodiscard]] Status DiffProjects(const std::filesystem::path& a, const std::filesystem::path& b,
                                  ProjectDiff& diff);

// Texts of the window and the command line, from the language table.
[[nodiscard]] std::string DiffSectionText(DiffSection s, const LanguageTable& texts);
[[nodiscard]] std::string DiffKindText(DiffKind k, const LanguageTable& texts);
// "3", "3 -> 5" or "" for an entry's rows.
[[nodiscard]] std::string DiffRowsText(const DiffEntry& e);

// One line an entry; "equal" text when there is none.
[[nodiscard]] std::string DiffReport(const ProjectDiff& diff, const LanguageTable& texts);
// {"equal":bool,"differences":[{section,kind,rowA,rowB,item,field,a,b}...]} with fixed
// English keys and values, for scripts.
[[nodiscard]] std::string DiffJson(const ProjectDiff& diff);

} // namespace kt
