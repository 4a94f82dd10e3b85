#include "editors/ParGenFile.h"

#include "base/FileUtil.h"
#include "base/XmlUtil.h"
#include "editors/IntOrDefault.h"
#include "editors/ProjectXml.h"
#include "lang/LanguageTable.h"

#include <string>

namespace kt {

Status ReadParGen(const std::filesystem::path& file, ParGen& out, bool& found) {
    out = ParGen{};
    found = false;
    pugi::xml_document doc;
    if (Status s = LoadXmlFile(file, doc); !s) {
        if (s.message.empty()) return Status::success(); // no file: the defaults
        return s;
    }
    found = true;
    const pugi::xml_node root = RootElement(doc);
    if (const char* t = ChildText(root, "CAN_BAUDRATE"))
        out.CanBaudIndex = IntOrDefault(t, DefaultCanBaudIndex);
    if (const char* t = ChildText(root, "PROFIBUS_ID_Device")) out.StationAddress = t;
    if (const char* t = ChildText(root, "PROFIBUS_GDS_CAN_Mapping"))
        out.GsdCanMapping = std::string_view(t) == "1";
    return Status::success();
}

std::string ParGenXml(const ParGen& values) {
    pugi::xml_document doc;
    pugi::xml_node root = doc.append_child("Par_Gen");
    AppendVersionComment(doc);
    const int baud = values.CanBaudIndex >= 0 && values.CanBaudIndex < int(CanBaudTexts.size())
                         ? values.CanBaudIndex
                         : DefaultCanBaudIndex;
    root.append_child("CAN_BAUDRATE").text().set(std::to_string(baud).c_str());
    root.append_child("PROFIBUS_ID_Device").text().set(values.StationAddress.c_str());
    root.append_child("PROFIBUS_GDS_CAN_Mapping").text().set(values.GsdCanMapping ? "1" : "0");
    return XmlToString(doc);
}

Status WriteParGen(const std::filesystem::path& file, const ParGen& values) {
    return WriteFileAtomic(file, ParGenXml(values));
}

std::string Controllo_Dati(const ParGen& values, const LanguageTable& texts) {
    const std::int32_t address = IntOrDefault(values.StationAddress, -1);
    if (address >= 1 && address <= 125) return {};
    return texts.Get_Text(416);
}

} // namespace kt
