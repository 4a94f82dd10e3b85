// DBC reader and the import planning on whatever it accepts.
#include "dbc/DbcImport.h"
#include "lang/LanguageTable.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const kt::LanguageTable texts = [] {
        kt::LanguageTable t;
        t.Load_Default_Texts();
        return t;
    }();
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const kt::Result<kt::DbcDatabase> read = kt::ParseDbc(bytes);
    if (!read) {
        // Every refusal says where, "line L, column C: why", with L and C from 1.
        int line = 0, column = 0, used = 0;
        const std::string& why = read.status.message;
        if (std::sscanf(why.c_str(), "line %d, column %d: %n", &line, &column, &used) != 2 ||
            line < 1 || column < 1 || used == 0 || std::size_t(used) >= why.size())
            std::abort();
        return 0;
    }
    const kt::DbcDatabase& db = read.value;
    for (const kt::DbcMessage& m : db.messages)
        if (m.extended ? m.id > 0x1FFFFFFF : m.id > 0x7FF) std::abort();
    for (kt::FrameKind kind : {kt::FrameKind::Receive, kt::FrameKind::Transmit}) {
        std::vector<const kt::DbcMessage*> chosen;
        const std::vector<bool> fits =
            kt::Preselection(db, kind, db.nodes.empty() ? std::string() : db.nodes.front());
        for (std::size_t i = 0; i < fits.size() && i < 40; ++i)
            chosen.push_back(&db.messages[i]);
        kt::FrameList list(kind);
        const auto planned = kt::PlanImport(list, chosen, 3, texts);
        if (planned.ok() == planned.value.empty() && !chosen.empty()) std::abort();
        kt::ApplyImport(list, planned.value);
        (void)list.Controllo_dati(texts);
    }
    return 0;
}
