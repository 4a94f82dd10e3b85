#pragma once
// Program-wide state, owned by the main window and lent by reference to the other windows.

#include "base/FileUtil.h"
#include "base/Settings.h"
#include "base/Workspace.h"
#include "lang/LanguageTable.h"

#include <string>
#include <vector>

namespace kt {

struct AppState {
    WorkspacePaths Workspace;
    AppSettings Settings;             // Settings.ProjectName is the current Project's name
    std::filesystem::path ProjectDir; // empty while no Project is open
    ProjectFiles Files;
    LanguageTable Lang;
    std::vector<std::string> RowCopyBuffer; // copied frame table row, shared by both lists

    [[nodiscard]] bool ProjectOpen() const { return !ProjectDir.empty(); }
    [[nodiscard]] const std::string& Text(TextId id) const { return Lang.Get_Text(id); }
    // Recomputes Files from ProjectDir.
    void Set_Files() { Files = MakeProjectFiles(ProjectDir); }

    // Makes the Project `name` in `dir` the current one: its name in the settings, its folder
    // and file paths. An empty `dir` closes the Project (the name is kept for the settings
    // file), as for a stored name whose folder is gone or that is not a plain Project name.
    void MakeProjectCurrent(const std::string& name, std::filesystem::path dir) {
        Settings.ProjectName = name;
        ProjectDir = std::move(dir);
        Set_Files();
    }
    // The Project `name` under ProjectsDir, known to be there; an empty name closes it.
    void MakeProjectCurrent(const std::string& name) {
        MakeProjectCurrent(name, name.empty() ? std::filesystem::path()
                                              : Workspace.ProjectsDir / PathFromUtf8(name));
    }
};

} // namespace kt
