// The production version check runs off the user-interface thread and answers on it.

#include "FakePrompts.h"
#include "app/UProduction.h"

#include <QCoreApplication>
#include <QTest>
#include <QThread>
#include <QTimer>

using namespace kt;

// The test server speaks POSIX sockets.
#ifdef _WIN32
class TestVersionCheckAsync : public QObject {
    Q_OBJECT
private slots:
    void needsPosixSockets() { QSKIP("the local test server is POSIX only"); }
};
#else
#include "../core/HttpTestServer.h"
using test::HttpTestServer;

class TestVersionCheckAsync : public QObject {
    Q_OBJECT

    test::FakePrompts prompts_;

    struct Outcome {
        bool called = false;
        bool newer = false;
        bool onGuiThread = false;
        int ticksWhileWaiting = 0;
    };

    Outcome check(const HttpTestServer& server, std::chrono::milliseconds timeout) {
        VersionRequest request;
        request.host = server.host();
        request.timeout = timeout;
        const Services services = ProductionServices(prompts_, request);
        Outcome out;
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, this, [&] { ++out.ticksWhileWaiting; });
        ticker.start(20);
        services.checkVersion([&](bool newer) {
            out.called = true;
            out.newer = newer;
            out.onGuiThread = QThread::currentThread() == qApp->thread();
        });
        [&] { QTRY_VERIFY_WITH_TIMEOUT(out.called, 10000); }();
        return out;
    }

private slots:
    void answerArrivesOnTheGuiThread_data() {
        QTest::addColumn<bool>("stall");
        QTest::addColumn<QString>("body");
        QTest::addColumn<bool>("newer");
        QTest::newRow("newer") << false << "VER. 1.001" << true;
        QTest::newRow("zero") << false << "VER. 0.000" << false;
        QTest::newRow("slow server") << true << "" << false;
    }
    void answerArrivesOnTheGuiThread() {
        QFETCH(bool, stall);
        QFETCH(QString, body);
        QFETCH(bool, newer);
        HttpTestServer server(stall ? HttpTestServer::Mode::Stall : HttpTestServer::Mode::Answer,
                              HttpTestServer::Ok(body.toStdString()));
        const Outcome out = check(server, std::chrono::milliseconds(stall ? 400 : 5000));
        QVERIFY(out.called);
        QCOMPARE(out.newer, newer);
        QVERIFY(out.onGuiThread);
        if (stall) QVERIFY2(out.ticksWhileWaiting >= 3, "the event loop stood still");
    }
};
#endif

QTEST_MAIN(TestVersionCheckAsync)
#include "tst_version_check_async.moc"
