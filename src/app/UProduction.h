#pragma once
// The real outside world of the windows: Qt's message boxes and serial ports, the online
// version check on a thread of its own.

#include "options/VersionCheck.h"
#include "ui/UServices.h"

namespace kt {

// Services for the running program; `versionRequest` says where and how long to ask.
[[nodiscard]] Services ProductionServices(Prompts& prompts, VersionRequest versionRequest = {});

// The serial ports as Qt Serial Port lists them, sorted naturally by name.
[[nodiscard]] QList<SerialPortEntry> SystemSerialPorts();

} // namespace kt
