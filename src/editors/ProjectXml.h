#pragma once
// Reading rules shared by every reader of the Project files.

#include <pugixml.hpp>

namespace kt {

// True for the child nodes of a list root that stand for a frame: every node but the
// whitespace that an indented file puts between elements.
[[nodiscard]] bool IsFrameNode(const pugi::xml_node& node);

// Text of the root's first child element of that name; nullptr when there is none.
[[nodiscard]] const char* ChildText(const pugi::xml_node& root, const char* name);

// Appends the version comment that every Project file carries after its root element.
void AppendVersionComment(pugi::xml_document& doc);

} // namespace kt
