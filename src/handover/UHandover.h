#pragma once
// The "Hand-over" step: asks for a folder and writes the PLC hand-over pack of the open Project.

#include "ui/AppState.h"
#include "ui/UPrompts.h"

namespace kt {

// Builds the pack (report dated now), asks whether to go on when the check finds errors, asks
// for the folder, asks before replacing an earlier pack's files and writes it; every outcome but
// the user's own Cancel or No is shown through `prompts`. Needs a running QGuiApplication for the
// PDF.
void CreateHandoverPack(const AppState& state, Prompts& prompts);

} // namespace kt
