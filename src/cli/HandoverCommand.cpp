// handover: the PLC hand-over pack of a Project from the command line.

#include "base/FileUtil.h"
#include "cli/ChildProgram.h"
#include "cli/Commands.h"
#include "handover/HandoverPack.h"
#include "lang/LanguageFile.h"
#include "lang/LanguageTable.h"

#include <iostream>
#include <memory>
#include <string>

namespace kt::cli {

namespace {

struct HandoverOptions {
    std::string projectDir;
    std::string output;
    std::string date;
    std::string language;
};

// The Project's name is its folder's name; "Plant/" and "Plant" are the same Project.
std::string ProjectNameOf(const std::filesystem::path& dir) {
    std::filesystem::path d = dir.lexically_normal();
    if (d.filename().empty() && d.has_parent_path()) d = d.parent_path();
    return PathToUtf8(d.filename());
}

#ifdef KT_WITH_PDF
// The PDF is drawn by Qt Gui, which the report program beside the CLI loads, so that no other
// command pays for loading Qt. It reads the HTML on its standard input and writes the PDF on
// its standard output; on a failure of its own it exits 1 with the message instead.
Status RenderInReportProgram(const std::string& html, const std::string& generated,
                             std::string& pdf) {
#ifdef _WIN32
    const char* name = "kt52903-report.exe";
#else
    const char* name = "kt52903-report";
#endif
    const std::filesystem::path folder = OwnFolder();
    // Never one found elsewhere, such as in the working folder.
    if (folder.empty())
        return Status::io(std::string("Cannot start ") + name +
                          ": the folder of kt52903-cli is unknown");
    const std::filesystem::path program = folder / name;
    std::string output;
    int code = -1;
    if (Status s = RunProgram(program, {"--date", generated}, html, output, code); !s) return s;
    if (code == 0 && output.starts_with("%PDF-")) {
        pdf = std::move(output);
        return Status::success();
    }
    if (code == 1 && !output.empty() && !output.starts_with("%PDF-")) return Status::io(output);
    return Status::io("\"" + PathToUtf8(program) + "\" wrote no PDF report (exit code " +
                      std::to_string(code) + ")");
}
#endif

void RunHandover(const HandoverOptions& o) {
    if (o.output.empty()) Fail("The hand-over pack needs a folder");
    if (!o.date.empty() && !IsReportDate(o.date))
        Fail("The report date must be written as yyyy-mm-dd hh:mm");
    LanguageTable texts;
    texts.Load_Default_Texts();
    if (!o.language.empty()) {
        if (Status s = Read_Lang_File(PathFromUtf8(o.language), texts); !s) Fail(s.message);
    }
    std::error_code ec;
    std::filesystem::path dir = std::filesystem::absolute(PathFromUtf8(o.projectDir), ec);
    if (ec) Fail(ec.message());
    dir = dir.lexically_normal();
    if (dir.filename().empty() && dir.has_parent_path()) dir = dir.parent_path();

    HandoverRequest request{dir, ProjectNameOf(dir), o.date.empty() ? ReportDateNow() : o.date};
#ifdef KT_WITH_PDF
    const PdfRenderer render = RenderInReportProgram;
#else
    const PdfRenderer render = [](const std::string&, const std::string&, std::string&) {
        return Status::io("This build of kt52903-cli cannot write the PDF report");
    };
#endif
    std::vector<HandoverFile> files;
    if (Status s = BuildHandoverFiles(request, texts, render, files); !s) Fail(s.message);
    const std::filesystem::path target = PathFromUtf8(o.output);
    if (Status s = WriteHandoverPack(target, files); !s) Fail(s.message);
    for (const HandoverFile& f : files)
        std::cout << PathToUtf8(target / PathFromUtf8(f.Name)) << "\n";
}

} // namespace

void AddHandoverCommand(CLI::App& app) {
    auto o = std::make_shared<HandoverOptions>();
    CLI::App* cmd = app.add_subcommand(
        "handover", "Write the PLC hand-over pack: GSD, device pictures, image, I/O map, report");
    cmd->add_option("PROJECT_DIR", o->projectDir, "Project folder")
        ->required()
        ->check(CLI::ExistingDirectory);
    cmd->add_option("-o,--output", o->output, "Folder of the pack (created when missing)")
        ->required();
    cmd->add_option(
        "--date", o->date,
        "Date printed in the report, yyyy-mm-dd hh:mm (default: now), for reproducible packs");
    cmd->add_option("--language", o->language, "Language file (.lng) for the report's texts")
        ->check(CLI::ExistingFile);
    cmd->callback([o] { RunHandover(*o); });
}

} // namespace kt::cli
