// image, gsd, check, iomap, dump and diff: a Project's outputs and checks from the command
// line, and two Projects compared.

#include "base/FileUtil.h"
#include "base/Workspace.h"
#include "base/XmlUtil.h"
#include "checks/CheckProject.h"
#include "checks/IoMap.h"
#include "checks/ProjectDiff.h"
#include "cli/Commands.h"
#include "lang/LanguageTable.h"
#include "outputs/ConfigImage.h"
#include "outputs/ConfigImageDump.h"
#include "outputs/GsdFile.h"
#include "project/FrameList.h"
#include "project/ParGenFile.h"
#include "project/ProjectXml.h"

#include <algorithm>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace kt::cli {

namespace {

struct ProjectOptions {
    std::string projectDir;
    std::string output;
    bool strict = false; // check: warnings fail the run
};

void RunImage(const ProjectOptions& o) {
    const std::filesystem::path dir = PathFromUtf8(o.projectDir);
    ConfigImage image{};
    Require(Compile_Config_Image(MakeProjectFiles(dir), image));
    const std::filesystem::path file =
        o.output.empty() ? ConfigImageFile(dir) : PathFromUtf8(o.output);
    Require(Write_Config_Image(file, image));
    std::cout << PathToUtf8(file) << "\n";
}

bool EndsWithSeparator(const std::string& name) {
#ifdef _WIN32
    return !name.empty() && (name.back() == '/' || name.back() == '\\');
#else
    return !name.empty() && name.back() == '/';
#endif
}

void RunGsd(const ProjectOptions& o) {
    // An empty name or a folder would become a hidden ".gsd" in the working or that folder.
    if (o.output.empty()) Fail("The GSD file needs a name");
    if (EndsWithSeparator(o.output) || IsDirectory(PathFromUtf8(o.output)))
        Fail("\"" + o.output + "\" is a folder; the GSD file needs a file name");
    const LanguageTable texts = LanguageTable::English();
    const Result<GSD_Data> read = Read_GSD_Data(MakeProjectFiles(PathFromUtf8(o.projectDir)));
    if (read.status.notFound()) Fail(texts.Get_Text(TextId::GsdNeedsParGen));
    Require(read.status);
    const std::filesystem::path file = PathFromUtf8(WithGsdExtension(o.output));
    Require(Write_GSD_File(file, read.value, texts));
    std::cout << PathToUtf8(file) << "\n";
}

struct CheckOptions {
    std::string projectDir;
    bool json = false;
    bool strict = false;
};

// Errors and warnings go to stderr, notes and the lists without fault to stdout; --json puts
// one document on stdout instead. Exit 1 on errors, with --strict 2 on warnings only.
void PrintFindings(const ProjectCheck& check, const LanguageTable& texts, bool json) {
    if (json) {
        std::cout << FindingsJson(check);
        return;
    }
    for (const Finding& f : check.findings) {
        std::ostream& out = f.severity == Severity::Note ? std::cout : std::cerr;
        out << SeverityName(f.severity) << " [" << f.code << "] " << FindingListText(f.list, texts);
        if (f.row > 0) out << ", row " << f.row;
        out << ": " << f.message << "\n";
    }
    for (FindingList list : {FindingList::Settings, FindingList::Receive, FindingList::Transmit}) {
        const bool faulty =
            std::any_of(check.findings.begin(), check.findings.end(), [list](const Finding& f) {
                return f.list == list && f.severity != Severity::Note;
            });
        if (!faulty) std::cout << FindingListText(list, texts) << ": OK\n";
    }
    std::cout << check.count(Severity::Error) << " errors, " << check.count(Severity::Warning)
              << " warnings, " << check.count(Severity::Note) << " notes\n";
}

void RunCheck(const CheckOptions& o) {
    const std::filesystem::path dir = PathFromUtf8(o.projectDir);
    const ProjectFiles files = MakeProjectFiles(dir);
    // A script that names the wrong folder must not pass it as a Project without faults.
    std::error_code ec;
    if (!std::filesystem::exists(files.ParGenFile, ec) &&
        !std::filesystem::exists(files.RecFramesFile, ec) &&
        !std::filesystem::exists(files.SendFramesFile, ec) && !IsDirectory(dir / "bin"))
        Fail(o.projectDir + ": not a Project folder (no ParGen.xml, CAN_Rec_Frames.xml, "
                            "CAN_Send_Frames.xml or bin)");
    const LanguageTable texts = LanguageTable::English();
    const ProjectCheck check = CheckProject(files, texts);
    PrintFindings(check, texts, o.json);
    if (check.count(Severity::Error) > 0) throw CLI::RuntimeError(1);
    if (o.strict && check.count(Severity::Warning) > 0) throw CLI::RuntimeError(2);
}

struct IoMapOptions {
    std::string projectDir;
    bool csv = false;
    std::string direction; // "in", "out" or empty for both
};

void PrintTable(const std::vector<std::string>& headers, const std::vector<IoMapRow>& rows) {
    std::vector<std::vector<std::string>> cells{headers};
    for (const IoMapRow& r : rows)
        cells.push_back(IoMapCells(r));
    std::vector<std::size_t> width(headers.size(), 0);
    for (const auto& line : cells)
        for (std::size_t c = 0; c < line.size(); ++c)
            width[c] = std::max(width[c], line[c].size());
    for (const auto& line : cells) {
        std::string text;
        for (std::size_t c = 0; c < line.size(); ++c) {
            text += line[c];
            if (c + 1 < line.size()) text += std::string(width[c] - line[c].size() + 2, ' ');
        }
        while (!text.empty() && text.back() == ' ')
            text.pop_back();
        std::cout << text << "\n";
    }
}

void RunIoMap(const IoMapOptions& o) {
    if (o.csv && o.direction.empty()) Fail("--csv needs --direction in or out");
    const LanguageTable texts = LanguageTable::English();
    IoMap map;
    Require(BuildIoMap(MakeProjectFiles(PathFromUtf8(o.projectDir)), map));
    if (o.csv) {
        const std::string text = IoMapCsv(
            map.rows(o.direction == "in" ? IoDirection::Input : IoDirection::Output), texts);
#ifdef _WIN32
        _setmode(_fileno(stdout), _O_BINARY); // the CSV carries its own CR LF
#endif
        std::cout.write(text.data(), static_cast<std::streamsize>(text.size()));
        return;
    }
    for (const auto& [direction, name, title] :
         {std::tuple{IoDirection::Input, "in", TextId::CheckInputsTab},
          std::tuple{IoDirection::Output, "out", TextId::CheckOutputsTab}}) {
        if (!o.direction.empty() && o.direction != name) continue;
        std::cout << texts.Get_Text(title) << "\n";
        PrintTable(IoMapHeaders(texts), map.rows(direction));
        std::cout << "\n";
    }
}

void RunDump(const std::string& file) {
    const Result<std::string> bytes = ReadFileBytes(PathFromUtf8(file), MaxImageFileBytes);
    Require(bytes.status);
    const Result<std::string> text = DumpConfigImage(bytes.value);
    Require(text.status);
    std::cout << text.value;
    // The dump still shows everything; a script learns from the exit code what is wrong.
    const std::vector<std::string> problems = ConfigImageProblems(bytes.value);
    for (const std::string& p : problems)
        std::cerr << "error: " << p << "\n";
    if (!problems.empty()) throw CLI::RuntimeError(1);
}

struct DiffOptions {
    std::string a, b;
    bool json = false;
};

void RunDiff(const DiffOptions& o) {
    ProjectDiff diff;
    Require(DiffProjects(PathFromUtf8(o.a), PathFromUtf8(o.b), diff), 2);
    std::cout << (o.json ? DiffJson(diff, o.a, o.b)
                         : DiffReport(diff, LanguageTable::English(), o.a, o.b));
    std::cout.flush();
    if (!diff.equal()) throw CLI::RuntimeError(1);
}

} // namespace

