#include "base/FileUtil.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>

#ifdef _WIN32
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <signal.h>
#include <sys/types.h>
#include <unistd.h>
#endif

namespace kt {
namespace fs = std::filesystem;

namespace {

constexpr std::string_view kTempMark = ".kt52903-";
constexpr int kNameTries = 100;

std::atomic<FileStepHook> g_hook{nullptr};

int Hook(FileStep step, const fs::path& p) {
    const FileStepHook h = g_hook.load();
    return h ? h(step, p) : 0;
}

std::string SystemReason(int err) {
    return std::strerror(err);
}

Status WriteFailure(const fs::path& file, int err) {
    // "Not a directory" or "File exists" from a path through a file says too little (Windows
    // says "No such file or directory").
    if (err == ENOTDIR || err == EEXIST || err == ENOENT) {
        const fs::path blocker = FileInPlaceOfFolder(file.parent_path());
        if (!blocker.empty())
            return Status::io("Cannot write \"" + PathToUtf8(file) + "\": \"" +
                              PathToUtf8(blocker) + "\" is a file where a folder is needed");
    }
    return Status::io("Cannot write \"" + PathToUtf8(file) + "\": " + SystemReason(err));
}

Status ReadFailure(const fs::path& file, int err) {
    std::string why = "Cannot read \"" + PathToUtf8(file) + "\": " + SystemReason(err);
    return err == ENOENT ? Status::notFound(std::move(why)) : Status::io(std::move(why));
}

std::uint64_t OwnProcessId() {
#ifdef _WIN32
    return GetCurrentProcessId();
#else
    return static_cast<std::uint64_t>(::getpid());
#endif
}

int WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const unsigned chunk = bytes.size() > (1u << 30) ? (1u << 30) : unsigned(bytes.size());
#ifdef _WIN32
        const int n = ::_write(fd, bytes.data(), chunk);
#else
        const ssize_t n = ::write(fd, bytes.data(), chunk);
#endif
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (n == 0) return EIO;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return 0;
}

void RemoveStaleTemporaryFiles(const fs::path& dir) {
    for (const TemporaryEntry& e : StaleTemporaries(dir))
        if (e.kind == "tmp") {
            std::error_code ec;
            fs::remove(e.path, ec);
        }
}

} // namespace

fs::path PathFromUtf8(std::string_view utf8) {
    std::u8string u(utf8.begin(), utf8.end());
    return fs::path(u);
}

std::string PathToUtf8(const fs::path& p) {
    const std::u8string u = p.u8string();
    return std::string(u.begin(), u.end());
}

void SetFileStepHook(FileStepHook hook) {
    g_hook.store(hook);
}

std::error_code RenamePath(const fs::path& from, const fs::path& to) {
    if (const int err = Hook(FileStep::Rename, to)) return {err, std::generic_category()};
    std::error_code ec;
    fs::rename(from, to, ec);
    return ec;
}

std::error_code MakeFolder(const fs::path& dir) {
    if (const int err = Hook(FileStep::MakeFolder, dir)) return {err, std::generic_category()};
    std::error_code ec;
    if (!fs::create_directory(dir, ec) && !ec) ec = std::make_error_code(std::errc::file_exists);
    return ec;
}

std::error_code RemoveAllPath(const fs::path& p) {
    if (const int err = Hook(FileStep::Remove, p)) return {err, std::generic_category()};
    std::error_code ec;
    fs::remove_all(p, ec);
    return ec;
}

fs::path TemporaryName(const fs::path& target, std::string_view kind) {
    static thread_local std::mt19937_64 random{std::random_device{}() ^
                                               (std::uint64_t(std::random_device{}()) << 32)};
    char suffix[20];
    std::snprintf(suffix, sizeof suffix, "%016llx", static_cast<unsigned long long>(random()));
    fs::path name = target.filename();
    if (name.empty()) name = target.parent_path().filename();
    const fs::path dir =
        target.filename().empty() ? target.parent_path().parent_path() : target.parent_path();
    return dir / PathFromUtf8("." + PathToUtf8(name) + std::string(kTempMark) + std::string(kind) +
                              "-" + std::to_string(OwnProcessId()) + "-" + suffix);
}

std::optional<TemporaryEntry> ParseTemporaryName(const fs::path& p) {
    const std::string name = PathToUtf8(p.filename());
    const std::size_t mark = name.rfind(kTempMark);
    if (name.size() < 2 || name[0] != '.' || mark == std::string::npos || mark < 2)
        return std::nullopt;
    // <kind>-<pid>-<16 hex digits>
    const std::string rest = name.substr(mark + kTempMark.size());
    const std::size_t dash1 = rest.find('-');
    const std::size_t dash2 = dash1 == std::string::npos ? dash1 : rest.find('-', dash1 + 1);
    if (dash2 == std::string::npos || dash1 == 0 || dash2 == dash1 + 1) return std::nullopt;
    const std::string pid = rest.substr(dash1 + 1, dash2 - dash1 - 1);
    const std::string random = rest.substr(dash2 + 1);
    if (pid.size() > 19 || random.size() != 16) return std::nullopt;
    for (char c : pid)
        if (c < '0' || c > '9') return std::nullopt;
    for (char c : random)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return std::nullopt;
    TemporaryEntry e;
    e.path = p;
    e.base = name.substr(1, mark - 1);
    e.kind = rest.substr(0, dash1);
    e.pid = std::stoull(pid);
    return e;
}

