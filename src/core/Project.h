#pragma once
// Creating Projects and listing the existing ones.

#include <filesystem>
#include <string>
#include <vector>

namespace kt {

// Outcome of CreateProject: 0 on success, else the ID of the text that explains the refusal
// (107 empty name, 106 directory exists, 105 name not usable or creation failed).
struct CreateResult {
    int textId = 0;
    [[nodiscard]] bool ok() const { return textId == 0; }
};

// True when the name can be a portable Project directory name: no path separator, not "."
// or "..", none of <>:"/\|?* or control characters, no trailing dot or blank, not a
// reserved device name.
[[nodiscard]] bool IsPortableProjectName(const std::string& name);

// Creates projectsDir/name and projectsDir/name/bin. The name is used as typed.
[[nodiscard]] CreateResult CreateProject(const std::filesystem::path& projectsDir,
                                         const std::string& name);

// Directory names under projectsDir, hidden entries left out, sorted without regard to case.
[[nodiscard]] std::vector<std::string> ListProjects(const std::filesystem::path& projectsDir);

// Index of the first name equal to snc in upper case (letters a-z only), or -1.
[[nodiscard]] int Search_Open_Conf(const std::vector<std::string>& names, const std::string& snc);

// The open Project's name as the part of projectDir below projectsDir; empty when none.
[[nodiscard]] std::string OpenProjectName(const std::filesystem::path& projectsDir,
                                          const std::filesystem::path& projectDir);

} // namespace kt
