#include "update/UStartProgram.h"

#include "ui/UPrompts.h"
#include "ui/UQtText.h"
#include "update/UpdaterCommand.h"

#include <QCloseEvent>
#include <QDialog>
#include <QDir>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QProcess>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace kt {

namespace {

// Modal and without buttons: the user waits for the updater; Escape and the close box are
// ignored so the wait cannot be left half-way.
class BusyIndicator final : public QDialog {
public:
    BusyIndicator(const QString& text, QWidget* parent) : QDialog(parent) {
        setObjectName("FUpdateBusy");
        setWindowTitle(text);
        setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
        setWindowModality(Qt::ApplicationModal);
        auto* label = new QLabel(text, this);
        label->setObjectName("L_Busy");
        auto* bar = new QProgressBar(this);
        bar->setRange(0, 0);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(label);
        layout->addWidget(bar);
        setFixedWidth(320);
    }

protected:
    void closeEvent(QCloseEvent* event) override { event->ignore(); }
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() != Qt::Key_Escape) QDialog::keyPressEvent(event);
    }
};

} // namespace

StartProgramResult Start_Program(const QString& program, const QString& parameter,
                                 const StartProgramOptions& options, Prompts& prompts,
                                 QWidget* parent) {
    // Owned by nobody once we stop waiting, so neither our end nor the dialog's kills it;
    // it deletes itself when the program ends.
    auto* process = new QProcess;
    process->setProgram(program);
#ifdef Q_OS_WIN
    // The updater gets the line character for character; re-quoting the split arguments
    // could change it.
    process->setNativeArguments(parameter);
#else
    QStringList args;
    for (const std::string& a : SplitCommandLine(S(parameter)))
        args << Q(a);
    process->setArguments(args);
#endif
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->setInputChannelMode(QProcess::ForwardedInputChannel);
#ifdef Q_OS_WIN
    process->setCreateProcessArgumentsModifier([](QProcess::CreateProcessArguments* a) {
        a->flags |= CREATE_NEW_CONSOLE;
        a->startupInfo->dwFlags |= STARTF_USESHOWWINDOW;
        a->startupInfo->wShowWindow = SW_SHOWNORMAL;
    });
#endif
    QEventLoop loop;
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(process, &QProcess::finished, &loop, &QEventLoop::quit);
    StartProgramResult result;
    // Read here, before the deferred delete can take the process away.
    QObject::connect(process, &QProcess::finished, &loop,
                     [&result](int code, QProcess::ExitStatus status) {
                         result.outcome = StartProgramResult::Outcome::Ended;
                         result.exitCode = code;
                         result.crashed = status != QProcess::NormalExit;
                     });
    QObject::connect(process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);

    process->start();
    if (!process->waitForStarted(-1)) {
        const QString reason = process->errorString();
        delete process;
        prompts.error(options.notStartedText + QDir::toNativeSeparators(program) + "\n" + reason);
        return result;
    }

    BusyIndicator busy(options.busyText, parent);
    limit.start(options.waitLimitMs);
    busy.show();
    loop.exec();
    busy.hide();
    if (result.outcome != StartProgramResult::Outcome::Ended) {
        // The lambda above must not write into a result that is gone.
        QObject::disconnect(process, &QProcess::finished, &loop, nullptr);
        result.outcome = StartProgramResult::Outcome::StillRunning;
        result.process = process;
    }
    return result;
}

} // namespace kt
