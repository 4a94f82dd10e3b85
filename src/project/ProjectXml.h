#pragma once
// Reading rules shared by every reader of the Project files.

#include "base/Status.h"

#include <pugixml.hpp>

#include <cstddef>
#include <filesystem>
#include <functional>
#include <limits>

namespace kt {

// True for the child nodes of a list root that stand for a frame: every node but the
// whitespace that an indented file puts between elements.
[[nodiscard]] bool IsFrameNode(const pugi::xml_node& node);

// Loads a frame-list file and calls visit(node) for each frame node of its root, in file
// order, at most `limit` of them. Returns LoadXmlFile's status: a missing file is NotFound
// and a malformed one Malformed, and neither visits anything.
[[nodiscard]] Status ForEachFrameNode(const std::filesystem::path& file, std::size_t limit,
                                      const std::function<void(const pugi::xml_node&)>& visit);
// The same walk over a document already loaded.
void ForEachFrameNode(const pugi::xml_document& doc, std::size_t limit,
                      const std::function<void(const pugi::xml_node&)>& visit);
inline constexpr std::size_t AllFrames = std::numeric_limits<std::size_t>::max();

// Text of the root's first child element of that name; nullptr when there is none.
[[nodiscard]] const char* ChildText(const pugi::xml_node& root, const char* name);

// Appends the version comment that every Project file carries after its root element.
void AppendVersionComment(pugi::xml_document& doc);

} // namespace kt
