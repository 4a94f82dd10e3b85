#pragma once
// pugixml conventions shared by every XML file of the configurator.

#include "base/FileUtil.h"
#include "base/Status.h"

#include <pugixml.hpp>

#include <filesystem>
#include <string>

namespace kt {

// Loads a file. A missing file is NotFound (most callers then use their defaults); a folder or
// a link to nothing in its place, a file above `maxBytes` or a read failure Io; malformed XML
// Malformed with "<file>: <parser description> at offset N".
[[nodiscard]] Status LoadXmlFile(const std::filesystem::path& file, pugi::xml_document& doc,
                                 std::uintmax_t maxBytes = MaxProjectFileBytes);

// The document's root element: its first top-level element, whatever stands before it.
[[nodiscard]] pugi::xml_node RootElement(const pugi::xml_document& doc);

// UTF-8, no declaration, no indentation.
[[nodiscard]] std::string XmlToString(const pugi::xml_document& doc);

} // namespace kt
