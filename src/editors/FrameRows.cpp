#include "editors/FrameRows.h"

#include "base/TextUtil.h"
#include "project/IntOrDefault.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace kt {

namespace {
[[nodiscard]] bool Blank(const std::string& s) {
    return TrimBlanks(s).empty();
}
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

GridCell PreviousJumpCell(GridCell from, int rows, int lastColumn) {
    if (from.row < 1 || from.column < 1) return from;
    if (from.column > 1) return {from.row, from.column - 1};
    return {from.row <= 1 ? rows : from.row - 1, lastColumn};
}

namespace {
[[nodiscard]] std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}
// Does `text` name the entry through one of its keys (or start one, while typing)?
[[nodiscard]] bool Names(const std::string& text, std::initializer_list<std::string> keys,
                         bool typing) {
    return std::any_of(keys.begin(), keys.end(), [&](const std::string& key) {
        return typing ? key.starts_with(text) : key == text;
    });
}
} // namespace

const char* CanTypeFor(std::string_view text, bool typing) {
    const std::string t = Lower(TrimBlanks(text));
    if (t.empty()) return nullptr;
    const bool a = Names(t, {"a", "11", Lower(CanType11)}, typing);
    const bool b = Names(t, {"b", "29", Lower(CanType29)}, typing);
    if (a == b) return nullptr;
    return a ? CanType11 : CanType29;
}

std::string CopyCells(const FrameList& list, int top, int left, int bottom, int right) {
    std::string out;
    for (int r = top; r <= bottom; ++r) {
        for (int c = left; c <= right; ++c) {
            if (c > left) out += '\t';
            const std::string& text = list.field(r, c);
            if (text.find_first_of("\t\r\n\"") == std::string::npos) {
                out += text;
                continue;
            }
            out += '"';
            for (const char ch : text) {
                if (ch == '"') out += '"';
                out += ch;
            }
            out += '"';
        }
        out += '\n';
    }
    return out;
}

std::vector<std::vector<std::string>> ParseCells(std::string_view text) {
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> row;
    std::string field;
    std::size_t i = 0;
    const auto endRow = [&] {
        row.push_back(std::move(field));
        field.clear();
        rows.push_back(std::move(row));
        row.clear();
    };
    bool fieldStart = true;
    while (i < text.size()) {
        const char ch = text[i];
        if (fieldStart && ch == '"') {
            // Quoted: up to the quote that is not doubled.
            for (++i; i < text.size(); ++i) {
                if (text[i] != '"') {
                    field += text[i];
                } else if (i + 1 < text.size() && text[i + 1] == '"') {
                    field += '"';
                    ++i;
                } else {
                    ++i;
                    break;
                }
            }
            fieldStart = false;
            continue;
        }
        fieldStart = false;
        if (ch == '\t') {
            row.push_back(std::move(field));
            field.clear();
            fieldStart = true;
        } else if (ch == '\n' || (ch == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) {
            if (ch == '\r') ++i;
            endRow();
            fieldStart = true;
        } else {
            field += ch;
        }
        ++i;
    }
    if (!fieldStart || !field.empty() || !row.empty()) endRow();
    return rows;
}

std::optional<std::string> CheckBoxFor(std::string_view text) {
    const std::string t = Lower(TrimBlanks(text));
    if (t.empty()) return std::string();
    // English and the shipped languages' words.
    for (const char* yes : {"y", "yes", "true", "ja", "si", "s\xC3\xAD", "s\xC3\xAC", "oui"})
        if (t == yes) return std::string("Y");
    for (const char* no : {"n", "no", "false", "nein", "non"})
        if (t == no) return std::string("N");
    return std::nullopt;
}

namespace {
// The text a pasted cell leaves in a field, or nothing when the field takes no such text.
[[nodiscard]] std::optional<std::string> PastedField(FrameKind kind, int field,
                                                     const std::string& text) {
    if (IsCheckField(kind, field)) return CheckBoxFor(text);
    if (field != RxCAN_Type || TrimBlanks(text).empty()) return text;
    if (const char* type = CanTypeFor(text, false)) return std::string(type);
    return std::nullopt;
}
} // namespace

PasteVerdict CheckPasteCells(const FrameList& list, int row, int field,
                             const std::vector<std::vector<std::string>>& cells) {
    PasteVerdict v;
    std::size_t width = 0;
    for (const auto& r : cells)
        width = std::max(width, r.size());
    if (width == 0) return v;
    const int columns = list.fieldCount() - field;
    if (static_cast<int>(width) > columns) {
        v.refusal = PasteRefusal::TooWide;
        v.size = static_cast<int>(width);
        v.room = columns;
        return v;
    }
    const int rows = FrameList::Rows - row;
    if (static_cast<int>(cells.size()) > rows) {
        v.refusal = PasteRefusal::TooLong;
        v.size = static_cast<int>(cells.size());
        v.room = rows;
        return v;
    }
    for (std::size_t i = 0; i < cells.size(); ++i)
        for (std::size_t j = 0; j < cells[i].size(); ++j) {
            const int c = field + static_cast<int>(j);
            if (PastedField(list.kind(), c, cells[i][j])) continue;
            v.refusal = PasteRefusal::NotAChoice;
            v.row = row + static_cast<int>(i);
            v.field = c;
            v.text = cells[i][j];
            return v;
        }
    return v;
}

PasteVerdict PasteCells(FrameList& list, int row, int field,
                        const std::vector<std::vector<std::string>>& cells) {
    const PasteVerdict v = CheckPasteCells(list, row, field, cells);
    if (v.refusal != PasteRefusal::None) return v;
    for (std::size_t i = 0; i < cells.size(); ++i)
        for (std::size_t j = 0; j < cells[i].size(); ++j) {
            const int c = field + static_cast<int>(j);
            list.setField(row + static_cast<int>(i), c, *PastedField(list.kind(), c, cells[i][j]));
        }
    return v;
}

} // namespace kt
