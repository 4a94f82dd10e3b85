#pragma once
// The two CAN frame lists of a Project (receive and transmit) and their files.

#include "base/Status.h"

#include <pugixml.hpp>

#include <array>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kt {

class LanguageTable;

enum class FrameKind { Receive, Transmit };

// Column indices of the fields; the order of the editor's columns and of the file's attributes.
enum ReceiveField : int { RxCOBID, RxCAN_Type, RxDim, RxSWAP, RxTimeOut, RxMnemonic };
enum TransmitField : int {
    TxCOBID,
    TxCAN_Type,
    TxDim,
    TxSWAP,
    TxOnChange,
    TxOnTimer,
    TxTime,
    TxMnemonic
};

inline constexpr const char* CanType11 = "2.0A (11 bits)";

// The longest Mnemonic, in characters, that the import writes and the report prints; Check
// Project warns about a longer one in a hand-edited file.
inline constexpr std::size_t MnemonicMaxChars = 64;
inline constexpr const char* CanType29 = "2.0B (29 bits)";

// The image marks a frame 29-bit only when its Type, trimmed, is the 2.0B entry; every other
// text, empty included, becomes an 11-bit frame. Validation follows the same reading.
[[nodiscard]] bool StoredAs29Bit(std::string_view type);
// The Type, trimmed, is one of the two entries.
[[nodiscard]] bool IsKnownCanType(std::string_view type);

struct ReceiveFrame {
    std::string COBID, CAN_Type, Dim, SWAP, TimeOut, Mnemonic;
    bool operator==(const ReceiveFrame&) const = default;
};

struct TransmitFrame {
    std::string COBID, CAN_Type, Dim, SWAP, OnChange, OnTimer, Time, Mnemonic;
    bool operator==(const TransmitFrame&) const = default;
};

// Attribute names of a kind, in file order (6 or 8 entries).
[[nodiscard]] std::span<const char* const> FrameFieldNames(FrameKind kind);
// Name of the root element of the kind's file.
[[nodiscard]] const char* FrameRootName(FrameKind kind);
// True for the fields shown as Y/N check boxes (OnChange, OnTimer of a transmit list).
[[nodiscard]] bool IsCheckField(FrameKind kind, int field);
// The header of a field's column in the list's editor, in the current language: messages
// name a column the way the grid shows it.
[[nodiscard]] const std::string& FrameColumnText(FrameKind kind, int field,
                                                 const LanguageTable& texts);

// The two readings of a Y/N check-box field. The image takes exactly "Y", the text the
// editor stores; validation, which also sees hand-edited files, takes "Y" or "y" with
// blanks around it.
[[nodiscard]] bool CheckedForImage(std::string_view text);
[[nodiscard]] bool CheckedForValidation(std::string_view text);

// One row: the field texts, one per column of the kind.
using FrameRow = std::vector<std::string>;

// The row that Load_Frames fills from one frame node: each attribute or its field's default.
[[nodiscard]] FrameRow ReadFrameRow(const pugi::xml_node& node, FrameKind kind);

// A row that Controllo_dati rejects: the row (0..29) and the message.
struct FrameFault {
    int row;
    std::string message;
    bool afterBlank = false; // a filled row after the first blank COBID, which saving drops
    bool operator==(const FrameFault&) const = default;
};

// The message of the first failure of one filled row (`index` 0-based, shown from 1), as
// Controllo_dati words it; empty when the row is valid.
[[nodiscard]] std::string FrameRowFault(FrameKind kind, const FrameRow& row, int index,
                                        const LanguageTable& texts);

// RowFaults of a list holding these rows (the first 30; missing rows are blank), without
// building the list.
[[nodiscard]] std::vector<FrameFault> RowFaults(FrameKind kind, std::span<const FrameRow> rows,
                                                const LanguageTable& texts);

class FrameList {
public:
    static constexpr int Rows = 30;

    // 30 rows with every field empty.
    explicit FrameList(FrameKind kind);

    // Receive or transmit, fixed at construction.
    [[nodiscard]] FrameKind kind() const { return kind_; }
    // 6 for a receive list, 8 for a transmit list.
    [[nodiscard]] int fieldCount() const;

    // Rows are 0..29 (shown to the user as 1..30), columns 0..fieldCount()-1;
    // an index outside throws std::out_of_range.
    [[nodiscard]] const std::string& field(int row, int column) const;
    void setField(int row, int column, std::string text);
    [[nodiscard]] const FrameRow& row(int row) const;
    // `texts` must hold fieldCount() entries, else std::invalid_argument.
    void setRow(int row, FrameRow texts);

    // Typed views of one row; the kind must match, else std::logic_error.
    [[nodiscard]] ReceiveFrame receiveFrame(int row) const;
    void setReceiveFrame(int row, const ReceiveFrame& frame);
    [[nodiscard]] TransmitFrame transmitFrame(int row) const;
    void setTransmitFrame(int row, const TransmitFrame& frame);

    // Every field of every row empty.
    void Clear();
    // Number of frames: rows before the first row whose COBID is blank.
    [[nodiscard]] int FrameCount() const;

    // Clears the rows, then fills them from the file (at most 30 frames). A missing file is
    // an empty list with success; malformed XML fails with the parser's description and the
    // file's name and leaves every row empty.
    [[nodiscard]] Status Load_Frames(const std::filesystem::path& file);

    // Empty when the list is valid; else the message of the first failure: the list's
    // "Error row " text, the row number (from 1) and the reason, without separators.
    // The row with the first blank COBID and every row after it must be blank too, since
    // saving would drop them.
    [[nodiscard]] std::string Controllo_dati(const LanguageTable& texts) const;
    // Every row that Controllo_dati would reject, each with its first failure, in row order.
    [[nodiscard]] std::vector<FrameFault> RowFaults(const LanguageTable& texts) const;

    // The document as stored: one `row` a frame up to the first blank COBID, the version
    // comment last, no declaration, no indentation.
    [[nodiscard]] std::string ToXml() const;
    // Replaces the file atomically; on failure the old file stays and the message says why.
    [[nodiscard]] Status Save_Frames(const std::filesystem::path& file) const;

private:
    FrameKind kind_;
    std::array<FrameRow, Rows> rows_;
};

} // namespace kt
