#pragma once
// A CAN database (DBC) read at message level: nodes, messages with their transmitters and
// receivers, comments and the send attributes. Signals are read only for their receivers.

#include "base/Status.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kt {

struct DbcMessage {
    std::uint32_t id = 0;  // the identifier, without the extended flag
    bool extended = false; // bit 31 of the stored identifier: a 29-bit frame
    std::string name;
    int dlc = 0;                           // data length in bytes as declared (CAN FD: above 8)
    std::string transmitter;               // empty for "Vector__XXX" (no node)
    std::vector<std::string> transmitters; // further senders from BO_TX_BU_
    std::vector<std::string> receivers;    // nodes named by the signals, first seen first
    std::string comment;                   // CM_ BO_, escapes resolved
    std::optional<std::int64_t> cycleTime; // GenMsgCycleTime in ms, from BA_ or the default
    std::string sendType;                  // GenMsgSendType as its enumeration text
    std::string frameFormat;               // VFrameFormat as its enumeration text
    int line = 0;                          // of the BO_ line

    // True when `node` sends the message (BO_ or BO_TX_BU_).
    [[nodiscard]] bool sentBy(std::string_view node) const;
    // True when one of its signals names `node` as receiver.
    [[nodiscard]] bool receivedBy(std::string_view node) const;
    // A CAN FD frame: more than 8 bytes, or a VFrameFormat of CAN FD.
    [[nodiscard]] bool isCanFd() const;
};

struct DbcDatabase {
    std::vector<std::string> nodes; // BU_, in file order
    std::vector<DbcMessage> messages;
};

// The bytes of a DBC as UTF-8 without byte-order mark and with LF line ends: UTF-8 is kept
// (BOM dropped); anything that is not valid UTF-8 is read as Windows-1252.
[[nodiscard]] std::string DbcTextToUtf8(std::string_view bytes);

// Reads a DBC's bytes. A text that is not a DBC is Malformed with "line L, column C: why"
// (both from 1): a text without a single DBC section, or a statement that does not start
// with a DBC keyword. The pseudo message that only holds unassigned signals is left out.
[[nodiscard]] Result<DbcDatabase> ParseDbc(std::string_view bytes);

// Reads a DBC file; a file that cannot be read fails with the system's reason.
[[nodiscard]] Result<DbcDatabase> ReadDbcFile(const std::filesystem::path& file);

} // namespace kt
