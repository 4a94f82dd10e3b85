#pragma once
// A Workspace in a temporary folder with one open Project, and small file helpers.

#include "base/FileUtil.h"
#include "ui/AppState.h"
#include "ui/UQtText.h"

#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <string>

namespace kt::test {

struct ProjectFixture {
    QTemporaryDir dir;
    AppState state;

    explicit ProjectFixture(const std::string& name = "Plant") {
        state.Lang.Load_Default_Texts();
        state.Workspace = MakeWorkspacePaths(PathOf(dir.path()));
        CreateWorkspaceDirs(state.Workspace);
        state.MakeProjectCurrent(name);
        std::filesystem::create_directories(state.ProjectDir / "bin");
    }
    [[nodiscard]] QString text(int id) const { return Q(state.Lang.Get_Text(id)); }
};

inline void WriteFile(const std::filesystem::path& p, const std::string& bytes) {
    std::filesystem::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << bytes;
}

[[nodiscard]] inline std::string ReadFile(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace kt::test
