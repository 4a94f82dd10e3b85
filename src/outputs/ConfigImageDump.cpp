#include "outputs/ConfigImageDump.h"

#include "base/TextUtil.h"
#include "outputs/ConfigImage.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace kt {

namespace {

std::uint32_t Get32(std::string_view b, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(b[at + std::size_t(i)]);
    return v;
}
std::uint32_t Get16(std::string_view b, std::size_t at) {
    return static_cast<unsigned char>(b[at]) | (static_cast<unsigned char>(b[at + 1]) << 8);
}
std::uint32_t Param(std::string_view b, std::size_t offset) {
    return Get32(b, ImageParamBlock + offset);
}

std::string Hex(std::uint32_t v, int digits) {
    return "0x" + HexDigits(v, digits);
}

void Table(std::string_view b, bool send, std::uint32_t count, std::string& out) {
    out += send ? "Send frames: " : "Receive frames: ";
    out += std::to_string(count);
    if (count > std::uint32_t(ConfigImageFrames))
        out += " (more than the " + std::to_string(ConfigImageFrames) + " entries of the table)";
    out += "\n";
    const std::uint32_t used = std::min<std::uint32_t>(count, ConfigImageFrames);
    for (std::uint32_t i = 0; i < used; ++i) {
        const std::size_t at = (send ? ImageSendTable : 0) + ImageEntrySize * std::size_t(i);
        const std::uint32_t cobId = Get32(b, at);
        out += "  " + std::to_string(i + 1) + ": CobId " + Hex(cobId & 0x7FFFFFFF, 8) +
               ((cobId & 0x80000000u) ? " 29-bit" : " 11-bit") + ", DataLen " +
               std::to_string(static_cast<unsigned char>(b[at + 14])) + ", DataOffset " +
               std::to_string(Get16(b, at + 16)) + ", Swap " +
               Hex(static_cast<unsigned char>(b[at + 15]), 2);
        if (send) {
            const unsigned flags = static_cast<unsigned char>(b[at + 13]);
            out += ", SendFlags " + Hex(flags, 2) + " (OnChange " + ((flags & 2) ? "Y" : "N") +
                   ", OnTimer " + ((flags & 4) ? "Y" : "N") + "), SendTime " +
                   std::to_string(Get32(b, at + 4)) + " ms";
        } else {
            out += ", RecTimeOut " + std::to_string(Get32(b, at + 8)) + " ms";
        }
        out += "\n";
    }
}

// Bytes 0-15 zero, 16-31 0xFF: how every unused entry is written.
bool IsUnusedEntry(std::string_view b, std::size_t at) {
    for (std::size_t k = 0; k < ImageEntrySize; ++k)
        if (static_cast<unsigned char>(b[at + k]) != (k < 16 ? 0x00 : 0xFF)) return false;
    return true;
}

} // namespace

std::vector<std::string> ConfigImageProblems(std::string_view bytes) {
    std::vector<std::string> problems;
    if (bytes.size() != ConfigImageSize) {
        problems.push_back("the image has " + std::to_string(bytes.size()) + " bytes, not " +
                           std::to_string(ConfigImageSize));
        return problems;
    }
    const std::uint32_t sum = ParamBlockSum(std::span<const std::uint8_t, ConfigImageSize>(
        reinterpret_cast<const std::uint8_t*>(bytes.data()), ConfigImageSize));
    if (Param(bytes, ParamChecksum) != sum)
        problems.push_back("ParamChecksum " + Hex(Param(bytes, ParamChecksum), 8) +
                           " does not match the computed " + Hex(sum, 8));
    const struct {
        const char* name;
        std::size_t offset;
        std::uint32_t value;
    } fixed[] = {{"Word4", ParamWord4, 125000},
                 {"Word8", ParamWord8, 9600},
                 {"RecTableAddr", ParamRecTableAddr, RecTableAddr},
                 {"SendTableAddr", ParamSendTableAddr, SendTableAddr}};
    for (const auto& f : fixed)
        if (Param(bytes, f.offset) != f.value)
            problems.push_back(std::string(f.name) + " (parameter offset " +
                               std::to_string(f.offset) + ") is " + Hex(Param(bytes, f.offset), 8) +
                               ", not " + Hex(f.value, 8));
    for (const bool send : {false, true}) {
        const std::uint32_t count = Param(bytes, send ? ParamSendFrameCount : ParamRecFrameCount);
        for (std::uint32_t i = count; i < std::uint32_t(ConfigImageFrames); ++i) {
            const std::size_t at = (send ? ImageSendTable : 0) + ImageEntrySize * std::size_t(i);
            if (!IsUnusedEntry(bytes, at))
                problems.push_back(std::string(send ? "send" : "receive") + " entry " +
                                   std::to_string(i + 1) +
                                   " is unused but not 16 bytes of 0 and 16 of 0xFF");
        }
    }
    return problems;
}

Result<std::string> DumpConfigImage(std::string_view bytes) {
    if (bytes.size() != ConfigImageSize)
        return {{},
                Status::malformed("A configuration image has " + std::to_string(ConfigImageSize) +
                                  " bytes, this one has " + std::to_string(bytes.size()))};
    std::string out;
    Table(bytes, false, Param(bytes, ParamRecFrameCount), out);
    Table(bytes, true, Param(bytes, ParamSendFrameCount), out);
    const auto field = [&](const char* name, std::uint32_t v) {
        out += "  " + std::string(name) + " " + std::to_string(v) + "\n";
    };
    out += "Parameters:\n";
    field("CanBaudRate", Param(bytes, ParamCanBaudRate));
    field("Word4", Param(bytes, ParamWord4));
    field("Word8", Param(bytes, ParamWord8));
    field("ProfibusAddress", Param(bytes, ParamProfibusAddress));
    field("RecDataBytes", Param(bytes, ParamRecDataBytes));
    field("SendDataBytes", Param(bytes, ParamSendDataBytes));
    field("GsdCanMapping", Param(bytes, ParamGsdCanMapping));
    out += "  RecTableAddr " + Hex(Param(bytes, ParamRecTableAddr), 8) + "\n";
    out += "  SendTableAddr " + Hex(Param(bytes, ParamSendTableAddr), 8) + "\n";
    field("RecFrameCount", Param(bytes, ParamRecFrameCount));
    field("SendFrameCount", Param(bytes, ParamSendFrameCount));
    const std::uint32_t sum = ParamBlockSum(std::span<const std::uint8_t, ConfigImageSize>(
        reinterpret_cast<const std::uint8_t*>(bytes.data()), ConfigImageSize));
    const std::uint32_t stored = Param(bytes, ParamChecksum);
    out += "  ParamChecksum " + Hex(stored, 8) +
           (stored == sum ? " (matches)\n" : " (does not match: computed " + Hex(sum, 8) + ")\n");
    return {std::move(out), Status::success()};
}

} // namespace kt
