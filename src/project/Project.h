#pragma once
// Creating Projects and listing the existing ones.

#include "base/Status.h"

#include <filesystem>
#include <string>
#include <vector>

namespace kt {

// True when the name can be a portable Project directory name: no path separator, not "."
// or "..", none of <>:"/\|?* or control characters, no trailing dot or blank, not a
// reserved device name.
[[nodiscard]] bool IsPortableProjectName(const std::string& name);

// Names compared as Windows would compare them for ASCII letters: a-z folded to A-Z, every
// other byte as it is.
[[nodiscard]] bool SameProjectName(const std::string& a, const std::string& b);

// Creates projectsDir/name and projectsDir/name/bin. The name is used as typed. A refusal is
// Refused with the number of the text that explains it, checked in this order: empty
// (NewNameEmpty), an entry of PROJECTS with that name in any letter case (NewNameExists), a
// name that is not portable (NewNameNotValid); a failed creation is Io with NewNameNotValid.
[[nodiscard]] Status CreateProject(const std::filesystem::path& projectsDir,
                                   const std::string& name);

// Directory names under projectsDir, sorted without regard to case. Hidden entries, names
// that are not valid UTF-8 and names that are not portable are left out: the windows could
// not name such a folder again.
[[nodiscard]] std::vector<std::string> ListProjects(const std::filesystem::path& projectsDir);

// The folder of the Project `name` below projectsDir when the name is a portable one and
// that folder exists; empty otherwise. An absolute or rooted name never leaves projectsDir.
[[nodiscard]] std::filesystem::path ExistingProjectDir(const std::filesystem::path& projectsDir,
                                                       const std::string& name);

// Index of the name exactly equal to snc, else of the first one equal in upper case
// (letters a-z only), else -1.
[[nodiscard]] int Search_Open_Conf(const std::vector<std::string>& names, const std::string& snc);

// The open Project's name as the part of projectDir below projectsDir; empty when none.
[[nodiscard]] std::string OpenProjectName(const std::filesystem::path& projectsDir,
                                          const std::filesystem::path& projectDir);

} // namespace kt
