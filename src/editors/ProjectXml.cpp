#include "editors/ProjectXml.h"

#include "core/Identity.h"

#include <string>

namespace kt {

bool IsFrameNode(const pugi::xml_node& node) {
    if (node.type() != pugi::node_pcdata) return true;
    for (const char* p = node.value(); *p; ++p)
        if (*p != ' ' && *p != '\t' && *p != '\r' && *p != '\n') return true;
    return false;
}

const char* ChildText(const pugi::xml_node& root, const char* name) {
    const pugi::xml_node e = root.child(name);
    return e ? e.child_value() : nullptr;
}

std::string_view TrimBlanks(std::string_view s) {
    const auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

void AppendVersionComment(pugi::xml_document& doc) {
    doc.append_child(pugi::node_comment).set_value((std::string("SW_VERSION = ") + SwVersion).c_str());
}

} // namespace kt
