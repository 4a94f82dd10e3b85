#include "base/Workspace.h"

#include "base/FileUtil.h"

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

Status CheckWorkspaceWritable(const WorkspacePaths& ws) {
    for (const fs::path* dir : {&ws.ExeDir, &ws.ProjectsDir}) {
        const fs::path probe = *dir / ".kt52903-write-probe";
        // Removed at once, so it need not reach the disk: start-up does not wait for it.
        if (Status st = WriteFileAtomic(probe, "probe", Flush::No); !st) return st;
        std::error_code ec;
        fs::remove(probe, ec);
    }
    return Status::success();
}

ProjectFiles MakeProjectFiles(const fs::path& projectDir) {
    return {projectDir / "ParGen.xml", projectDir / "CAN_Rec_Frames.xml",
            projectDir / "CAN_Send_Frames.xml"};
}

fs::path SettingsFile(const WorkspacePaths& ws) {
    return ws.ExeDir / "Korvel.xml";
}

} // namespace kt
