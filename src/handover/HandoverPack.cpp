#include "handover/HandoverPack.h"

#include "base/Csv.h"
#include "base/FileUtil.h"
#include "base/Workspace.h"
#include "checks/CheckProject.h"
#include "checks/IoMap.h"
#include "handover/CommissioningReport.h"
#include "handover/DeviceBitmap.h"
#include "lang/LanguageTable.h"
#include "outputs/ConfigImage.h"
#include "outputs/GsdFile.h"
#include "project/ParGenFile.h"

#include <ctime>
#include <string_view>
#include <system_error>

namespace kt {
namespace fs = std::filesystem;

namespace {

Status CannotWrite(const fs::path& p, const std::string& reason) {
    return Status::io("Cannot write \"" + PathToUtf8(p) + "\": " + reason);
}

bool Exists(const fs::path& p) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(p, ec));
}

// "out/" and "out" name the same folder.
fs::path Normal(const fs::path& dir) {
    fs::path d = dir.lexically_normal();
    if (d.filename().empty() && d.has_parent_path()) d = d.parent_path();
    return d;
}

fs::path ParentOf(const fs::path& dir) {
    return dir.has_parent_path() ? dir.parent_path() : fs::path(".");
}

// Beside the pack while it is replaced: "new" holds the new files until they are moved in,
// "previous" the files they replace together with the list below, "done" is a "previous"
// whose replacement went through. A "previous" left by a killed run is put back.
constexpr const char* kNewKind = "handover";
constexpr const char* kPreviousKind = "previous";
constexpr const char* kDoneKind = "done";
// In a "previous" folder: one line a pack file, "old <name>" when the pack had it before,
// "new <name>" when not. No file of a pack has this name (no ".gsd").
constexpr const char* kListFile = "replaced-files.txt";
constexpr std::string_view kListEnd = "end\n";

// A new folder of that kind beside `dir`; another name on a clash.
Status MakeTemporaryFolder(const fs::path& dir, const char* kind, fs::path& made) {
    std::error_code ec = std::make_error_code(std::errc::file_exists);
    for (int attempt = 0; attempt < 100 && ec == std::errc::file_exists; ++attempt) {
        made = TemporaryName(dir, kind);
        ec = MakeFolder(made);
    }
    return ec ? CannotWrite(dir, ec.message()) : Status::success();
}

// Puts back what a killed replacement of `dir` had moved, from its "previous" folder.
Status PutBack(const fs::path& previous, const fs::path& dir) {
    const Result<std::string> list = ReadFileBytes(previous / kListFile, MaxProjectFileBytes);
    // A list cut short by the kill: nothing had been moved yet.
    if (list && list.value.ends_with(kListEnd)) {
        std::size_t at = 0;
        while (at < list.value.size()) {
            std::size_t end = list.value.find('\n', at);
            if (end == std::string::npos) end = list.value.size();
            const std::string line = list.value.substr(at, end - at);
            at = end + 1;
            if (line.size() < 5) continue;
            const fs::path name = PathFromUtf8(line.substr(4));
            if (name.has_parent_path() || name.empty()) continue; // only names of the pack
            if (line.starts_with("old ")) {
                // Still in the pack when it had not been moved out yet.
                if (Exists(previous / name))
                    if (const std::error_code ec = RenamePath(previous / name, dir / name))
                        return CannotWrite(dir / name, ec.message());
            } else if (line.starts_with("new ")) {
                std::error_code ec;
                if (fs::remove(dir / name, ec); ec) return CannotWrite(dir / name, ec.message());
            }
        }
    }
    // Without a complete list nothing had been moved yet.
    if (const std::error_code ec = RemoveAllPath(previous))
        return CannotWrite(previous, ec.message());
    return Status::success();
}

