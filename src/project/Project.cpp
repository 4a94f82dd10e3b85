#include "project/Project.h"

#include "base/FileUtil.h"
#include "base/TextUtil.h"
#include "lang/LanguageTable.h"

#include <algorithm>
#include <array>
#include <optional>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace kt {
namespace fs = std::filesystem;

namespace {

bool IsReservedDeviceName(const std::string& name) {
    // Windows reserves these with or without an extension ("NUL.txt") and with trailing blanks.
    std::string stem = name.substr(0, name.find('.'));
    while (!stem.empty() && stem.back() == ' ')
        stem.pop_back();
    stem = UpperAscii(stem);
    static const std::array<const char*, 4> plain = {"CON", "PRN", "AUX", "NUL"};
    if (std::find(plain.begin(), plain.end(), stem) != plain.end()) return true;
    if (stem.size() == 4 && (stem.rfind("COM", 0) == 0 || stem.rfind("LPT", 0) == 0) &&
        stem[3] >= '1' && stem[3] <= '9')
        return true;
    return false;
}

// Native name of a directory entry as UTF-8; nullopt when it is not valid UTF-8 (possible
// on Linux), since every path we build from text would then name a different entry.
std::optional<std::string> EntryName(const fs::directory_entry& e) {
#ifdef _WIN32
    return PathToUtf8(e.path().filename());
#else
    const std::string native = e.path().filename().native();
    if (!IsValidUtf8(native)) return std::nullopt;
    return native;
#endif
}

// Any entry of projectsDir, file or folder, hidden or not, whose name equals `name` in any
// letter case: on Windows the two could not stand side by side.
bool NameTaken(const fs::path& projectsDir, const std::string& name, bool& isDirectory) {
    std::error_code ec;
    for (fs::directory_iterator it(projectsDir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::optional<std::string> n = EntryName(*it);
        if (!n || !SameProjectName(*n, name)) continue;
        std::error_code dec;
        isDirectory = it->is_directory(dec);
        return true;
    }
    return false;
}

bool IsHidden(const fs::directory_entry& e) {
#ifdef _WIN32
    const DWORD a = GetFileAttributesW(e.path().c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
#else
    const std::string n = PathToUtf8(e.path().filename());
    return !n.empty() && n.front() == '.';
#endif
}

} // namespace

bool IsPortableProjectName(const std::string& name) {
    if (name == "." || name == "..") return false;
    // Windows drops a trailing dot or blank, so such a name would not name its own folder.
    if (!name.empty() && (name.back() == '.' || name.back() == ' ')) return false;
    for (unsigned char c : name) {
        if (c < 0x20 || c == 0x7F) return false;
        if (std::string_view("<>:\"/\\|?*").find(static_cast<char>(c)) != std::string_view::npos)
            return false;
    }
    return !IsReservedDeviceName(name);
}

bool SameProjectName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && UpperAscii(a) == UpperAscii(b);
}

Status CreateProject(const fs::path& projectsDir, const std::string& name) {
    const auto refused = [&name](TextId why) {
        return Status::refused("\"" + name + "\": " + LanguageTable::English().Get_Text(why),
                               TextNumber(why));
    };
    if (name.empty()) return refused(TextId::NewNameEmpty);
    bool isDirectory = false;
    // A file of that name is no Project; its creation would fail, as it always did.
    if (NameTaken(projectsDir, name, isDirectory))
        return refused(isDirectory ? TextId::NewNameExists : TextId::NewNameNotValid);
    if (!IsPortableProjectName(name)) return refused(TextId::NewNameNotValid);
    const fs::path dir = projectsDir / PathFromUtf8(name);
    std::error_code ec;
    // A case rule of the file system that we do not know.
    if (fs::is_directory(dir, ec)) return refused(TextId::NewNameExists);
    if (!fs::create_directory(dir, ec) || ec) {
        Status failed = Status::io("Cannot create \"" + PathToUtf8(dir) + "\": " +
                                   (ec ? ec.message() : std::string("it is there already")));
        failed.textId = TextNumber(TextId::NewNameNotValid);
        return failed;
    }
    fs::create_directories(dir / "bin", ec); // a missing bin only makes the image write fail later
    return Status::success();
}

std::vector<std::string> ListProjects(const fs::path& projectsDir) {
    std::vector<std::string> names;
    std::error_code ec;
    // increment(ec), not a range-for: an entry that fails mid-listing must not throw.
    for (fs::directory_iterator it(projectsDir, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code dec;
        if (!it->is_directory(dec) || IsHidden(*it)) continue;
        std::optional<std::string> name = EntryName(*it);
        if (name && IsPortableProjectName(*name)) names.push_back(std::move(*name));
    }
    std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const std::string ua = UpperAscii(a), ub = UpperAscii(b);
        return ua != ub ? ua < ub : a < b;
    });
    return names;
}

fs::path ExistingProjectDir(const fs::path& projectsDir, const std::string& name) {
    if (name.empty() || !IsValidUtf8(name) || !IsPortableProjectName(name)) return {};
    fs::path dir = projectsDir / PathFromUtf8(name);
    return IsDirectory(dir) ? dir : fs::path();
}

int Search_Open_Conf(const std::vector<std::string>& names, const std::string& snc) {
    for (std::size_t i = 0; i < names.size(); ++i)
        if (names[i] == snc) return static_cast<int>(i);
    const std::string key = UpperAscii(snc);
    for (std::size_t i = 0; i < names.size(); ++i)
        if (UpperAscii(names[i]) == key) return static_cast<int>(i);
    return -1;
}

std::string OpenProjectName(const fs::path& projectsDir, const fs::path& projectDir) {
    if (projectDir.empty()) return {};
    if (projectDir.parent_path() == projectsDir) return PathToUtf8(projectDir.filename());
    return PathToUtf8(projectDir.lexically_relative(projectsDir));
}

} // namespace kt
