#include "cli/Commands.h"

#include <iostream>

namespace kt::cli {

void Fail(const std::string& message, int code) {
    std::cerr << message << "\n";
    throw CLI::RuntimeError(code);
}

void Require(const Status& status, int code) {
    if (!status) Fail(status.message, code);
}

} // namespace kt::cli
