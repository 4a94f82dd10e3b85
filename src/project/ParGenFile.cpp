#include "project/ParGenFile.h"

#include "base/FileUtil.h"
#include "base/XmlUtil.h"
#include "lang/LanguageTable.h"
#include "project/IntOrDefault.h"
#include "project/ProjectXml.h"

#include <string>

namespace kt {

ParGen ParGenFromXml(const pugi::xml_document& doc) {
    ParGen out;
    const pugi::xml_node root = RootElement(doc);
    if (const char* t = ChildText(root, "CAN_BAUDRATE"))
        out.CanBaudIndex = IntOrDefault(t, DefaultCanBaudIndex);
    if (const char* t = ChildText(root, "PROFIBUS_ID_Device")) out.StationAddress = t;
    if (const char* t = ChildText(root, "PROFIBUS_GDS_CAN_Mapping"))
        out.GsdCanMapping = std::string_view(t) == "1";
    return out;
}

Result<ParGen> ReadParGen(const std::filesystem::path& file) {
    Result<ParGen> r;
    pugi::xml_document doc;
    if (r.status = LoadXmlFile(file, doc); !r.status) return r;
    r.value = ParGenFromXml(doc);
    return r;
}

bool IsKnownCanBaudIndex(int index) {
    return index >= 0 && index < static_cast<int>(CanBaudTexts.size());
}

std::string ParGenXml(const ParGen& values) {
    pugi::xml_document doc;
    pugi::xml_node root = doc.append_child("Par_Gen");
    AppendVersionComment(doc);
    const int baud =
        IsKnownCanBaudIndex(values.CanBaudIndex) ? values.CanBaudIndex : DefaultCanBaudIndex;
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
    return texts.Get_Text(TextId::ParGenStationAddressRange);
}

} // namespace kt
