#include "editors/FrameRows.h"

#include "base/TextUtil.h"
#include "editors/IntOrDefault.h"

namespace kt {

namespace {
[[nodiscard]] bool Blank(const std::string& s) { return TrimBlanks(s).empty(); }
[[nodiscard]] FrameRow EmptyRow(const FrameList& list) {
    return FrameRow(static_cast<std::size_t>(list.fieldCount()));
}
} // namespace

void Grid_Delete_Row(FrameList& list, int row) {
    for (int r = row; r < FrameList::Rows - 1; ++r)
        list.setRow(r, list.row(r + 1));
    list.setRow(FrameList::Rows - 1, EmptyRow(list));
}

void Grid_Insert_Row(FrameList& list, int row) {
    for (int r = FrameList::Rows - 2; r >= row; --r)
        list.setRow(r + 1, list.row(r));
    list.setRow(row, EmptyRow(list));
}

bool InsertDropsLastRow(const FrameList& list) {
    const int last = FrameList::Rows - 1;
    for (int c = 0; c < list.fieldCount(); ++c) {
        const std::string& text = list.field(last, c);
        // An unchecked box holds nothing of its own.
        if (IsCheckField(list.kind(), c) ? text == "Y" : !Blank(text)) return true;
    }
    return false;
}

std::vector<std::string> Grid_Copy_Row(const FrameList& list, int row) {
    return list.row(row);
}

PasteCheck CheckPaste(const FrameList& list, int row, bool copied,
                      const std::vector<std::string>& buffer) {
    if (!copied) return PasteCheck::NothingCopied;
    if (static_cast<int>(buffer.size()) != list.fieldCount()) return PasteCheck::WrongShape;
    for (int c = 0; c < list.fieldCount(); ++c)
        if (!IsCheckField(list.kind(), c) && !Blank(list.field(row, c)))
            return PasteCheck::RowInUse;
    return PasteCheck::Free;
}

void Grid_Paste_Row(FrameList& list, int row, const std::vector<std::string>& buffer) {
    list.setRow(row, buffer);
}

bool CanCreateSwap(const FrameList& list, int row) {
    if (row < 0 || row >= FrameList::Rows) return false;
    // Field positions are the same in both kinds for CobID, Type, Dimension and SWAP.
    const std::string& cobId = list.field(row, RxCOBID);
    const std::string& dim = list.field(row, RxDim);
    if (cobId.empty() || list.field(row, RxCAN_Type).empty() || dim.empty()) return false;
    return IntOrDefault(cobId, -1) >= 0 && IntOrDefault(dim, -1) >= 0;
}

std::uint8_t SwapFromCell(const std::string& text) {
    return static_cast<std::uint8_t>(static_cast<std::uint32_t>(IntOrDefault(text, 0)) & 0xFFu);
}

GridCell NextJumpCell(GridCell from, int rows, int lastColumn) {
    if (from.row < 1 || from.column < 1) return from;
    if (from.column < lastColumn) return {from.row, from.column + 1};
    return {from.row >= rows ? 1 : from.row + 1, 1};
}

} // namespace kt