// Moves the finished files from `tmp` into the existing `dir`. The files they replace go to a
// "previous" folder first, listed there, so that a failure here, or the next run after a
// kill, can put the old pack back whole.
Status MoveInto(const fs::path& tmp, const fs::path& dir, const std::vector<HandoverFile>& files) {
    for (const HandoverFile& f : files) {
        const fs::path target = dir / PathFromUtf8(f.Name);
        if (Exists(target) && !IsRegularFile(target))
            return CannotWrite(target, "something other than a file has that name");
    }
    fs::path previous;
    if (Status s = MakeTemporaryFolder(dir, kPreviousKind, previous); !s) return s;
    std::string list;
    std::vector<std::string> kept;
    for (const HandoverFile& f : files) {
        const bool had = Exists(dir / PathFromUtf8(f.Name));
        list += (had ? "old " : "new ") + f.Name + "\n";
        if (had) kept.push_back(f.Name);
    }
    list += kListEnd;
    if (const int err = WriteNewFile(previous / kListFile, list)) {
        std::error_code ignored;
        fs::remove_all(previous, ignored);
        return CannotWrite(dir, std::error_code(err, std::generic_category()).message());
    }
    const auto failed = [&](const fs::path& file, const std::error_code& why) {
        Status s = CannotWrite(file, why.message());
        if (Status back = PutBack(previous, dir); !back) s.message += "; " + back.message;
        return s;
    };
    for (const std::string& name : kept)
        if (const std::error_code e =
                RenamePath(dir / PathFromUtf8(name), previous / PathFromUtf8(name)))
            return failed(dir / PathFromUtf8(name), e);
    for (const HandoverFile& f : files) {
        const fs::path name = PathFromUtf8(f.Name);
        if (const std::error_code e = RenamePath(tmp / name, dir / name))
            return failed(dir / name, e);
    }
    // The new pack is whole: from here on nothing is put back.
    fs::path done = TemporaryName(dir, kDoneKind);
    if (const std::error_code e = RenamePath(previous, done)) return failed(dir, e);
    std::error_code ignored = RemoveAllPath(done);
    (void)ignored;
    return Status::success();
}

} // namespace

Status RestoreHandoverPack(const fs::path& dirIn) {
    const fs::path dir = Normal(dirIn);
    const std::string name = PathToUtf8(dir.filename());
    Status result = Status::success();
    for (const TemporaryEntry& e : StaleTemporaries(ParentOf(dir))) {
        if (e.kind == kPreviousKind) {
            // Another pack's leftovers are put back when that pack is written.
            if (e.base != name) continue;
            if (Status s = PutBack(e.path, dir); !s && result) result = s;
        } else if (e.kind == kNewKind || e.kind == kDoneKind || e.kind == "tmp") {
            std::error_code ignored = RemoveAllPath(e.path);
            (void)ignored;
        }
    }
    return result;
}

std::string HandoverIoMapCsv(const IoMap& map, const LanguageTable& texts) {
    std::vector<std::string> header{texts.Get_Text(TextId::ReportDirection)};
    for (std::string& h : IoMapHeaders(texts))
        header.push_back(std::move(h));
    std::vector<std::vector<std::string>> lines{std::move(header)};
    for (IoDirection d : {IoDirection::Input, IoDirection::Output}) {
        const std::string& direction =
            texts.Get_Text(d == IoDirection::Input ? TextId::ReportInput : TextId::ReportOutput);
        for (const IoMapRow& r : map.rows(d)) {
            std::vector<std::string> cells{direction};
            for (std::string& c : IoMapCells(r))
                cells.push_back(std::move(c));
            lines.push_back(std::move(cells));
        }
    }
    return CsvText(lines);
}

std::string ReportDateNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    char text[64];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
    return text;
}

bool IsReportDate(const std::string& t) {
    if (t.size() != 16 || t[4] != '-' || t[7] != '-' || t[10] != ' ' || t[13] != ':') return false;
    for (std::size_t i : {0, 1, 2, 3, 5, 6, 8, 9, 11, 12, 14, 15})
        if (t[i] < '0' || t[i] > '9') return false;
    const auto num = [&t](std::size_t at) { return (t[at] - '0') * 10 + (t[at + 1] - '0'); };
    return num(5) >= 1 && num(5) <= 12 && num(8) >= 1 && num(8) <= 31 && num(11) <= 23 &&
           num(14) <= 59;
}

