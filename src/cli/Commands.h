#pragma once
// Each group of subcommands registers itself on the CLI11 application.

#include "base/Status.h"

#include <CLI/CLI.hpp>

#include <string>

namespace kt::cli {

// Prints the message on stderr and ends the command with that exit code.
[[noreturn]] void Fail(const std::string& message, int code = 1);
// Fails with the status's message unless it is ok.
void Require(const Status& status, int code = 1);

// lang-template, lang-check
void AddLanguageCommands(CLI::App& app);
// image, gsd, check, iomap, dump, diff
void AddProjectCommands(CLI::App& app);
// handover
void AddHandoverCommand(CLI::App& app);
// import-dbc
void AddDbcCommands(CLI::App& app);

} // namespace kt::cli
