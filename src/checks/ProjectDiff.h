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
// Added: only in B; Removed: only in A. Differing counts (image bytes): `a` holds the count.
enum class DiffKind { Added, Removed, Changed, Moved, Differing };

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

// True when the folder holds ParGen.xml or one of the frame lists: a folder the windows may
// offer to compare with.
[[nodiscard]] bool HoldsProjectFiles(const std::filesystem::path& dir);

// Texts of the window and the command line, from the language table. The window's kinds
// say "only in this Project" (A) and "only in the other Project" (B); the command line's
// "only in " and the name it gives A or B.
[[nodiscard]] std::string DiffSectionText(DiffSection s, const LanguageTable& texts);
[[nodiscard]] std::string DiffKindText(DiffKind k, const LanguageTable& texts);
[[nodiscard]] std::string DiffKindText(DiffKind k, const LanguageTable& texts,
                                       const std::string& nameA, const std::string& nameB);
// "3", "3 -> 5" or "" for an entry's rows.
[[nodiscard]] std::string DiffRowsText(const DiffEntry& e);

// "A: folder" and "B: folder", then one line an entry; "equal" text when there is none.
[[nodiscard]] std::string DiffReport(const ProjectDiff& diff, const LanguageTable& texts,
                                     const std::string& folderA, const std::string& folderB);
// {"a":folder,"b":folder,"equal":bool,"differences":[{section,kind,in,rowA,rowB,item,field,
// a,b}...]} with fixed English keys and values, for scripts; "in" is "A", "B" or "AB".
[[nodiscard]] std::string DiffJson(const ProjectDiff& diff, const std::string& folderA,
                                   const std::string& folderB);

} // namespace kt
