#pragma once
// Row operations of the frame list editors, on the core's FrameList. Rows are 0..29 here
// (the user sees 1..30); the fixed row-number column is not part of a FrameList.

#include "editors/FrameList.h"

#include <cstdint>
#include <string>
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
    NothingCopied, // text 1502
    WrongShape,    // copied from a list with another number of fields: text 1501
    RowInUse,      // a text field of the target row is not blank: ask text 1500
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

} // namespace kt
