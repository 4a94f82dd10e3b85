#include "app/UProduction.h"

#include "base/TextUtil.h"
#include "ui/UQtText.h"

#include <QCoreApplication>
#include <QFutureWatcher>
#include <QPromise>
#ifdef KT_NO_QT_SERIALPORT
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#else
#include <QSerialPortInfo>
#endif

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

#ifdef KT_NO_QT_SERIALPORT
// A Windows build without Qt Serial Port: the ports Windows lists as present, name "COMn".
static QList<SerialPortEntry> PresentComPorts() {
    QList<SerialPortEntry> ports;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return ports;
    for (DWORD i = 0;; ++i) {
        wchar_t name[256];
        wchar_t data[64];
        DWORD nameLen = 256;
        DWORD dataBytes = sizeof(data) - sizeof(wchar_t);
        DWORD type = 0;
        const LONG rc = RegEnumValueW(key, i, name, &nameLen, nullptr, &type,
                                      reinterpret_cast<BYTE*>(data), &dataBytes);
        if (rc == ERROR_NO_MORE_ITEMS) break;
        if (rc != ERROR_SUCCESS || type != REG_SZ) continue;
        data[dataBytes / sizeof(wchar_t)] = L'\0';
        const QString port = QString::fromWCharArray(data);
        if (!port.isEmpty()) ports.append({port, port});
    }
    RegCloseKey(key);
    return ports;
}
#endif

QList<SerialPortEntry> SystemSerialPorts() {
#ifdef KT_NO_QT_SERIALPORT
    QList<SerialPortEntry> ports = PresentComPorts();
#else
    QList<SerialPortEntry> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
#ifdef Q_OS_WIN
        ports.append({info.portName(), info.portName()});
#else
        ports.append({info.portName(), info.systemLocation()});
#endif
    }
#endif
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
