#include "app/UProduction.h"

#include "base/TextUtil.h"
#include "ui/UQtText.h"

#include <QCoreApplication>
#include <QFutureWatcher>
#include <QPromise>
#include <QSerialPortInfo>

#include <algorithm>
#include <thread>

namespace kt {

namespace {

// The request runs on a thread of its own so the windows stay responsive; the answer
// comes back through the event loop. The watcher belongs to the application, so an
// answer that arrives while the program ends is dropped, not delivered to a dead window.
void CheckVersionInBackground(const VersionRequest& request, std::function<void(bool)> done) {
    auto* watcher = new QFutureWatcher<bool>(QCoreApplication::instance());
    QObject::connect(watcher, &QFutureWatcherBase::finished, watcher, [watcher, done] {
        const bool newer = watcher->future().resultCount() > 0 && watcher->result();
        watcher->deleteLater();
        done(newer);
    });
    QPromise<bool> promise;
    watcher->setFuture(promise.future());
    std::thread([promise = std::move(promise), request]() mutable {
        promise.start();
        promise.addResult(Check_Version(request));
        promise.finish();
    }).detach();
}

} // namespace

QList<SerialPortEntry> SystemSerialPorts() {
    QList<SerialPortEntry> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
#ifdef Q_OS_WIN
        ports.append({info.portName(), info.portName()});
#else
        ports.append({info.portName(), info.systemLocation()});
#endif
    }
    std::sort(ports.begin(), ports.end(), [](const SerialPortEntry& a, const SerialPortEntry& b) {
        return NaturalLess(S(a.name), S(b.name));
    });
    return ports;
}

Services ProductionServices(Prompts& prompts, VersionRequest versionRequest) {
    Services s{prompts};
    s.checkVersion = [versionRequest](std::function<void(bool)> done) {
        CheckVersionInBackground(versionRequest, std::move(done));
    };
    s.listSerialPorts = SystemSerialPorts;
    return s;
}

} // namespace kt
