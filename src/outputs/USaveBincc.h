#pragma once
// Steps 1 and 2 of "Update Device": the configuration image of the open Project, compiled
// and written to bin/bank1.bin.

#include "ui/AppState.h"
#include "ui/UPrompts.h"

namespace kt {

// True when bank1.bin now holds the image of the Project's current files. On false the
// reason was shown through `prompts` and the update must not go on: the file on disk is
// stale or missing.
[[nodiscard]] bool Build_Bank_File(const AppState& state, Prompts& prompts);

} // namespace kt
