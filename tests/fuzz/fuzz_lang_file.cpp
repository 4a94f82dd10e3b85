// Language file reader on any bytes, over the default table.
#include "FuzzProject.h"
#include "lang/LanguageFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const kt::LanguageTable defaults = kt::LanguageTable::English();
    const auto file = kt::fuzz::ProjectDir() / "Fuzz.lng";
    kt::fuzz::Put(file, data, size);
    kt::LanguageTable table = defaults;
    (void)kt::Read_Lang_File(file, table);
    kt::fuzz::Check(table.size() == kt::LanguageTable::DefaultSize);
    return 0;
}
