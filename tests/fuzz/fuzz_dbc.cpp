// DBC reader and the import planning on whatever it accepts.
#include "dbc/DbcImport.h"
#include "lang/LanguageTable.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const kt::LanguageTable texts = [] {
        kt::LanguageTable t;
        t.Load_Default_Texts();
        return t;
    }();
    kt::DbcDatabase db;
    kt::DbcError error;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (!kt::ParseDbc(bytes, db, error)) {
        if (error.line < 1 || error.column < 1 || error.description.empty()) std::abort();
        return 0;
    }
    for (const kt::DbcMessage& m : db.messages)
        if (m.extended ? m.id > 0x1FFFFFFF : m.id > 0x7FF) std::abort();
    for (kt::FrameKind kind : {kt::FrameKind::Receive, kt::FrameKind::Transmit}) {
        std::vector<const kt::DbcMessage*> chosen;
        const std::vector<bool> fits =
            kt::Preselection(db, kind, db.nodes.empty() ? std::string() : db.nodes.front());
        for (std::size_t i = 0; i < fits.size() && i < 40; ++i)
            chosen.push_back(&db.messages[i]);
        kt::FrameList list(kind);
        std::vector<kt::ImportedRowAt> rows;
        const std::string refused = kt::PlanImport(list, chosen, 3, texts, rows);
        if (refused.empty() == rows.empty() && !chosen.empty()) std::abort();
        kt::ApplyImport(list, rows);
        (void)list.Controllo_dati(texts);
    }
    return 0;
}
