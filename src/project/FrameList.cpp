#include "project/FrameList.h"

#include "base/FileUtil.h"
#include "base/TextUtil.h"
#include "base/XmlUtil.h"
#include "lang/LanguageTable.h"
#include "project/IntOrDefault.h"
#include "project/ProjectXml.h"

#include <algorithm>
#include <optional>
#include <stdexcept>

namespace kt {

namespace {

constexpr std::array<const char*, 6> kReceiveNames = {"COBID", "CAN_Type", "Dim",
                                                      "SWAP",  "TimeOut",  "Mnemonic"};
constexpr std::array<const char*, 8> kTransmitNames = {"COBID",    "CAN_Type", "Dim",  "SWAP",
                                                       "OnChange", "OnTimer",  "Time", "Mnemonic"};

// Texts of one list's messages.
struct MessageIds {
    TextId errorRow, cobId11, cobId29, dim, swap, lastNumber, afterEmpty, emptyCobId;
};
constexpr MessageIds kReceiveIds{TextId::ReceiveErrorRow,      TextId::ReceiveCobId11Range,
                                 TextId::ReceiveCobId29Range,  TextId::ReceiveDimRange,
                                 TextId::ReceiveSwapRange,     TextId::ReceiveTimeOutRange,
                                 TextId::ReceiveRowAfterEmpty, TextId::ReceiveEmptyCobId};
constexpr MessageIds kTransmitIds{TextId::TransmitErrorRow,      TextId::TransmitCobId11Range,
                                  TextId::TransmitCobId29Range,  TextId::TransmitDimRange,
                                  TextId::TransmitSwapRange,     TextId::TransmitTimeRange,
                                  TextId::TransmitRowAfterEmpty, TextId::TransmitEmptyCobId};

constexpr std::int32_t kMaxCobId11 = 2047;
constexpr std::int32_t kMaxCobId29 = 0x1FFFFFFF;
constexpr std::int32_t kMaxMilliseconds = 100000000;

bool InRange(const std::string& text, std::int32_t lo, std::int32_t hi) {
    const std::int32_t v = IntOrDefault(text, -1);
    return v >= lo && v <= hi;
}

const MessageIds& IdsOf(FrameKind kind) {
    return kind == FrameKind::Receive ? kReceiveIds : kTransmitIds;
}

// The text of a frame row's first failure, none when the row is valid.
std::optional<TextId> FirstFault(FrameKind kind, const FrameRow& f) {
    const MessageIds& ids = IdsOf(kind);
    // The range of the identifier the image will store, whatever the Type text says.
    if (StoredAs29Bit(f[RxCAN_Type])) {
        if (!InRange(f[RxCOBID], 0, kMaxCobId29)) return ids.cobId29;
    } else if (!InRange(f[RxCOBID], 0, kMaxCobId11)) {
        return ids.cobId11;
    }
    if (!InRange(f[RxDim], 1, 8)) return ids.dim;
    if (!InRange(f[RxSWAP], 0, 255)) return ids.swap;
    if (kind == FrameKind::Receive) {
        if (!InRange(f[RxTimeOut], 0, kMaxMilliseconds)) return ids.lastNumber;
    } else if (CheckedForValidation(f[TxOnTimer]) && !InRange(f[TxTime], 0, kMaxMilliseconds)) {
        return ids.lastNumber;
    }
    return std::nullopt;
}

// Default of a field that the file does not give.
const char* FieldDefault(FrameKind kind, int column) {
    if (kind == FrameKind::Receive) return column == RxTimeOut ? "0" : "";
    return column == TxOnChange || column == TxOnTimer ? "N" : "";
}

} // namespace

std::span<const char* const> FrameFieldNames(FrameKind kind) {
    if (kind == FrameKind::Receive) return kReceiveNames;
    return kTransmitNames;
}

const char* FrameRootName(FrameKind kind) {
    return kind == FrameKind::Receive ? "Receive_Frames" : "Transmit_Frames";
}

bool IsCheckField(FrameKind kind, int field) {
    return kind == FrameKind::Transmit && (field == TxOnChange || field == TxOnTimer);
}

const std::string& FrameColumnText(FrameKind kind, int field, const LanguageTable& texts) {
    // The headers start with the row-number column.
    const TextId rowNumber = kind == FrameKind::Receive ? TextId::ReceiveRowNumberColumn
                                                        : TextId::TransmitRowNumberColumn;
    return texts.Get_Text(NthText(rowNumber, 1 + field));
}

bool StoredAs29Bit(std::string_view type) {
    return TrimBlanks(type) == CanType29;
}

bool IsKnownCanType(std::string_view type) {
    const std::string_view t = TrimBlanks(type);
    return t == CanType11 || t == CanType29;
}

FrameList::FrameList(FrameKind kind) : kind_(kind) {
    Clear();
}

int FrameList::fieldCount() const {
    return static_cast<int>(FrameFieldNames(kind_).size());
}

const std::string& FrameList::field(int row, int column) const {
    return this->row(row).at(static_cast<std::size_t>(column));
}

void FrameList::setField(int row, int column, std::string text) {
    if (row < 0 || row >= Rows) throw std::out_of_range("frame row " + std::to_string(row));
    rows_[static_cast<std::size_t>(row)].at(static_cast<std::size_t>(column)) = std::move(text);
}

const FrameRow& FrameList::row(int row) const {
    if (row < 0 || row >= Rows) throw std::out_of_range("frame row " + std::to_string(row));
    return rows_[static_cast<std::size_t>(row)];
}

void FrameList::setRow(int row, FrameRow texts) {
    if (row < 0 || row >= Rows) throw std::out_of_range("frame row " + std::to_string(row));
    if (static_cast<int>(texts.size()) != fieldCount())
        throw std::invalid_argument("frame row needs " + std::to_string(fieldCount()) + " fields");
    rows_[static_cast<std::size_t>(row)] = std::move(texts);
}

ReceiveFrame FrameList::receiveFrame(int r) const {
    if (kind_ != FrameKind::Receive) throw std::logic_error("not a receive list");
    const FrameRow& f = row(r);
    return {f[RxCOBID], f[RxCAN_Type], f[RxDim], f[RxSWAP], f[RxTimeOut], f[RxMnemonic]};
}

void FrameList::setReceiveFrame(int r, const ReceiveFrame& f) {
    if (kind_ != FrameKind::Receive) throw std::logic_error("not a receive list");
    setRow(r, {f.COBID, f.CAN_Type, f.Dim, f.SWAP, f.TimeOut, f.Mnemonic});
}

TransmitFrame FrameList::transmitFrame(int r) const {
    if (kind_ != FrameKind::Transmit) throw std::logic_error("not a transmit list");
    const FrameRow& f = row(r);
    return {f[TxCOBID],    f[TxCAN_Type], f[TxDim],  f[TxSWAP],
            f[TxOnChange], f[TxOnTimer],  f[TxTime], f[TxMnemonic]};
}

void FrameList::setTransmitFrame(int r, const TransmitFrame& f) {
    if (kind_ != FrameKind::Transmit) throw std::logic_error("not a transmit list");
    setRow(r, {f.COBID, f.CAN_Type, f.Dim, f.SWAP, f.OnChange, f.OnTimer, f.Time, f.Mnemonic});
}

void FrameList::Clear() {
    for (FrameRow& r : rows_)
        r.assign(static_cast<std::size_t>(fieldCount()), std::string());
}

int FrameList::FrameCount() const {
    int n = 0;
    while (n < Rows && !TrimBlanks(rows_[static_cast<std::size_t>(n)][0]).empty())
        ++n;
    return n;
}

bool CheckedForImage(std::string_view text) {
    return text == "Y";
}

bool CheckedForValidation(std::string_view text) {
    const std::string_view t = TrimBlanks(text);
    return t.size() == 1 && (t[0] == 'Y' || t[0] == 'y');
}

Status FrameList::Load_Frames(const std::filesystem::path& file) {
    Clear();
    std::size_t r = 0;
    const Status s = ForEachFrameNode(
        file, rows_.size(), [&](const pugi::xml_node& n) { rows_[r++] = ReadFrameRow(n, kind_); });
    return s.notFound() ? Status::success() : s; // no file: an empty list
}

FrameRow ReadFrameRow(const pugi::xml_node& n, FrameKind kind) {
    const auto names = FrameFieldNames(kind);
    FrameRow row(names.size());
    for (std::size_t c = 0; c < names.size(); ++c) {
        const pugi::xml_attribute a =
            n.type() == pugi::node_element ? n.attribute(names[c]) : pugi::xml_attribute();
        row[c] = a ? a.value() : FieldDefault(kind, static_cast<int>(c));
    }
    return row;
}

std::string FrameRowFault(FrameKind kind, const FrameRow& row, int index,
                          const LanguageTable& texts) {
    const std::optional<TextId> reason = FirstFault(kind, row);
    if (!reason) return {};
    return texts.Get_Text(IdsOf(kind).errorRow) + std::to_string(index + 1) +
           texts.Get_Text(*reason);
}

std::string FrameList::Controllo_dati(const LanguageTable& texts) const {
    const std::vector<FrameFault> faults = RowFaults(texts);
    return faults.empty() ? std::string() : faults.front().message;
}

std::vector<FrameFault> FrameList::RowFaults(const LanguageTable& texts) const {
    return kt::RowFaults(kind_, rows_, texts);
}

std::vector<FrameFault> RowFaults(FrameKind kind, std::span<const FrameRow> rows,
                                  const LanguageTable& texts) {
    const MessageIds& ids = IdsOf(kind);
    const int shown = std::min(int(rows.size()), FrameList::Rows);
    const int fields = int(FrameFieldNames(kind).size());
    std::vector<FrameFault> faults;
    const auto fail = [&](int row, TextId reason) {
        faults.push_back(
            {row, texts.Get_Text(ids.errorRow) + std::to_string(row + 1) + texts.Get_Text(reason),
             reason == ids.afterEmpty});
    };
    int count = 0;
    while (count < shown && !TrimBlanks(rows[std::size_t(count)][0]).empty())
        ++count;
    for (int r = 0; r < count; ++r)
        if (const std::optional<TextId> reason =
                FirstFault(kind, rows[static_cast<std::size_t>(r)]))
            fail(r, *reason);
    // Saving stops at the first blank COBID; refuse rather than drop that row's other fields
    // or anything after it. Unchecked check boxes are no data of their own.
    for (int r = count; r < shown; ++r) {
        const FrameRow& f = rows[static_cast<std::size_t>(r)];
        for (int c = 0; c < fields; ++c) {
            const std::string& text = f[static_cast<std::size_t>(c)];
            if (IsCheckField(kind, c) ? CheckedForValidation(text) : !TrimBlanks(text).empty()) {
                fail(r, r == count ? ids.emptyCobId : ids.afterEmpty);
                break;
            }
        }
    }
    return faults;
}

std::string FrameList::ToXml() const {
    pugi::xml_document doc;
    pugi::xml_node root = doc.append_child(FrameRootName(kind_));
    AppendVersionComment(doc);
    const auto names = FrameFieldNames(kind_);
    const int count = FrameCount();
    for (int r = 0; r < count; ++r) {
        pugi::xml_node row = root.append_child("row");
        for (std::size_t c = 0; c < names.size(); ++c)
            row.append_attribute(names[c]).set_value(rows_[static_cast<std::size_t>(r)][c].c_str());
    }
    return XmlToString(doc);
}

Status FrameList::Save_Frames(const std::filesystem::path& file) const {
    return WriteFileAtomic(file, ToXml());
}

} // namespace kt
