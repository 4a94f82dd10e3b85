#include "editors/ProjectXml.h"

#include "base/Identity.h"

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

void AppendVersionComment(pugi::xml_document& doc) {
    doc.append_child(pugi::node_comment).set_value((std::string("SW_VERSION = ") + SwVersion).c_str());
}

} // namespace kt
