#include "base/Workspace.h"

#include <system_error>

namespace kt {
namespace fs = std::filesystem;

WorkspacePaths MakeWorkspacePaths(const fs::path& exeDir) {
    WorkspacePaths ws;
    ws.ExeDir = exeDir;
    ws.MasterDir = exeDir / "MASTER";
    ws.ProjectsDir = exeDir / "PROJECTS";
    ws.LanguageDir = exeDir / "LANGUAGE";
    return ws;
}

void CreateWorkspaceDirs(const WorkspacePaths& ws) {
    for (const fs::path* dir : {&ws.MasterDir, &ws.ProjectsDir, &ws.LanguageDir}) {
        std::error_code ec;
        if (!fs::is_directory(*dir, ec)) fs::create_directory(*dir, ec);
    }
}

ProjectFiles MakeProjectFiles(const fs::path& projectDir) {
    return {projectDir / "ParGen.xml", projectDir / "CAN_Rec_Frames.xml",
            projectDir / "CAN_Send_Frames.xml"};
}

fs::path SettingsFile(const WorkspacePaths& ws) { return ws.ExeDir / "Korvel.xml"; }

} // namespace kt
