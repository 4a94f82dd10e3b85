#include "cli/Commands.h"

namespace kt::cli {

void AddProjectCommands(CLI::App& /*app*/) {}

} // namespace kt::cli
