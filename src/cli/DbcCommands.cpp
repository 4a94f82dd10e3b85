// import-dbc and diff: frames from a CAN database into a Project, and two Projects compared.

#include "base/FileUtil.h"
#include "base/Workspace.h"
#include "cli/Commands.h"
#include "core/ProjectDiff.h"
#include "editors/DbcImport.h"
#include "editors/IntOrDefault.h"
#include "lang/LanguageTable.h"

#include <algorithm>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace kt::cli {

namespace {

struct ImportOptions {
    std::string projectDir;
    std::string dbcFile;
    std::string list;
    std::string node;
    std::vector<std::string> ids;
    int timeoutFactor = DefaultTimeoutFactor;
    bool replace = false;
};

[[noreturn]] void Fail(const std::string& message, int code = 1) {
    std::cerr << message << "\n";
    throw CLI::RuntimeError(code);
}

LanguageTable EnglishTexts() {
    LanguageTable t;
    t.Load_Default_Texts();
    return t;
}

// The messages named by --ids (decimal or hexadecimal), in the order given.
std::vector<const DbcMessage*> ByIds(const DbcDatabase& db, const std::vector<std::string>& ids) {
    std::vector<const DbcMessage*> chosen;
    for (const std::string& text : ids) {
        const std::int32_t id = IntOrDefault(text, -1);
        if (id < 0) Fail("--ids: \"" + text + "\" is not an identifier");
        std::size_t found = 0;
        for (const DbcMessage& m : db.messages)
            if (m.id == static_cast<std::uint32_t>(id)) {
                chosen.push_back(&m);
                ++found;
            }
        if (found == 0) Fail("--ids: the DBC has no message with the identifier " + text);
    }
    return chosen;
}

void RunImport(const ImportOptions& o) {
    const LanguageTable texts = EnglishTexts();
    DbcDatabase db;
    DbcError error;
    if (!ReadDbcFile(PathFromUtf8(o.dbcFile), db, error))
        Fail(texts.Get_Text(TextId::DbcCannotRead) + o.dbcFile + ": " + error.text());
    const FrameKind kind = o.list == "receive" ? FrameKind::Receive : FrameKind::Transmit;
    std::vector<const DbcMessage*> chosen;
    if (!o.node.empty()) {
        if (std::find(db.nodes.begin(), db.nodes.end(), o.node) == db.nodes.end())
            Fail("--node: the DBC has no node " + o.node);
        const std::vector<bool> fits = Preselection(db, kind, o.node);
        for (std::size_t i = 0; i < fits.size(); ++i)
            if (fits[i]) chosen.push_back(&db.messages[i]);
    } else {
        chosen = ByIds(db, o.ids);
    }

    const ProjectFiles files = MakeProjectFiles(PathFromUtf8(o.projectDir));
    const std::filesystem::path& file =
        kind == FrameKind::Receive ? files.RecFramesFile : files.SendFramesFile;
    FrameList list(kind);
    if (!o.replace)
        if (Status s = list.Load_Frames(file); !s) Fail(s.message);
    std::vector<ImportedRowAt> rows;
    if (const std::string refused = PlanImport(list, chosen, o.timeoutFactor, texts, rows);
        !refused.empty())
        Fail(refused);
    ApplyImport(list, rows);
    // The same gate as the dialog's OK.
    if (const std::string invalid = list.Controllo_dati(texts); !invalid.empty()) Fail(invalid);
    if (Status s = list.Save_Frames(file); !s) Fail(s.message);
    for (const ImportedRowAt& r : rows)
        std::cout << "row " << r.row + 1 << ": " << r.texts.front() << " " << r.texts.back()
                  << "\n";
    std::cout << rows.size() << " frames imported into " << PathToUtf8(file) << "\n";
}

struct DiffOptions {
    std::string a, b;
    bool json = false;
};

void RunDiff(const DiffOptions& o) {
    ProjectDiff diff;
    if (Status s = DiffProjects(PathFromUtf8(o.a), PathFromUtf8(o.b), diff); !s) Fail(s.message, 2);
    std::cout << (o.json ? DiffJson(diff, o.a, o.b) : DiffReport(diff, EnglishTexts(), o.a, o.b));
    std::cout.flush();
    if (!diff.equal()) throw CLI::RuntimeError(1);
}

} // namespace

void AddDbcCommands(CLI::App& app) {
    auto imp = std::make_shared<ImportOptions>();
    CLI::App* cmd = app.add_subcommand(
        "import-dbc", "Fill the first empty rows of a frame list with messages of a DBC file");
    cmd->add_option("PROJECT", imp->projectDir, "Project folder")
        ->required()
        ->check(CLI::ExistingDirectory);
    cmd->add_option("FILE", imp->dbcFile, "CAN database (.dbc)")->required();
    cmd->add_option("--list", imp->list, "receive or transmit")
        ->required()
        ->check(CLI::IsMember({"receive", "transmit"}));
    CLI::Option* node = cmd->add_option(
        "--node", imp->node,
        "the node the converter stands for: receive takes what it receives or others send, "
        "transmit what it sends");
    CLI::Option* ids =
        cmd->add_option("--ids", imp->ids, "identifiers of the messages, in row order")
            ->delimiter(',');
    node->excludes(ids);
    ids->excludes(node);
    cmd->add_option("--timeout-factor", imp->timeoutFactor,
                    "receive TimeOut = factor x cycle time; 0 = off (default 3)")
        ->check(CLI::Range(0, 1000));
    cmd->add_flag("--replace", imp->replace, "start from an empty list instead of the saved one");
    cmd->callback([imp, node, ids] {
        if (node->count() == 0 && ids->count() == 0) Fail("import-dbc needs --node or --ids");
        RunImport(*imp);
    });

    auto diff = std::make_shared<DiffOptions>();
    cmd = app.add_subcommand(
        "diff", "Compare two Projects; exit 0 when equal, 1 when different, 2 on error");
    cmd->add_option("PROJECT_A", diff->a, "first Project folder")->required();
    cmd->add_option("PROJECT_B", diff->b, "second Project folder")->required();
    cmd->add_flag("--json", diff->json, "one JSON object for scripts");
    cmd->callback([diff] { RunDiff(*diff); });
}

} // namespace kt::cli