void AddProjectCommands(CLI::App& app) {
    auto image = std::make_shared<ProjectOptions>();
    CLI::App* cmd = app.add_subcommand("image", "Compile a Project into its configuration image");
    cmd->add_option("PROJECT_DIR", image->projectDir, "Project folder")
        ->required()
        ->check(CLI::ExistingDirectory);
    cmd->add_option("-o,--output", image->output, "Image file (default PROJECT_DIR/bin/bank1.bin)");
    cmd->callback([image] { RunImage(*image); });

    auto gsd = std::make_shared<ProjectOptions>();
    cmd = app.add_subcommand("gsd", "Write the PROFIBUS GSD file of a Project");
    cmd->add_option("PROJECT_DIR", gsd->projectDir, "Project folder")
        ->required()
        ->check(CLI::ExistingDirectory);
    cmd->add_option("-o,--output", gsd->output, "GSD file (\".gsd\" is appended when missing)")
        ->required();
    cmd->callback([gsd] { RunGsd(*gsd); });

    auto check = std::make_shared<CheckOptions>();
    cmd = app.add_subcommand("check", "Check a Project: errors, warnings and notes");
    cmd->add_option("PROJECT_DIR", check->projectDir, "Project folder")
        ->required()
        ->check(CLI::ExistingDirectory);
    cmd->add_flag("--json", check->json, "One JSON document on stdout, for scripts");
    cmd->add_flag("--strict", check->strict, "Exit 2 when there are warnings (errors exit 1)");
    cmd->callback([check] { RunCheck(*check); });

    auto iomap = std::make_shared<IoMapOptions>();
    cmd = app.add_subcommand("iomap", "Which CAN byte each PROFIBUS data byte carries");
    cmd->add_option("PROJECT_DIR", iomap->projectDir, "Project folder")
        ->required()
        ->check(CLI::ExistingDirectory);
    cmd->add_flag(
        "--csv", iomap->csv,
        "CSV (';' between cells, CR LF lines, UTF-8 with byte-order mark) of one direction");
    cmd->add_option("--direction", iomap->direction, "in (PROFIBUS inputs) or out (outputs)")
        ->check(CLI::IsMember({"in", "out"}));
    cmd->callback([iomap] { RunIoMap(*iomap); });

    auto dump = std::make_shared<std::string>();
    cmd = app.add_subcommand("dump", "Decode a configuration image into readable text; exit 1 "
                                     "when its checksum, fixed words or unused entries are wrong");
    cmd->add_option("FILE", *dump, "Image file")->required();
    cmd->callback([dump] { RunDump(*dump); });

    auto diff = std::make_shared<DiffOptions>();
    cmd = app.add_subcommand(
        "diff", "Compare two Projects; exit 0 when equal, 1 when different, 2 on error");
    cmd->add_option("PROJECT_A", diff->a, "first Project folder")->required();
    cmd->add_option("PROJECT_B", diff->b, "second Project folder")->required();
    cmd->add_flag("--json", diff->json, "one JSON object for scripts");
    cmd->callback([diff] { RunDiff(*diff); });
}

} // namespace kt::cli
