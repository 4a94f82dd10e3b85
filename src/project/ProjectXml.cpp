#include "project/ProjectXml.h"

#include "base/Identity.h"
#include "base/XmlUtil.h"

#include <string>

namespace kt {

bool IsFrameNode(const pugi::xml_node& node) {
    if (node.type() != pugi::node_pcdata) return true;
    for (const char* p = node.value(); *p; ++p)
        if (*p != ' ' && *p != '\t' && *p != '\r' && *p != '\n') return true;
    return false;
}

Status ForEachFrameNode(const std::filesystem::path& file, std::size_t limit,
                        const std::function<void(const pugi::xml_node&)>& visit) {
    pugi::xml_document doc;
    if (Status s = LoadXmlFile(file, doc); !s) return s;
    ForEachFrameNode(doc, limit, visit);
    return Status::success();
}

void ForEachFrameNode(const pugi::xml_document& doc, std::size_t limit,
                      const std::function<void(const pugi::xml_node&)>& visit) {
    std::size_t visited = 0;
    for (pugi::xml_node n = RootElement(doc).first_child(); n && visited < limit;
         n = n.next_sibling()) {
        if (!IsFrameNode(n)) continue;
        visit(n);
        ++visited;
    }
}

const char* ChildText(const pugi::xml_node& root, const char* name) {
    const pugi::xml_node e = root.child(name);
    return e ? e.child_value() : nullptr;
}

void AppendVersionComment(pugi::xml_document& doc) {
    doc.append_child(pugi::node_comment)
        .set_value((std::string("SW_VERSION = ") + SwVersion).c_str());
}

} // namespace kt
