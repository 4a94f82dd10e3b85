// image, gsd, check and dump: a Project's outputs and checks from the command line.

#include "cli/Commands.h"
#include "base/FileUtil.h"
#include "base/Workspace.h"
#include "editors/FrameList.h"
#include "editors/ParGenFile.h"
#include "lang/LanguageTable.h"
#include "outputs/ConfigImage.h"
#include "outputs/ConfigImageDump.h"
#include "outputs/GsdFile.h"

#include <iostream>
#include <memory>
#include <string>

namespace kt::cli {

namespace {

struct ProjectOptions {
    std::string projectDir;
    std::string output;
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

void RunGsd(const ProjectOptions& o) {
    // An empty name would become a hidden ".gsd" in the working folder.
    if (o.output.empty()) Fail("The GSD file needs a name");
    const Result<GSD_Data> read = Read_GSD_Data(MakeProjectFiles(PathFromUtf8(o.projectDir)));
    if (read.status.notFound()) Fail(LanguageTable::English().Get_Text(1504));
    Require(read.status);
    const std::filesystem::path file = PathFromUtf8(WithGsdExtension(o.output));
    Require(Write_GSD_File(file, read.value));
    std::cout << PathToUtf8(file) << "\n";
}

void RunCheck(const ProjectOptions& o) {
    const ProjectFiles files = MakeProjectFiles(PathFromUtf8(o.projectDir));
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
    if (const Result<ParGen> settings = ReadParGen(files.ParGenFile);
        !settings && !settings.status.notFound()) {
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
    if (failed) throw CLI::RuntimeError(1);
}

void RunDump(const std::string& file) {
    const Result<std::string> bytes = ReadFileBytes(PathFromUtf8(file));
    Require(bytes.status);
    const Result<std::string> text = DumpConfigImage(bytes.value);
    Require(text.status);
    std::cout << text.value;
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
    cmd->callback([check] { RunCheck(*check); });

    auto dump = std::make_shared<std::string>();
    cmd = app.add_subcommand("dump", "Decode a configuration image into readable text");
    cmd->add_option("FILE", *dump, "Image file")->required();
    cmd->callback([dump] { RunDump(*dump); });
}

} // namespace kt::cli
