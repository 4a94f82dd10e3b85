#pragma once
// Runs another program beside the CLI: started directly (no shell), fed on its standard input,
// its standard output collected.

#include "base/Status.h"

#include <filesystem>
#include <string>
#include <vector>

namespace kt::cli {

// The folder of the running executable; empty when the system does not tell.
[[nodiscard]] std::filesystem::path OwnFolder();

// Starts `program` with `args` (each passed as one argument, UTF-8), writes `input` to its
// standard input, collects its standard output into `output` and waits for its end; its
// standard error is ours. `exitCode` gets the code it exits with. Fails, naming the program,
// when it cannot be started or does not end by exiting (killed by a signal).
[[nodiscard]] Status RunProgram(const std::filesystem::path& program,
                                const std::vector<std::string>& args, const std::string& input,
                                std::string& output, int& exitCode);

} // namespace kt::cli
