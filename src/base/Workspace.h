#pragma once
// The Workspace beside the executable and the paths of a Project's files.

#include "base/Status.h"

#include <filesystem>

namespace kt {

// The executable's folder and the three Workspace folders beside it.
struct WorkspacePaths {
    std::filesystem::path ExeDir;
    std::filesystem::path MasterDir;
    std::filesystem::path ProjectsDir;
    std::filesystem::path LanguageDir;
};

// The three files of one Project.
struct ProjectFiles {
    std::filesystem::path ParGenFile;
    std::filesystem::path RecFramesFile;
    std::filesystem::path SendFramesFile;
};

// MASTER, PROJECTS and LANGUAGE below exeDir; nothing is created or checked.
[[nodiscard]] WorkspacePaths MakeWorkspacePaths(const std::filesystem::path& exeDir);
// Creates MASTER, PROJECTS and LANGUAGE where missing, in that order; failures are ignored.
void CreateWorkspaceDirs(const WorkspacePaths& ws);
// Saves a probe file in ExeDir and in PROJECTS the way every save does, and removes it again;
// the first failure names the file and the system's reason. A Workspace under a read-only
// install folder (Program Files, /opt) fails here instead of at the first save.
[[nodiscard]] Status CheckWorkspaceWritable(const WorkspacePaths& ws);
// With an empty projectDir the paths are the bare file names.
[[nodiscard]] ProjectFiles MakeProjectFiles(const std::filesystem::path& projectDir);
// Path of the settings file, Korvel.xml beside the executable.
[[nodiscard]] std::filesystem::path SettingsFile(const WorkspacePaths& ws);

} // namespace kt
