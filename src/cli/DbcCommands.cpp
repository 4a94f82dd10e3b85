// import-dbc: frames from a CAN database into a Project.

#include "base/FileUtil.h"
#include "base/Workspace.h"
#include "cli/Commands.h"
#include "dbc/DbcImport.h"
#include "lang/LanguageTable.h"
#include "project/IntOrDefault.h"

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
    const LanguageTable texts = LanguageTable::English();
    const Result<DbcDatabase> read = ReadDbcFile(PathFromUtf8(o.dbcFile));
    if (!read) Fail(texts.Get_Text(TextId::DbcCannotRead) + o.dbcFile + ": " + read.status.message);
    const DbcDatabase& db = read.value;
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
    if (!o.replace) Require(list.Load_Frames(file));
    const Result<std::vector<ImportedRowAt>> planned =
        PlanImport(list, chosen, o.timeoutFactor, texts);
    Require(planned.status);
    const std::vector<ImportedRowAt>& rows = planned.value;
    ApplyImport(list, rows);
    // The same gate as the dialog's OK.
    if (const std::string invalid = list.Controllo_dati(texts); !invalid.empty()) Fail(invalid);
    Require(list.Save_Frames(file));
    for (const ImportedRowAt& r : rows)
        std::cout << "row " << r.row + 1 << ": " << r.texts.front() << " " << r.texts.back()
                  << "\n";
    std::cout << rows.size() << " frames imported into " << PathToUtf8(file) << "\n";
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
}

} // namespace kt::cli
