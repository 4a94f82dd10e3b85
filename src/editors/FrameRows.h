#pragma once
// Row operations of the frame list editors, on the core's FrameList. Rows are 0..29 here
// (the user sees 1..30); the fixed row-number column is not part of a FrameList.

#include "project/FrameList.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kt {

// Shifts rows row+1..29 up by one and empties row 29.
void Grid_Delete_Row(FrameList& list, int row);
// Shifts rows row..28 down by one (row 29's content is dropped) and empties `row`.
void Grid_Insert_Row(FrameList& list, int row);
// True when an insert would drop something: the last row holds a non-blank text field or
// a checked box.
[[nodiscard]] bool InsertDropsLastRow(const FrameList& list);

// The texts of a row, one per field, empty ones included.
[[nodiscard]] std::vector<std::string> Grid_Copy_Row(const FrameList& list, int row);

enum class PasteCheck {
    NothingCopied, // TextId::PasteNothingCopied
    WrongShape,    // copied from a list with another number of fields: TextId::PasteWrongShape
    RowInUse,      // a text field of the target row is not blank: ask TextId::PasteRowInUse
    Free,
};
// What Paste Row may do with `row`, given whether a row was copied and what the buffer holds.
[[nodiscard]] PasteCheck CheckPaste(const FrameList& list, int row, bool copied,
                                    const std::vector<std::string>& buffer);
// Writes the buffer into the row, check-box fields included. Buffer must have fieldCount() entries.
void Grid_Paste_Row(FrameList& list, int row, const std::vector<std::string>& buffer);

// Create SWAP may open the editor for this row: CobID, Type and Dimension filled (blanks
// count as filled) and CobID and Dimension read as numbers of 0 or more.
[[nodiscard]] bool CanCreateSwap(const FrameList& list, int row);
// The editor's start value from a SWAP cell: read as a number (else 0), its low 8 bits.
[[nodiscard]] std::uint8_t SwapFromCell(const std::string& text);

struct GridCell {
    int row;
    int column;
    bool operator==(const GridCell&) const = default;
};
// Where Enter moves from a data cell (row 1.., column 1..lastColumn, 1-based as shown):
// right, or to column 1 of the next row, from the last row back to row 1. Cells outside the
// data area stay where they are.
[[nodiscard]] GridCell NextJumpCell(GridCell from, int rows, int lastColumn);
// The way back (Shift+Tab): left, or to the last column of the previous row, from row 1 to the
// last row. Cells outside the data area stay where they are.
[[nodiscard]] GridCell PreviousJumpCell(GridCell from, int rows, int lastColumn);

// The CAN type entry a text stands for: "A" or "11" for 2.0A, "B" or "29" for 2.0B, or the
// entry's own text; case and surrounding blanks do not count. With `typing`, the start of one
// of these is enough while it fits only one entry. nullptr when it fits none or both.
[[nodiscard]] const char* CanTypeFor(std::string_view text, bool typing);

// Tab-separated text of a range of fields (inclusive, 0-based), the way spreadsheets exchange
// ranges: fields split by tabs, each row ended by a line end. A field holding a tab, a line
// end or a double quote is quoted.
[[nodiscard]] std::string CopyCells(const FrameList& list, int top, int left, int bottom,
                                    int right);
// Rows of fields of such a text: "\r\n" or "\n" ends a row, the last line end adds no row,
// double-quoted fields may hold tabs, line ends and doubled quotes.
[[nodiscard]] std::vector<std::vector<std::string>> ParseCells(std::string_view text);
// What a pasted text becomes in a check-box field, as typing would set it: "Y" for Y, yes, true
// (or ja, si, oui), "N" for N, no, false (or nein, non), any case, blanks around; empty for
// blanks; nothing for any other text.
[[nodiscard]] std::optional<std::string> CheckBoxFor(std::string_view text);

enum class PasteRefusal {
    None,
    TooWide,    // more columns than there are from the start column on
    TooLong,    // more rows than there are from the start row on
    NotAChoice, // a pick-list or check-box cell that typing there would not accept
};
struct PasteVerdict {
    PasteRefusal refusal = PasteRefusal::None;
    int size = 0; // TooWide: columns of the block; TooLong: its rows
    int room = 0; // TooWide: columns from the start on; TooLong: rows
    int row = -1; // NotAChoice: the cell (0-based) and its text
    int field = -1;
    std::string text;
    bool operator==(const PasteVerdict&) const = default;
};
// Whether parsed cells may go in with their first one at (row, field): the whole block must
// fit, and a Type cell must name an entry (CanTypeFor) or be blank, a check-box cell must read
// as CheckBoxFor does. The first cell that fails is named.
[[nodiscard]] PasteVerdict CheckPasteCells(const FrameList& list, int row, int field,
                                           const std::vector<std::vector<std::string>>& cells);
// Writes the cells when CheckPasteCells accepts them, all or nothing: a Type cell takes the
// entry its text stands for, a check-box cell "Y", "N" or empty. Returns the verdict.
PasteVerdict PasteCells(FrameList& list, int row, int field,
                        const std::vector<std::vector<std::string>>& cells);

} // namespace kt
