#pragma once
// Outcome of an operation that can fail for a reason the user must see.

#include <string>
#include <utility>

namespace kt {

struct Status {
    bool ok = true;
    std::string message; // the system's or the parser's description when !ok

    [[nodiscard]] static Status success() { return {}; }
    [[nodiscard]] static Status failure(std::string why) { return {false, std::move(why)}; }
    explicit operator bool() const { return ok; }
};

} // namespace kt
