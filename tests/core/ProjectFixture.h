#pragma once
// A Project folder in a temp dir with functions that write its three files.

#include "TempDir.h"
#include "base/Workspace.h"

#include <string>

namespace kt::test {

class ProjectDir {
public:
    ProjectDir() : files_(kt::MakeProjectFiles(dir_.path())) {}

    [[nodiscard]] const kt::ProjectFiles& files() const { return files_; }
    [[nodiscard]] const std::filesystem::path& path() const { return dir_.path(); }

    void parGen(const std::string& xml) const { dir_.write("ParGen.xml", xml); }
    void receive(const std::string& rows) const {
        dir_.write("CAN_Rec_Frames.xml", "<Receive_Frames>" + rows + "</Receive_Frames>");
    }
    void transmit(const std::string& rows) const {
        dir_.write("CAN_Send_Frames.xml", "<Transmit_Frames>" + rows + "</Transmit_Frames>");
    }
    // ParGen.xml with the three values as texts.
    void settings(const std::string& baud, const std::string& address,
                  const std::string& map) const {
        parGen("<Par_Gen><CAN_BAUDRATE>" + baud + "</CAN_BAUDRATE><PROFIBUS_ID_Device>" + address +
               "</PROFIBUS_ID_Device><PROFIBUS_GDS_CAN_Mapping>" + map +
               "</PROFIBUS_GDS_CAN_Mapping></Par_Gen>");
    }

private:
    TempDir dir_;
    kt::ProjectFiles files_;
};

// Bytes from a hex text; blanks are ignored.
inline std::string HexBytes(const std::string& hex) {
    std::string out;
    std::string pair;
    for (char c : hex) {
        if (c == ' ' || c == '\n') continue;
        pair.push_back(c);
        if (pair.size() == 2) {
            out.push_back(static_cast<char>(std::stoi(pair, nullptr, 16)));
            pair.clear();
        }
    }
    return out;
}

} // namespace kt::test
