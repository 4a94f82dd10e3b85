#include "lang/LanguageTable.h"

namespace kt {

// Placeholder until the default table is filled in.
const char* DefaultText(int id) {
    switch (id) {
    case 0: return "Begin";
    default: return " ";
    }
}

} // namespace kt
