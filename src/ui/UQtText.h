#pragma once
// Conversions between the core's UTF-8 texts and paths and Qt's strings.

#include "base/FileUtil.h"

#include <QString>

#include <filesystem>
#include <string>

namespace kt {

[[nodiscard]] inline QString Q(const std::string& s) {
    return QString::fromStdString(s);
}
[[nodiscard]] inline std::string S(const QString& s) {
    return s.toStdString();
}
[[nodiscard]] inline QString QPath(const std::filesystem::path& p) {
    return QString::fromStdString(PathToUtf8(p));
}
[[nodiscard]] inline std::filesystem::path PathOf(const QString& s) {
    return PathFromUtf8(s.toStdString());
}

} // namespace kt
