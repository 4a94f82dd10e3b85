#include "base/FileUtil.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace kt {
namespace fs = std::filesystem;

fs::path PathFromUtf8(std::string_view utf8) {
    std::u8string u(utf8.begin(), utf8.end());
    return fs::path(u);
}

std::string PathToUtf8(const fs::path& p) {
    const std::u8string u = p.u8string();
    return std::string(u.begin(), u.end());
}

namespace {

std::string SystemReason(int err) {
    return std::strerror(err);
}

std::string Describe(const fs::path& file, const std::string& reason) {
    return "Cannot write \"" + PathToUtf8(file) + "\": " + reason;
}

Status ReadFailure(const fs::path& file, int err) {
    std::string why = "Cannot read \"" + PathToUtf8(file) + "\": " + SystemReason(err);
    return err == ENOENT ? Status::notFound(std::move(why)) : Status::io(std::move(why));
}

bool FlushToDisk(std::FILE* f) {
    if (std::fflush(f) != 0) return false;
#ifdef _WIN32
    return _commit(_fileno(f)) == 0;
#else
    return ::fsync(fileno(f)) == 0;
#endif
}

} // namespace

Status WriteFileAtomic(const fs::path& target, std::string_view bytes) {
    std::random_device rd;
    const fs::path dir = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    fs::path tmp = dir / PathFromUtf8("." + PathToUtf8(target.filename()) + ".tmp" +
                                      std::to_string(rd() % 1000000));
    errno = 0;
#ifdef _WIN32
    std::FILE* f = _wfopen(tmp.c_str(), L"wb");
#else
    std::FILE* f = std::fopen(tmp.c_str(), "wb");
#endif
    if (!f) return Status::io(Describe(target, SystemReason(errno)));
    bool good = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    int err = errno;
    if (good && !FlushToDisk(f)) {
        good = false;
        err = errno;
    }
    if (std::fclose(f) != 0 && good) {
        good = false;
        err = errno;
    }
    if (!good) {
        std::error_code ec;
        fs::remove(tmp, ec);
        return Status::io(Describe(target, SystemReason(err ? err : EIO)));
    }
    std::error_code ec;
    fs::rename(tmp, target, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(tmp, ignored);
        return Status::io(Describe(target, ec.message()));
    }
    return Status::success();
}

Result<std::string> ReadFileBytes(const fs::path& file) {
    Result<std::string> r;
    errno = 0;
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        r.status = ReadFailure(file, errno ? errno : ENOENT);
        return r;
    }
    // A read error (a folder, a device that fails) throws from inside the stream buffer.
    try {
        r.value.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    } catch (const std::ios_base::failure&) {
        const int err = errno;
        r.value.clear();
        r.status = ReadFailure(file, err && err != ENOENT ? err : EIO);
    }
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
