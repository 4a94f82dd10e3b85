#pragma once
// The 4096-byte binary configuration image compiled from a Project's three files.

#include "base/Status.h"
#include "base/Workspace.h"
#include "project/FrameList.h"
#include "project/ParGenFile.h"
#include "project/ProjectSnapshot.h"

#include <pugixml.hpp>

#include <array>
#include <cstdint>
#include <filesystem>
#include <span>

namespace kt {

inline constexpr std::size_t ConfigImageSize = 4096;
using ConfigImage = std::array<std::uint8_t, ConfigImageSize>;

// Frames per table; a list file with more child nodes contributes its first 32.
inline constexpr int ConfigImageFrames = 32;
inline constexpr std::uint32_t RecTableAddr = 0x00067800;
inline constexpr std::uint32_t SendTableAddr = 0x00067C00;

// Byte positions: the receive table, then the send table, each of ConfigImageFrames entries,
// then the parameter block of 32-bit little-endian words.
inline constexpr std::size_t ImageEntrySize = 32;
inline constexpr std::size_t ImageSendTable = 1024;
inline constexpr std::size_t ImageParamBlock = 2048;

// Offsets of the parameter block's words.
enum ImageParam : std::size_t {
    ParamCanBaudRate = 0,
    ParamWord4 = 4,
    ParamWord8 = 8,
    ParamProfibusAddress = 40,
    ParamRecDataBytes = 44,
    ParamSendDataBytes = 48,
    ParamGsdCanMapping = 156,
    ParamRecTableAddr = 196,
    ParamSendTableAddr = 200,
    ParamRecFrameCount = 204,
    ParamSendFrameCount = 208,
    ParamChecksum = 2044,
};

// One frame of a list file as the compiler puts it into its table entry.
struct ImageFrame {
    std::uint32_t CobId = 0;      // bit 31 set for a 29-bit frame
    std::uint32_t SendTime = 0;   // transmit frames only
    std::uint32_t RecTimeOut = 0; // receive frames only
    std::uint8_t SendFlags = 0;   // transmit frames only: 1, OnChange 2, OnTimer 4
    std::uint8_t DataLen = 0;
    std::uint8_t SwapCode = 0;
    bool operator==(const ImageFrame&) const = default;
};
inline constexpr std::uint8_t SendFlagOnChange = 2;
inline constexpr std::uint8_t SendFlagOnTimer = 4;
inline constexpr std::uint32_t ImageCobId29 = 0x80000000u;

// Reads one frame node (a child of the list's root) by the compiler's rules.
[[nodiscard]] ImageFrame ReadImageFrame(const pugi::xml_node& node, FrameKind kind);
// The same from the row ReadFrameRow made of that node: a missing attribute's field default
// reads as the compiler's fallback, so both give the same frame.
[[nodiscard]] ImageFrame ReadImageFrame(const FrameRow& row, FrameKind kind);

// The bit rate the image holds for these settings; `found` false means no ParGen.xml.
[[nodiscard]] std::uint32_t ImageBaudRate(const ParGen& settings, bool found);

// The value the checksum word must hold: the sum of the parameter block's bytes before it.
[[nodiscard]] std::uint32_t ParamBlockSum(std::span<const std::uint8_t, ConfigImageSize> image);

// Builds the image from ParGen.xml and both frame lists; missing files and values give
// their defaults. Fails, leaving `image` unspecified, when a file exists but is not
// well-formed XML or cannot be read (message with the file's name).
[[nodiscard]] Status Compile_Config_Image(const ProjectFiles& files, ConfigImage& image);
// The same from a Project read before.
[[nodiscard]] Status Compile_Config_Image(const ProjectSnapshot& project, ConfigImage& image);

// Writes the image to `file` atomically, creating its folder (one level, such as a Project's
// missing "bin") when needed; a missing parent of that folder is a failure. On failure the
// message carries the system's reason and the caller must not go on to the update.
[[nodiscard]] Status Write_Config_Image(const std::filesystem::path& file,
                                        const ConfigImage& image);

// Where the update step puts the image: <projectDir>/bin/bank1.bin.
[[nodiscard]] std::filesystem::path ConfigImageFile(const std::filesystem::path& projectDir);

} // namespace kt
