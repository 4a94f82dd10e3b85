#pragma once
// The PROFIBUS device description (GSD, revision 5) generated from a Project.

#include "base/Status.h"
#include "base/Workspace.h"
#include "project/ProjectSnapshot.h"

#include <pugixml.hpp>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace kt {

class LanguageTable;

struct GSD_Data {
    bool Map_Frames = false;           // one module per CAN frame
    std::vector<std::int32_t> In_Dim;  // data length of each received frame, file order
    std::vector<std::int32_t> Out_Dim; // data length of each sent frame, file order
    std::int64_t In_Len = 0;           // sum of In_Dim
    std::int64_t Out_Len = 0;          // sum of Out_Dim
    std::int64_t In_Modules = 0;
    std::int64_t Out_Modules = 0;

    bool operator==(const GSD_Data&) const = default;
};

// The data from the Project files. NotFound when the Project has no ParGen.xml (the text
// GsdNeedsParGen for the user); Malformed when a file exists but is not well-formed XML
// (parser's description and the file's name). A missing frame list is a list without frames.
[[nodiscard]] Result<GSD_Data> Read_GSD_Data(const ProjectFiles& files);
[[nodiscard]] Result<GSD_Data> Read_GSD_Data(const ProjectSnapshot& project);

// Data length of one frame node (a child of the list's root) as the GSD counts it.
[[nodiscard]] std::int32_t GsdFrameDim(const pugi::xml_node& node);

// Fills the totals and module counts of `data` from Map_Frames, In_Dim and Out_Dim.
void CountGsdModules(GSD_Data& data);

// One module of the module list, numbered from 1: all inputs, then all outputs.
struct GsdModule {
    bool input = true;
    std::int64_t number = 0;
    std::int64_t length = 0; // data bytes; the length byte is one less
    std::string identifier;  // as the file writes it: "0x42,0x07,0x00,0x01"
    bool operator==(const GsdModule&) const = default;
};

// The modules that ComposeGsdText writes, with the same failures.
[[nodiscard]] Result<std::vector<GsdModule>> GsdModules(const GSD_Data& data,
                                                        const LanguageTable& texts);

// The whole GSD text, CR LF line ends. Fails when a frame length is negative, or outside
// 1..64 with one module per frame, when the lengths do not fit the format's 32-bit numbers,
// or when the module count is beyond reason (only hand-edited lists get there); the
// message is made of the Gsd... texts of `texts` (GsdReceiveFrame to GsdTooManyModules).
[[nodiscard]] Result<std::string> ComposeGsdText(const GSD_Data& data, const LanguageTable& texts);

// Composes the text and replaces `file` atomically; nothing is written on failure.
[[nodiscard]] Status Write_GSD_File(const std::filesystem::path& file, const GSD_Data& data,
                                    const LanguageTable& texts);

// The name the GSD step uses for a chosen name: unchanged when it ends with ".gsd" in any
// case, else with ".gsd" appended.
[[nodiscard]] std::string WithGsdExtension(const std::string& chosen);

} // namespace kt
