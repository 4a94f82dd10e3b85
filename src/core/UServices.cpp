#include "core/UServices.h"

namespace kt {

Services Services::Production(Prompts& prompts) {
    Services s;
    s.prompts = &prompts;
    return s;
}

} // namespace kt
