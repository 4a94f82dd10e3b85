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
    AppSettings Settings;       // Settings.ProjectName is the current Project's name
    std::filesystem::path ProjectDir; // empty while no Project is open
    ProjectFiles Files;
    LanguageTable Lang;
    std::vector<std::string> RowCopyBuffer; // copied frame table row, shared by both lists

    [[nodiscard]] bool ProjectOpen() const { return !ProjectDir.empty(); }
    [[nodiscard]] const std::string& Text(int id) const { return Lang.Get_Text(id); }
    // Recomputes Files from ProjectDir.
    void Set_Files() { Files = MakeProjectFiles(ProjectDir); }

    // Makes the Project `name` under ProjectsDir the current one: its name in the settings,
    // its folder and file paths. An empty name closes the Project; so does a folder that is
    // not there when `onlyIfPresent` (the name is kept for the settings file).
    void MakeProjectCurrent(const std::string& name, bool onlyIfPresent = false) {
        Settings.ProjectName = name;
        const std::filesystem::path dir = Workspace.ProjectsDir / PathFromUtf8(name);
        ProjectDir = !name.empty() && (!onlyIfPresent || IsDirectory(dir)) ? dir
                                                                            : std::filesystem::path();
        Set_Files();
    }
};

} // namespace kt
