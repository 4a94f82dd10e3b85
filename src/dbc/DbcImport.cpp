#include "dbc/DbcImport.h"

#include "base/TextUtil.h"
#include "lang/LanguageTable.h"

namespace kt {

namespace {

bool Contains(const std::string& lowered, const char* part) {
    return lowered.find(part) != std::string::npos;
}

// Names joined by ", "; a message box holds the first few, each cut short.
std::string NameList(const std::vector<const DbcMessage*>& messages) {
    constexpr std::size_t kShown = 10;
    std::string out;
    for (std::size_t i = 0; i < messages.size() && i < kShown; ++i) {
        if (!out.empty()) out += ", ";
        out += Abridged(messages[i]->name) + " (" + DbcIdText(*messages[i]) + ")";
    }
    if (messages.size() > kShown) out += ", ...";
    return out;
}

std::string Mnemonic(const DbcMessage& m) {
    return std::string(Utf8Prefix(m.name, MnemonicMaxChars));
}

} // namespace

std::vector<bool> Preselection(const DbcDatabase& db, FrameKind kind, const std::string& node) {
    std::vector<bool> out(db.messages.size(), false);
    if (node.empty()) return out;
    bool receives = false;
    for (const DbcMessage& m : db.messages)
        receives = receives || m.receivedBy(node);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const DbcMessage& m = db.messages[i];
        if (kind == FrameKind::Transmit)
            out[i] = m.sentBy(node);
        else if (receives)
            out[i] = m.receivedBy(node) && !m.sentBy(node);
        else
            out[i] = !m.transmitter.empty() && !m.sentBy(node);
    }
    return out;
}

bool IsCyclicSendType(const std::string& sendType) {
    return Contains(LowerAscii(sendType), "cyclic");
}

bool IsEventSendType(const std::string& sendType) {
    const std::string t = LowerAscii(sendType);
    return Contains(t, "spontan") || Contains(t, "event") || Contains(t, "onchange") ||
           Contains(t, "onwrite") || Contains(t, "ifactive");
}

std::string DbcIdText(const DbcMessage& m) {
    return "0x" + HexDigits(m.id, m.extended ? 8 : 3);
}

FrameRow ImportedRow(const DbcMessage& m, FrameKind kind, int timeoutFactor) {
    const std::int64_t cycle = m.cycleTime.value_or(0);
    const std::string type = m.extended ? CanType29 : CanType11;
    const std::string dim = std::to_string(m.dlc);
    if (kind == FrameKind::Receive) {
        // The reader keeps cycle times below 2^31, so the product cannot overflow.
        const std::int64_t timeout = cycle > 0 && timeoutFactor > 0 ? cycle * timeoutFactor : 0;
        return {DbcIdText(m), type, dim, "0", std::to_string(timeout), Mnemonic(m)};
    }
    const bool cyclic = m.sendType.empty() ? cycle > 0 : IsCyclicSendType(m.sendType);
    const bool event = IsEventSendType(m.sendType);
    const std::string time = cyclic && cycle > 0 ? std::to_string(cycle) : "";
    return {DbcIdText(m), type, dim, "0", event ? "Y" : "N", cyclic ? "Y" : "N", time, Mnemonic(m)};
}

bool IsEmptyRow(const FrameList& list, int row) {
    for (int c = 0; c < list.fieldCount(); ++c) {
        const std::string& text = list.field(row, c);
        if (IsCheckField(list.kind(), c) ? TrimBlanks(text) == "Y" || TrimBlanks(text) == "y"
                                         : !TrimBlanks(text).empty())
            return false;
    }
    return true;
}

Result<std::vector<ImportedRowAt>> PlanImport(const FrameList& list,
                                              const std::vector<const DbcMessage*>& chosen,
                                              int timeoutFactor, const LanguageTable& texts) {
    const auto refused = [](std::string why) {
        return Result<std::vector<ImportedRowAt>>{{}, Status::refused(std::move(why))};
    };
    if (chosen.empty()) return refused(texts.Get_Text(TextId::DbcChooseOne));
    std::vector<const DbcMessage*> fd;
    for (const DbcMessage* m : chosen)
        if (m->isCanFd()) fd.push_back(m);
    if (!fd.empty()) return refused(texts.Get_Text(TextId::DbcFdFrames) + NameList(fd));

    std::vector<int> free;
    for (int r = 0; r < FrameList::Rows; ++r)
        if (IsEmptyRow(list, r)) free.push_back(r);
    if (chosen.size() > free.size()) {
        const std::vector<const DbcMessage*> left(chosen.begin() + static_cast<long>(free.size()),
                                                  chosen.end());
        return refused(texts.Get_Text(TextId::DbcNotEnoughRows) + std::to_string(chosen.size()) +
                       texts.Get_Text(TextId::DbcEmptyRows) + std::to_string(free.size()) +
                       texts.Get_Text(TextId::DbcNotImported) + NameList(left));
    }
    Result<std::vector<ImportedRowAt>> planned;
    for (std::size_t i = 0; i < chosen.size(); ++i)
        planned.value.push_back({free[i], ImportedRow(*chosen[i], list.kind(), timeoutFactor)});
    return planned;
}

void ApplyImport(FrameList& list, const std::vector<ImportedRowAt>& rows) {
    for (const ImportedRowAt& r : rows)
        list.setRow(r.row, r.texts);
}

} // namespace kt
