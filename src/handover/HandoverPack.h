#pragma once
// The PLC hand-over pack: the GSD file, the device pictures it names, the configuration image,
// the I/O map and the commissioning report, written into one folder in one go.

#include "base/Status.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace kt {

class LanguageTable;
struct IoMap;

inline constexpr const char* HandoverImageFile = "bank1.bin";
inline constexpr const char* HandoverIoMapFile = "io_map.csv";
inline constexpr const char* HandoverHtmlFile = "report.html";
inline constexpr const char* HandoverPdfFile = "report.pdf";

// Renders the report's HTML to PDF bytes; `generated` is the report's date, for the PDF's own
// metadata. Supplied by the caller, since the core draws nothing.
using PdfRenderer =
    std::function<Status(const std::string& html, const std::string& generated, std::string& pdf)>;

struct HandoverRequest {
    std::filesystem::path ProjectDir;
    std::string ProjectName; // names the GSD file: the name with ".gsd"
    std::string Generated;   // date and time printed in the report
};

// Both directions of the I/O map in one table: a direction column, then the columns of the
// check window's export; one header line.
[[nodiscard]] std::string HandoverIoMapCsv(const IoMap& map, const LanguageTable& texts);

// The local date and time now, "yyyy-mm-dd hh:mm", as the report prints it.
[[nodiscard]] std::string ReportDateNow();
// True for a text of exactly that form with a plausible month, day, hour and minute.
[[nodiscard]] bool IsReportDate(const std::string& text);

struct HandoverFile {
    std::string Name;
    std::string Bytes;
};

// Every file of the pack, in memory, in the order they are listed to the user. Fails with text
// 1504 when the Project has no communication settings (the GSD step refuses it too), with the
// file's message when a Project file is not well-formed XML, or with the renderer's message.
[[nodiscard]] Status BuildHandoverFiles(const HandoverRequest& request, const LanguageTable& texts,
                                        const PdfRenderer& renderPdf,
                                        std::vector<HandoverFile>& out);

// True when `dir` already holds a file of one of these names (the caller may ask first).
[[nodiscard]] bool HandoverWouldReplace(const std::filesystem::path& dir,
                                        const std::vector<HandoverFile>& files);

// Writes the files into a temporary folder beside `dir`, then moves them into place: `dir`
// is created when missing; in an existing `dir` only files of the pack's names are replaced,
// others stay. On failure `dir` is as it was and no temporary folder is left. Killed at any
// moment, it leaves `dir` with the whole old or the whole new pack, or with what
// RestoreHandoverPack, which every write calls first, turns back into the whole old one.
[[nodiscard]] Status WriteHandoverPack(const std::filesystem::path& dir,
                                       const std::vector<HandoverFile>& files);

// Puts back the old pack in `dir` when a replacement of it was killed halfway, and removes
// the temporary files and folders of killed runs beside it.
[[nodiscard]] Status RestoreHandoverPack(const std::filesystem::path& dir);

} // namespace kt
