#include "lang/LanguageTable.h"

#include <stdexcept>

namespace kt {

LanguageTable LanguageTable::English() {
    LanguageTable t;
    t.Load_Default_Texts();
    return t;
}

void LanguageTable::Load_Default_Texts() {
    texts_.clear();
    texts_.reserve(DefaultSize);
    for (int id = 0; id < DefaultSize; ++id)
        texts_.emplace_back(DefaultText(id));
}

const std::string& LanguageTable::Get_Text(int id) const {
    if (id < 0 || id >= size()) throw std::out_of_range("language text ID " + std::to_string(id));
    return texts_[static_cast<std::size_t>(id)];
}

void LanguageTable::Set_Text(int id, std::string text) {
    if (id < 0 || id >= size()) throw std::out_of_range("language text ID " + std::to_string(id));
    texts_[static_cast<std::size_t>(id)] = std::move(text);
}

} // namespace kt
