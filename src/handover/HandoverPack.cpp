#include "handover/HandoverPack.h"

#include "base/Csv.h"
#include "base/FileUtil.h"
#include "base/Workspace.h"
#include "checks/CheckProject.h"
#include "checks/IoMap.h"
#include "editors/ParGenFile.h"
#include "handover/CommissioningReport.h"
#include "handover/DeviceBitmap.h"
#include "lang/LanguageTable.h"
#include "outputs/ConfigImage.h"
#include "outputs/GsdFile.h"

#include <ctime>
#include <random>
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

fs::path TemporaryBeside(const fs::path& dir) {
    std::random_device rd;
    const fs::path parent = dir.has_parent_path() ? dir.parent_path() : fs::path(".");
    return parent / PathFromUtf8("." + PathToUtf8(dir.filename()) + ".handover-" +
                                 std::to_string(rd() % 1000000));
}

void RemoveQuietly(const fs::path& p) {
    std::error_code ec;
    fs::remove_all(p, ec);
}

// Moves the finished files from `tmp` into the existing `dir`, keeping the files they replace
// in `tmp` until all are in place, so a failure can put the old ones back.
Status MoveInto(const fs::path& tmp, const fs::path& dir, const std::vector<HandoverFile>& files) {
    for (const HandoverFile& f : files) {
        const fs::path target = dir / PathFromUtf8(f.Name);
        if (Exists(target) && !IsRegularFile(target))
            return CannotWrite(target, "something other than a file has that name");
    }
    const fs::path previous = tmp / ".previous";
    std::error_code ec;
    fs::create_directory(previous, ec);
    if (ec) return CannotWrite(previous, ec.message());

    std::vector<std::string> kept, placed;
    const auto rollBack = [&] {
        std::error_code ignored;
        for (const std::string& name : placed)
            fs::remove(dir / PathFromUtf8(name), ignored);
        for (const std::string& name : kept)
            fs::rename(previous / PathFromUtf8(name), dir / PathFromUtf8(name), ignored);
    };
    for (const HandoverFile& f : files) {
        const fs::path name = PathFromUtf8(f.Name);
        if (Exists(dir / name)) {
            fs::rename(dir / name, previous / name, ec);
            if (ec) {
                rollBack();
                return CannotWrite(dir / name, ec.message());
            }
            kept.push_back(f.Name);
        }
        fs::rename(tmp / name, dir / name, ec);
        if (ec) {
            rollBack();
            return CannotWrite(dir / name, ec.message());
        }
        placed.push_back(f.Name);
    }
    return Status::success();
}

} // namespace

std::string HandoverIoMapCsv(const IoMap& map, const LanguageTable& texts) {
    std::vector<std::string> header{texts.Get_Text(632)};
    for (std::string& h : Io_Map_Headers(texts))
        header.push_back(std::move(h));
    std::vector<std::vector<std::string>> lines{std::move(header)};
    for (IoDirection d : {IoDirection::Input, IoDirection::Output}) {
        const std::string& direction = texts.Get_Text(d == IoDirection::Input ? 633 : 634);
        for (const IoMapRow& r : map.rows(d)) {
            std::vector<std::string> cells{direction};
            for (std::string& c : Io_Map_Cells(r))
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
    const ProjectFiles files = MakeProjectFiles(request.ProjectDir);

    const Result<GSD_Data> read = Read_GSD_Data(files);
    if (read.status.notFound()) return Status::notFound(texts.Get_Text(1504));
    if (!read) return read.status;
    const GSD_Data& gsdData = read.value;

    CommissioningData report;
    report.Generated = request.Generated;
    report.ProjectName = request.ProjectName;
    report.ProjectFolder = PathToUtf8(request.ProjectDir);
    report.GsdFileName = WithGsdExtension(request.ProjectName);
    const Result<std::string> gsd = Compose_GSD_Text(gsdData, texts);
    if (!gsd) return gsd.status;
    report.Gsd = gsd.value;
    if (Status s = Compile_Config_Image(files, report.Image); !s) return s;
    if (Status s = report.Receive.Load_Frames(files.RecFramesFile); !s) return s;
    if (Status s = report.Transmit.Load_Frames(files.SendFramesFile); !s) return s;
    const Result<std::vector<GsdModule>> modules = GSD_Modules(gsdData, texts);
    if (!modules) return modules.status;
    for (const GsdModule& m : modules.value)
        report.Modules.push_back({int(m.number), m.input, int(m.length), m.identifier});
    const ProjectData project = Read_Project_Data(files);
    if (Status s = Build_Io_Map(project, report.Map); !s) return s;
    report.Check = Check_Project_Data(project, texts);

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
    const bool existed = Exists(dir);
    if (existed && !IsDirectory(dir)) return CannotWrite(dir, "not a folder");

    const fs::path tmp = TemporaryBeside(dir);
    std::error_code ec;
    fs::create_directory(tmp, ec);
    if (ec) return CannotWrite(dir, ec.message());
    for (const HandoverFile& f : files) {
        if (Status s = WriteFileAtomic(tmp / PathFromUtf8(f.Name), f.Bytes); !s) {
            RemoveQuietly(tmp);
            return s;
        }
    }
    Status moved = Status::success();
    if (!existed) {
        fs::rename(tmp, dir, ec);
        if (ec) moved = CannotWrite(dir, ec.message());
    } else {
        moved = MoveInto(tmp, dir, files);
    }
    // After a rename of the whole folder tmp is gone and this does nothing.
    RemoveQuietly(tmp);
    return moved;
}

} // namespace kt
