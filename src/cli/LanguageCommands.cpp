#include "cli/Commands.h"

namespace kt::cli {

void AddLanguageCommands(CLI::App& /*app*/) {}

} // namespace kt::cli
