// image, gsd, check and dump: a Project's outputs and checks from the command line.

#include "cli/Commands.h"
#include "base/FileUtil.h"
#include "base/Workspace.h"
#include "base/XmlUtil.h"
#include "editors/FrameList.h"
#include "editors/ParGenFile.h"
#include "editors/ProjectXml.h"
#include "lang/LanguageTable.h"
#include "outputs/ConfigImage.h"
#include "outputs/ConfigImageDump.h"
#include "outputs/GsdFile.h"

#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace kt::cli {

namespace {

struct ProjectOptions {
    std::string projectDir;
    std::string output;
    bool strict = false; // check: warnings fail the run
};

[[noreturn]] void Fail(const std::string& message) {
    std::cerr << message << "\n";
    throw CLI::RuntimeError(1);
}

void Require(const Status& s) {
    if (!s) Fail(s.message);
}

void RunImage(const ProjectOptions& o) {
    const std::filesystem::path dir = PathFromUtf8(o.projectDir);
    ConfigImage image{};
    Require(Compile_Config_Image(MakeProjectFiles(dir), image));
    const std::filesystem::path file = o.output.empty() ? ConfigImageFile(dir) : PathFromUtf8(o.output);
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
    if (read.status.notFound()) Fail(texts.Get_Text(1504));
    Require(read.status);
    const std::filesystem::path file = PathFromUtf8(WithGsdExtension(o.output));
    Require(Write_GSD_File(file, read.value, texts));
    std::cout << PathToUtf8(file) << "\n";
}

// What the steps would silently pass over or refuse later; empty when nothing.
std::vector<std::string> ProjectWarnings(const ProjectFiles& files, const ParGen& settings) {
    std::vector<std::string> warnings;
    std::error_code ec;
    if (!std::filesystem::exists(files.ParGenFile, ec)) {
        warnings.push_back("no ParGen.xml: the GSD step will refuse this Project");
    } else if (!IsRegularFile(files.ParGenFile)) {
        warnings.push_back("ParGen.xml is not a readable file: every step uses the default "
                           "settings");
    } else {
        pugi::xml_document doc;
        const pugi::xml_node root = LoadXmlFile(files.ParGenFile, doc) ? RootElement(doc)
                                                                       : pugi::xml_node();
        if (root && std::string(root.name()) != "Par_Gen")
            warnings.push_back("ParGen.xml has the root element <" + std::string(root.name()) +
                               ">, not <Par_Gen>: was the right file saved here?");
    }
    if (settings.CanBaudIndex < 0 || settings.CanBaudIndex > 9)
        warnings.push_back("CAN_BAUDRATE " + std::to_string(settings.CanBaudIndex) +
                           " is outside 0 to 9: the image uses 1000000 bit/s");
    for (const auto& [file, what] : {std::pair{files.RecFramesFile, "CAN_Rec_Frames.xml"},
                                     std::pair{files.SendFramesFile, "CAN_Send_Frames.xml"}}) {
        pugi::xml_document doc;
        if (!LoadXmlFile(file, doc)) continue; // missing, or already reported as an error
        std::size_t rows = 0;
        for (pugi::xml_node n = RootElement(doc).first_child(); n; n = n.next_sibling())
            if (IsFrameNode(n)) ++rows;
        if (rows > std::size_t(FrameList::Rows))
            warnings.push_back(std::string(what) + " holds " + std::to_string(rows) +
                               " rows: the editors show and keep the first " +
                               std::to_string(FrameList::Rows) + ", the image takes " +
                               std::to_string(ConfigImageFrames));
    }
    return warnings;
}

void RunCheck(const ProjectOptions& o) {
    const std::filesystem::path dir = PathFromUtf8(o.projectDir);
    const ProjectFiles files = MakeProjectFiles(dir);
    std::error_code ec;
    if (!std::filesystem::exists(files.ParGenFile, ec) &&
        !std::filesystem::exists(files.RecFramesFile, ec) &&
        !std::filesystem::exists(files.SendFramesFile, ec) && !IsDirectory(dir / "bin"))
        Fail(o.projectDir + ": not a Project folder (no ParGen.xml, CAN_Rec_Frames.xml, "
                            "CAN_Send_Frames.xml or bin)");
    const LanguageTable texts = LanguageTable::English();
    bool failed = false;
    const auto report = [&failed](const std::string& what, const std::string& message) {
        if (message.empty()) {
            std::cout << what << ": OK\n";
        } else {
            std::cerr << what << ": " << message << "\n";
            failed = true;
        }
    };
    // No ParGen.xml yet: the defaults are what the image would use.
    const Result<ParGen> settings = ReadParGen(files.ParGenFile);
    if (!settings && !settings.status.notFound()) {
        report("Communication settings", settings.status.message);
    } else {
        report("Communication settings", Controllo_Dati(settings.value, texts));
    }
    for (const auto& [kind, file, what] :
         {std::tuple{FrameKind::Receive, files.RecFramesFile, "Receive frames"},
          std::tuple{FrameKind::Transmit, files.SendFramesFile, "Transmit frames"}}) {
        FrameList list(kind);
        if (Status s = list.Load_Frames(file); !s) {
            report(what, s.message);
        } else {
            report(what, list.Controllo_dati(texts));
        }
    }
    // Warnings after the messages: errors exit 1, warnings alone 0, or 2 with --strict.
    const std::vector<std::string> warnings = ProjectWarnings(files, settings.value);
    for (const std::string& w : warnings) std::cerr << "warning: " << w << "\n";
    if (failed) throw CLI::RuntimeError(1);
    if (o.strict && !warnings.empty()) throw CLI::RuntimeError(2);
}

void RunDump(const std::string& file) {
    const Result<std::string> bytes = ReadFileBytes(PathFromUtf8(file));
    Require(bytes.status);
    const Result<std::string> text = DumpConfigImage(bytes.value);
    Require(text.status);
    std::cout << text.value;
    // The dump still shows everything; a script learns from the exit code what is wrong.
    const std::vector<std::string> problems = ConfigImageProblems(bytes.value);
    for (const std::string& p : problems) std::cerr << "error: " << p << "\n";
    if (!problems.empty()) throw CLI::RuntimeError(1);
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

    auto check = std::make_shared<ProjectOptions>();
    cmd = app.add_subcommand("check", "Validate a Project's settings and frame lists");
    cmd->add_option("PROJECT_DIR", check->projectDir, "Project folder")
        ->required()
        ->check(CLI::ExistingDirectory);
    cmd->add_flag("--strict", check->strict, "exit 2 when there are warnings but no errors");
    cmd->callback([check] { RunCheck(*check); });

    auto dump = std::make_shared<std::string>();
    cmd = app.add_subcommand("dump", "Decode a configuration image into readable text; exit 1 "
                                     "when its checksum, fixed words or unused entries are wrong");
    cmd->add_option("FILE", *dump, "Image file")->required();
    cmd->callback([dump] { RunDump(*dump); });
}

} // namespace kt::cli
