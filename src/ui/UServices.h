#pragma once
// The replaceable outside world of the windows: message boxes, browser, version check,
// serial ports, the updater. app/UProduction.h fills it with the real ones; tests with fakes.

#include "ui/UPrompts.h"

#include <QList>
#include <QString>

#include <functional>

namespace kt {

// One serial port as the update dialog offers it.
struct SerialPortEntry {
    QString name;     // shown in the list: "COM3", "ttyUSB0"
    QString location; // handed to the updater: "COM3", "/dev/ttyUSB0"
};

struct Services {
    explicit Services(Prompts& p) : prompts(p) {}

    Prompts& prompts;

    // Asks whether a newer version exists; calls done(newer) later on the GUI thread.
    // Empty: no check is made and no newer version is reported.
    std::function<void(std::function<void(bool newer)> done)> checkVersion;

    // The serial ports present now, in natural order of their names.
    std::function<QList<SerialPortEntry>()> listSerialPorts;

    // How long Start_Program waits for the updater before leaving it running.
    int updaterWaitLimitMs = 150000;
};

} // namespace kt
