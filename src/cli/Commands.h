#pragma once
// Each group of subcommands registers itself on the CLI11 application.

#include <CLI/CLI.hpp>

namespace kt::cli {

// lang-template, lang-check
void AddLanguageCommands(CLI::App& app);
// image, gsd, check, iomap, dump, diff
void AddProjectCommands(CLI::App& app);
// handover
void AddHandoverCommand(CLI::App& app);
// import-dbc
void AddDbcCommands(CLI::App& app);

} // namespace kt::cli
