#pragma once
// DBC messages -> rows of a frame list: which messages fit a list, the row of each, and
// where the rows go. An import is all or nothing.

#include "dbc/DbcFile.h"
#include "project/FrameList.h"

#include <string>
#include <vector>

namespace kt {

class LanguageTable;

inline constexpr int DefaultTimeoutFactor = 3;

// Preselection, one flag a message, for the list of `kind` when the converter stands for
// `node`: a transmit list takes what the node sends; a receive list what the node receives,
// or, when no signal names the node as receiver, what the other nodes send. No node
// preselects nothing.
[[nodiscard]] std::vector<bool> Preselection(const DbcDatabase& db, FrameKind kind,
                                             const std::string& node);

// Send type read as cyclic / event-driven (both for the mixed types).
[[nodiscard]] bool IsCyclicSendType(const std::string& sendType);
[[nodiscard]] bool IsEventSendType(const std::string& sendType);

// The frame row of one message: CobID "0x" + hex, Type from the extended flag, Dimension the
// DLC, SWAP 0, Mnemonic the name; receive TimeOut = factor x cycle time (0 when either is 0
// or missing); transmit OnTimer/Time from a cyclic send type or a bare cycle time, OnChange
// from an event-driven send type.
[[nodiscard]] FrameRow ImportedRow(const DbcMessage& m, FrameKind kind, int timeoutFactor);

// One row of the list and what it receives.
struct ImportedRowAt {
    int row; // 0..29
    FrameRow texts;
    bool operator==(const ImportedRowAt&) const = default;
};

// True when no text field holds more than blanks and no box is checked.
[[nodiscard]] bool IsEmptyRow(const FrameList& list, int row);

// Places the chosen messages, in their order, into the first empty rows of `list`. An import
// that cannot be done (CAN FD messages, more messages than empty rows, nothing chosen) is
// Refused with the message for the user and no rows.
[[nodiscard]] Result<std::vector<ImportedRowAt>>
PlanImport(const FrameList& list, const std::vector<const DbcMessage*>& chosen, int timeoutFactor,
           const LanguageTable& texts);

// Writes planned rows into the list.
void ApplyImport(FrameList& list, const std::vector<ImportedRowAt>& rows);

// The message list of the import window: identifier as "0x" + hex.
[[nodiscard]] std::string DbcIdText(const DbcMessage& m);

} // namespace kt
