#include "lang/LanguageFile.h"

namespace kt {

// Interim: defaults only, until the language file reader lands.
Status Load_Language(const std::filesystem::path&, std::string& languageName, LanguageTable& table) {
    table.Load_Default_Texts();
    languageName = "English";
    return Status::success();
}

} // namespace kt
