#pragma once
// Start_Program: launches another program without a shell and waits for its end, keeping
// the windows painted behind a modal "updating" indicator.

#include <QPointer>
#include <QProcess>
#include <QString>

class QWidget;

namespace kt {

class Prompts;

struct StartProgramOptions {
    int waitLimitMs = 150000; // after this the program is left running and we go on
    QString busyText;         // shown in the indicator while waiting
    QString notStartedText;   // heads the message of a start failure, before the file name
};

// How a started program came back.
struct StartProgramResult {
    enum class Outcome { NotStarted, Ended, StillRunning };
    Outcome outcome = Outcome::NotStarted;
    int exitCode = 0;           // Ended: the program's exit code
    bool crashed = false;       // Ended: it did not exit by itself
    QPointer<QProcess> process; // StillRunning: the process; it deletes itself when it ends

    [[nodiscard]] bool succeeded() const {
        return outcome == Outcome::Ended && !crashed && exitCode == 0;
    }
};

// Starts `program` with the command line `parameter` (on Windows as it is, elsewhere split
// into arguments as the Windows runtime would read it). A start failure (a missing file
// included) is reported through prompts: notStartedText, the file name and the system's
// reason. Returns when the program ended or the wait limit passed; the caller reports the
// outcome.
[[nodiscard]] StartProgramResult Start_Program(const QString& program, const QString& parameter,
                                               const StartProgramOptions& options, Prompts& prompts,
                                               QWidget* parent);

} // namespace kt
