#pragma once
// The replaceable outside world of the windows: message boxes, browser, version check,
// serial ports, the updater. Production code fills it with the real ones; tests with fakes.

#include "core/UPrompts.h"

#include <functional>

namespace kt {

struct Services {
    Prompts* prompts = nullptr;

    // Asks whether a newer version exists; calls done(newer) later on the GUI thread.
    // Empty: no check is made and no newer version is reported.
    std::function<void(std::function<void(bool newer)> done)> checkVersion;

    [[nodiscard]] static Services Production(Prompts& prompts);
};

} // namespace kt
