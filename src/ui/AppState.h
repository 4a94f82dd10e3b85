#pragma once
// Program-wide state, owned by the main window and lent by reference to the other windows.

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
};

} // namespace kt
