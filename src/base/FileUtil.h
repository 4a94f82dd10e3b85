#pragma once
// File-system helpers shared by every reader and writer of the core.

#include "base/Status.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace kt {

// UTF-8 text <-> path, the same on every platform.
[[nodiscard]] std::filesystem::path PathFromUtf8(std::string_view utf8);
[[nodiscard]] std::string PathToUtf8(const std::filesystem::path& p);

// Replaces `target` with `bytes` atomically: a temporary file in the same folder is written,
// flushed and renamed over the target. On failure the old file is untouched and the
// message names the file and the system's reason.
[[nodiscard]] Status WriteFileAtomic(const std::filesystem::path& target, std::string_view bytes);

// Reads a whole file as bytes. A missing file is NotFound, any other failure Io; the
// message names the file and the system's reason.
[[nodiscard]] Result<std::string> ReadFileBytes(const std::filesystem::path& file);

// Non-throwing existence tests.
[[nodiscard]] bool IsDirectory(const std::filesystem::path& p);
[[nodiscard]] bool IsRegularFile(const std::filesystem::path& p);

} // namespace kt
