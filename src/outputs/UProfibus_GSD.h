#pragma once
// The "PROFIBUS GSD" step: asks where to put the Project's GSD file and writes it.

#include "ui/AppState.h"
#include "ui/UPrompts.h"

#include <QString>

namespace kt {

// The file dialog's filter of the GSD step.
inline constexpr const char* GsdFileFilter = "Generic Station Description (*.gsd)";

// Reads the Project's files, asks for the target and writes it; every outcome but a
// successful write (and the user's own Cancel or No) is shown through `prompts`.
void Create_GSD_File(const AppState& state, Prompts& prompts);

} // namespace kt
