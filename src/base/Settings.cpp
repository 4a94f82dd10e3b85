#include "base/Settings.h"

#include "base/FileUtil.h"
#include "base/XmlUtil.h"

#include <pugixml.hpp>

#include <optional>

namespace kt {

namespace {

// Text of root/group/leaf, or nullopt when the group or the leaf is missing.
std::optional<std::string> Value(const pugi::xml_node& root, const char* group, const char* leaf) {
    const pugi::xml_node g = root.child(group);
    if (!g) return std::nullopt;
    const pugi::xml_node e = g.child(leaf);
    if (!e) return std::nullopt;
    return std::string(e.child_value());
}

bool Flag(const pugi::xml_node& root, const char* leaf) {
    const auto v = Value(root, "lastinternet", leaf);
    return v && *v == "1";
}

} // namespace

Result<AppSettings> ReadSettings(const std::filesystem::path& file) {
    Result<AppSettings> read;
    AppSettings& s = read.value;
    pugi::xml_document doc;
    if (read.status = LoadXmlFile(file, doc, MaxSettingsFileBytes); !read.status) return read;
    const pugi::xml_node root = RootElement(doc);
    if (!root) return read;
    s.ProjectName = Value(root, "lastproj", "projectname").value_or("");
    s.IpAddress = Value(root, "lastipadd", "ipaddress").value_or("192.168.2.205");
    s.LanguageName = Value(root, "lastlang", "language").value_or("English");
    s.EnableInternet = Flag(root, "enable_internet");
    s.EnableUpdate = Flag(root, "enable_update");
    s.EnableJumpFieldTables = Flag(root, "enable_jump_field_tables");
    s.DoubleClickAutoSize = Flag(root, "Double_Click_Auto_Size");
    return read;
}

std::string SettingsXml(const AppSettings& s) {
    pugi::xml_document doc;
    pugi::xml_node root = doc.append_child("Conf_Settings");
    root.append_child("lastproj").append_child("projectname").text().set(s.ProjectName.c_str());
    root.append_child("lastipadd").append_child("ipaddress").text().set(s.IpAddress.c_str());
    root.append_child("lastlang").append_child("language").text().set(s.LanguageName.c_str());
    pugi::xml_node inet = root.append_child("lastinternet");
    const auto flag = [&inet](const char* name, bool v) {
        inet.append_child(name).text().set(v ? "1" : "0");
    };
    flag("enable_internet", s.EnableInternet);
    flag("enable_update", s.EnableUpdate);
    flag("enable_jump_field_tables", s.EnableJumpFieldTables);
    flag("Double_Click_Auto_Size", s.DoubleClickAutoSize);
    return XmlToString(doc);
}

std::filesystem::path DamagedSettingsFile(const std::filesystem::path& file) {
    std::filesystem::path bad = file;
    bad += ".bad";
    return bad;
}

Status KeepDamagedSettings(const std::filesystem::path& file) {
    const Result<std::string> bytes = ReadFileBytes(file, MaxSettingsFileBytes);
    if (!bytes) return bytes.status;
    return WriteFileAtomic(DamagedSettingsFile(file), bytes.value);
}

Status WriteSettings(const std::filesystem::path& file, const AppSettings& s) {
    return WriteFileAtomic(file, SettingsXml(s));
}

} // namespace kt