bool ProcessRunning(std::uint64_t pid) {
    if (pid == OwnProcessId()) return true;
#ifdef _WIN32
    HANDLE h = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
    if (!h) return GetLastError() == ERROR_ACCESS_DENIED;
    DWORD code = 0;
    const bool running = GetExitCodeProcess(h, &code) && code == STILL_ACTIVE;
    CloseHandle(h);
    return running;
#else
    if (pid == 0 || pid > 0x7FFFFFFF) return false;
    // EPERM: it runs under another user; leave its files alone.
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
#endif
}

std::vector<TemporaryEntry> StaleTemporaries(const fs::path& dirIn) {
    const fs::path dir = dirIn.empty() ? fs::path(".") : dirIn;
    std::vector<TemporaryEntry> stale;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::optional<TemporaryEntry> e = ParseTemporaryName(it->path());
        if (e && !ProcessRunning(e->pid)) stale.push_back(*e);
    }
    return stale;
}

fs::path FileInPlaceOfFolder(const fs::path& dirIn) {
    for (fs::path dir = dirIn; !dir.empty(); dir = dir.parent_path()) {
        std::error_code ec;
        const fs::file_status s = fs::status(dir, ec);
        if (fs::exists(s)) return fs::is_directory(s) ? fs::path() : dir;
        if (dir == dir.parent_path()) break;
    }
    return {};
}

int WriteNewFile(const fs::path& file, std::string_view bytes, Flush flush) {
    if (const int err = Hook(FileStep::Create, file)) return err;
#ifdef _WIN32
    // _O_EXCL opens with CREATE_NEW: an existing name, a link included, fails.
    const int fd = ::_wopen(file.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                            _S_IREAD | _S_IWRITE);
#else
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
#endif
    if (fd < 0) return errno;
    int err = Hook(FileStep::Write, file);
    if (err == 0) err = WriteAll(fd, bytes);
#ifdef _WIN32
    if (err == 0 && flush == Flush::ToDisk && ::_commit(fd) != 0) err = errno;
    if (::_close(fd) != 0 && err == 0) err = errno;
#else
    if (err == 0 && flush == Flush::ToDisk && ::fsync(fd) != 0) err = errno;
    if (::close(fd) != 0 && err == 0) err = errno;
#endif
    if (err != 0) {
        std::error_code ec;
        fs::remove(file, ec);
    }
    return err;
}

Status WriteFileAtomic(const fs::path& target, std::string_view bytes, Flush flush) {
    RemoveStaleTemporaryFiles(target.parent_path());
    fs::path tmp;
    int err = EEXIST;
    for (int attempt = 0; attempt < kNameTries && err == EEXIST; ++attempt) {
        tmp = TemporaryName(target, "tmp");
        err = WriteNewFile(tmp, bytes, flush);
    }
    if (err != 0) return WriteFailure(target, err);
    if (const std::error_code ec = RenamePath(tmp, target)) {
        std::error_code ignored;
        fs::remove(tmp, ignored);
        return WriteFailure(target, ec.value());
    }
    return Status::success();
}

Result<std::string> ReadFileBytes(const fs::path& file, std::uintmax_t maxBytes) {
    Result<std::string> r;
    std::error_code ec;
    const fs::file_status st = fs::status(file, ec);
    if (!fs::exists(st)) {
        // A link to nothing is a fault of the Project, not a missing file.
        if (fs::is_symlink(fs::symlink_status(file, ec))) {
            r.status = Status::io("Cannot read \"" + PathToUtf8(file) +
                                  "\": it is a link to a file that does not exist");
            return r;
        }
        r.status = ReadFailure(file, ENOENT);
        return r;
    }
    if (fs::is_directory(st)) {
        r.status =
            Status::io("Cannot read \"" + PathToUtf8(file) + "\": it is a folder, not a file");
        return r;
    }
    const auto tooLarge = [&](const std::string& what) {
        r.value.clear();
        r.status = Status::io("Cannot read \"" + PathToUtf8(file) + "\": " + what);
        return r;
    };
    const std::string limit = std::to_string(maxBytes);
    if (fs::is_regular_file(st)) {
        const std::uintmax_t size = fs::file_size(file, ec);
        if (!ec && size > maxBytes)
            return tooLarge("it has " + std::to_string(size) + " bytes; such a file has at most " +
                            limit);
    }
    // Unbuffered stdio: a Project file is read in one or two system calls, without the
    // stream's locale and buffer set-up that cost more than the read itself.
    errno = 0;
#ifdef _WIN32
    std::FILE* in = _wfopen(file.c_str(), L"rb");
#else
    std::FILE* in = std::fopen(file.c_str(), "rb");
#endif
    if (!in) {
        r.status = ReadFailure(file, errno ? errno : ENOENT);
        return r;
    }
    std::setvbuf(in, nullptr, _IONBF, 0);
    // A device or pipe has no size to look at first: it is read up to one byte past the limit.
    char buffer[65536];
    for (;;) {
        const std::size_t got = std::fread(buffer, 1, sizeof buffer, in);
        r.value.append(buffer, got);
        if (r.value.size() > maxBytes) {
            std::fclose(in);
            return tooLarge("it has more than " + limit + " bytes, the most such a file can have");
        }
        if (got < sizeof buffer) break;
    }
    if (std::ferror(in)) {
        const int err = errno;
        r.value.clear();
        r.status = ReadFailure(file, err && err != ENOENT ? err : EIO);
    }
    std::fclose(in);
    return r;
}

bool IsDirectory(const fs::path& p) {
    std::error_code ec;
    return fs::is_directory(p, ec);
}

bool IsRegularFile(const fs::path& p) {
    std::error_code ec;
    return fs::is_regular_file(p, ec);
}

} // namespace kt
