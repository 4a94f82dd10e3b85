#pragma once
// File-system helpers shared by every reader and writer of the core.

#include "base/Status.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kt {

// UTF-8 text <-> path, the same on every platform.
[[nodiscard]] std::filesystem::path PathFromUtf8(std::string_view utf8);
[[nodiscard]] std::string PathToUtf8(const std::filesystem::path& p);

// The most a reader takes of each kind of file, far above any real one, so that a wrong or
// hostile file (a disk image, /dev/zero) is refused before it fills the memory.
inline constexpr std::uintmax_t MaxProjectFileBytes = 1u << 20;  // a full list is below 10 kB
inline constexpr std::uintmax_t MaxLanguageFileBytes = 4u << 20; // shipped files about 20 kB
inline constexpr std::uintmax_t MaxDbcFileBytes = 64u << 20;     // large real ones about 1 MB
inline constexpr std::uintmax_t MaxImageFileBytes = 1u << 20;    // an image is 4096 bytes
inline constexpr std::uintmax_t MaxSettingsFileBytes = 1u << 20; // a few hundred bytes

// Whether a write waits until its bytes are on the disk. Only a file removed right after (a
// probe) skips it: the wait is the slow part of a small write.
enum class Flush { ToDisk, No };

// Replaces `target` with `bytes` atomically: a temporary file in the same folder is created
// exclusively (never through a link planted at its name), written, flushed and renamed over
// the target. On failure the old file is untouched and the message names the file and the
// system's reason. Temporary files of processes that no longer run are removed first.
[[nodiscard]] Status WriteFileAtomic(const std::filesystem::path& target, std::string_view bytes,
                                     Flush flush = Flush::ToDisk);

// Creates `file`, which must not exist (not even as a link), writes and flushes `bytes`.
// Returns 0 or the system's error number; on failure nothing is left at `file`.
[[nodiscard]] int WriteNewFile(const std::filesystem::path& file, std::string_view bytes,
                               Flush flush = Flush::ToDisk);

// Reads a whole file as bytes, at most `maxBytes`. A missing file is NotFound; a folder, a
// link to nothing, a file larger than `maxBytes` and any other failure Io, with a message
// that names the file and the reason (the size, for one too large).
[[nodiscard]] Result<std::string> ReadFileBytes(const std::filesystem::path& file,
                                                std::uintmax_t maxBytes);

// Non-throwing existence tests.
[[nodiscard]] bool IsDirectory(const std::filesystem::path& p);
[[nodiscard]] bool IsRegularFile(const std::filesystem::path& p);

// The first of `dir` and its parents that exists but is not a folder (a file standing where a
// folder is needed); empty when there is none.
[[nodiscard]] std::filesystem::path FileInPlaceOfFolder(const std::filesystem::path& dir);

// Temporary names: ".<name>.kt52903-<kind>-<process id>-<random>", recognisably ours, with the
// writer's process id so that a later run can tell the leftovers of a killed one.
[[nodiscard]] std::filesystem::path TemporaryName(const std::filesystem::path& target,
                                                  std::string_view kind);
struct TemporaryEntry {
    std::filesystem::path path;
    std::string base; // the name it stands beside
    std::string kind;
    std::uint64_t pid = 0;
};
// Our temporary entries in `dir` whose process no longer runs.
[[nodiscard]] std::vector<TemporaryEntry> StaleTemporaries(const std::filesystem::path& dir);
[[nodiscard]] std::optional<TemporaryEntry> ParseTemporaryName(const std::filesystem::path& p);
[[nodiscard]] bool ProcessRunning(std::uint64_t pid);

// Steps of the writes above that a test may stop or fail. The hook runs before each step; a
// nonzero return is taken as the system's error number of that step. None in the programs.
enum class FileStep { Create, Write, Rename, Remove, MakeFolder };
using FileStepHook = int (*)(FileStep step, const std::filesystem::path& path);
void SetFileStepHook(FileStepHook hook);

// Rename, folder creation and removal through the hook; the error of the system or the hook.
[[nodiscard]] std::error_code RenamePath(const std::filesystem::path& from,
                                         const std::filesystem::path& to);
[[nodiscard]] std::error_code MakeFolder(const std::filesystem::path& dir);
[[nodiscard]] std::error_code RemoveAllPath(const std::filesystem::path& p);

} // namespace kt