Status BuildHandoverFiles(const HandoverRequest& request, const LanguageTable& texts,
                          const PdfRenderer& renderPdf, std::vector<HandoverFile>& out) {
    out.clear();
    // Every part of the pack comes from one reading of the files.
    const ProjectSnapshot project = ReadProjectSnapshot(MakeProjectFiles(request.ProjectDir));

    const Result<GSD_Data> read = Read_GSD_Data(project);
    if (read.status.notFound()) return Status::notFound(texts.Get_Text(TextId::GsdNeedsParGen));
    if (!read) return read.status;
    const GSD_Data& gsdData = read.value;

    CommissioningData report;
    report.Generated = request.Generated;
    report.ProjectName = request.ProjectName;
    report.ProjectFolder = PathToUtf8(request.ProjectDir);
    report.GsdFileName = WithGsdExtension(request.ProjectName);
    const Result<std::string> gsd = ComposeGsdText(gsdData, texts);
    if (!gsd) return gsd.status;
    report.Gsd = gsd.value;
    if (Status s = Compile_Config_Image(project, report.Image); !s) return s;
    if (Status s = FillFrameList(project.receive, report.Receive); !s) return s;
    if (Status s = FillFrameList(project.transmit, report.Transmit); !s) return s;
    const Result<std::vector<GsdModule>> modules = GsdModules(gsdData, texts);
    if (!modules) return modules.status;
    for (const GsdModule& m : modules.value)
        report.Modules.push_back({int(m.number), m.input, int(m.length), m.identifier});
    const ProjectData data = ReadProjectData(project);
    if (Status s = BuildIoMap(data, report.Map); !s) return s;
    report.Check = CheckProjectData(data, texts);

    const std::string html = CommissioningHtml(report, texts);
    std::string pdf;
    if (Status s = renderPdf(html, request.Generated, pdf); !s) return s;

    out.push_back({report.GsdFileName, report.Gsd});
    out.push_back({DeviceBitmapFile(false), DeviceBitmap(false)});
    out.push_back({DeviceBitmapFile(true), DeviceBitmap(true)});
    out.push_back({HandoverImageFile, std::string(report.Image.begin(), report.Image.end())});
    out.push_back({HandoverIoMapFile, HandoverIoMapCsv(report.Map, texts)});
    out.push_back({HandoverHtmlFile, html});
    out.push_back({HandoverPdfFile, std::move(pdf)});
    return Status::success();
}

bool HandoverWouldReplace(const fs::path& dir, const std::vector<HandoverFile>& files) {
    for (const HandoverFile& f : files)
        if (Exists(dir / PathFromUtf8(f.Name))) return true;
    return false;
}

Status WriteHandoverPack(const fs::path& dirIn, const std::vector<HandoverFile>& files) {
    const fs::path dir = Normal(dirIn);
    if (const fs::path blocker = FileInPlaceOfFolder(ParentOf(dir)); !blocker.empty())
        return CannotWrite(dir,
                           "\"" + PathToUtf8(blocker) + "\" is a file where a folder is needed");
    if (Status s = RestoreHandoverPack(dir); !s) return s;
    const bool existed = Exists(dir);
    if (existed && !IsDirectory(dir)) return CannotWrite(dir, "not a folder");

    fs::path tmp;
    if (Status s = MakeTemporaryFolder(dir, kNewKind, tmp); !s) return s;
    for (const HandoverFile& f : files) {
        // The message names the file of the pack, not the hidden folder it is written in.
        if (const int err = WriteNewFile(tmp / PathFromUtf8(f.Name), f.Bytes)) {
            std::error_code ignored = RemoveAllPath(tmp);
            (void)ignored;
            return CannotWrite(dir / PathFromUtf8(f.Name),
                               std::error_code(err, std::generic_category()).message());
        }
    }
    Status moved = Status::success();
    if (!existed) {
        if (const std::error_code ec = RenamePath(tmp, dir)) moved = CannotWrite(dir, ec.message());
    } else {
        moved = MoveInto(tmp, dir, files);
    }
    // After a rename of the whole folder tmp is gone and this does nothing.
    std::error_code ignored = RemoveAllPath(tmp);
    (void)ignored;
    return moved;
}

} // namespace kt
