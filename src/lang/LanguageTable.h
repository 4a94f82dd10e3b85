#pragma once
// The table of the 2000 user-visible texts, addressed by fixed ID.

#include "lang/TextIds.h"

#include <string>
#include <vector>

namespace kt {

class LanguageTable {
public:
    static constexpr int DefaultSize = 2000;

    // A table holding the built-in English defaults.
    [[nodiscard]] static LanguageTable English();
    // Empties the table and fills it with the built-in English defaults.
    void Load_Default_Texts();
    // The text with that ID; throws std::out_of_range outside 0..size()-1.
    [[nodiscard]] const std::string& Get_Text(int id) const;
    [[nodiscard]] const std::string& Get_Text(TextId id) const { return Get_Text(TextNumber(id)); }
    // Replaces the text with that ID; throws std::out_of_range outside 0..size()-1.
    void Set_Text(int id, std::string text);
    // LangTableSize: number of entries, 2000 once the defaults are loaded.
    [[nodiscard]] int size() const { return static_cast<int>(texts_.size()); }

private:
    std::vector<std::string> texts_;
};

// The English default of one ID (0..1999), as built into the program.
[[nodiscard]] const char* DefaultText(int id);

} // namespace kt
