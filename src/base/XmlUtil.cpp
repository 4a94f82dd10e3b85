#include "base/XmlUtil.h"

#include "base/FileUtil.h"

#include <sstream>

namespace kt {

namespace {

constexpr unsigned kParseOptions = pugi::parse_default | pugi::parse_ws_pcdata_single;

Status LoadXmlText(const std::string& text, const std::string& name, pugi::xml_document& doc) {
    const pugi::xml_parse_result r =
        doc.load_buffer(text.data(), text.size(), kParseOptions, pugi::encoding_auto);
    if (!r) {
        doc.reset();
        return Status::malformed(name + ": " + r.description() + " at offset " +
                                 std::to_string(r.offset));
    }
    return Status::success();
}

} // namespace

Status LoadXmlFile(const std::filesystem::path& file, pugi::xml_document& doc,
                   std::uintmax_t maxBytes) {
    doc.reset();
    const Result<std::string> bytes = ReadFileBytes(file, maxBytes);
    if (!bytes) return bytes.status;
    return LoadXmlText(bytes.value, PathToUtf8(file), doc);
}

pugi::xml_node RootElement(const pugi::xml_document& doc) {
    for (pugi::xml_node n = doc.first_child(); n; n = n.next_sibling())
        if (n.type() == pugi::node_element) return n;
    return {};
}

std::string XmlToString(const pugi::xml_document& doc) {
    std::ostringstream out;
    doc.save(out, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
    return out.str();
}

} // namespace kt
