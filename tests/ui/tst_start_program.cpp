// Start_Program against the fake updater: arguments as the command line reads, the wait
// with its modal indicator, the wait limit and start failures.

#include "FakePrompts.h"
#include "update/UStartProgram.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>

#ifndef Q_OS_WIN
#include <signal.h>
#include <sys/types.h>
#endif

using namespace kt;

namespace {
const QString kNotStarted = "Error! The updater could not be started: ";
} // namespace

class TestStartProgram : public QObject {
    Q_OBJECT

    const QString fake_ = QStringLiteral(KT_TEST_BIN_DIR "/fake_updater");
    std::unique_ptr<QTemporaryDir> dir_;
    test::FakePrompts prompts_;
    QWidget owner_;

    QString file(const char* name) const { return dir_->filePath(name); }
    static QStringList lines(const QString& path) {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly)) return {};
        return QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts);
    }
    StartProgramResult run(const QString& program, const QString& parameter, int limitMs = 20000) {
        return Start_Program(program, parameter, {limitMs, "Update Device", kNotStarted}, prompts_,
                             &owner_);
    }

private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        prompts_ = test::FakePrompts{};
        qputenv("KT_FAKE_UPDATER_LOG", file("args.txt").toUtf8());
        qputenv("KT_FAKE_UPDATER_DONE", file("done.txt").toUtf8());
        qunsetenv("KT_FAKE_UPDATER_HOLD");
        qunsetenv("KT_FAKE_UPDATER_PID");
        qunsetenv("KT_FAKE_UPDATER_EXIT");
    }

    void quotedPathsArriveAsOneArgumentEach() {
        (void)run(fake_,
                  "COM3 0 FW FR PW PR \"/a b/MASTER/sim52903.sim\" \"/a b/P 1/bin/bank1.bin\"");
        QVERIFY(QFile::exists(file("done.txt")));
        QCOMPARE(lines(file("args.txt")),
                 QStringList({"COM3", "0", "FW", "FR", "PW", "PR", "/a b/MASTER/sim52903.sim",
                              "/a b/P 1/bin/bank1.bin"}));
        QVERIFY(prompts_.calls.isEmpty());
    }

    void theExitCodeOfAnEndedProgramIsReturned_data() {
        QTest::addColumn<QByteArray>("code");
        QTest::addColumn<int>("expected");
        QTest::newRow("success") << QByteArray("0") << 0;
        QTest::newRow("failure") << QByteArray("3") << 3;
        QTest::newRow("high") << QByteArray("200") << 200;
    }
    void theExitCodeOfAnEndedProgramIsReturned() {
        QFETCH(QByteArray, code);
        QFETCH(int, expected);
        qputenv("KT_FAKE_UPDATER_EXIT", code);
        const StartProgramResult r = run(fake_, "x");
        QCOMPARE(r.outcome, StartProgramResult::Outcome::Ended);
        QCOMPARE(r.exitCode, expected);
        QVERIFY(!r.crashed);
        QCOMPARE(r.succeeded(), expected == 0);
        QVERIFY(r.process.isNull());
        QVERIFY(prompts_.calls.isEmpty()); // the caller tells the user
    }

    void waitingShowsAModalIndicatorAndKeepsTheLoopRunning() {
        qputenv("KT_FAKE_UPDATER_HOLD", file("release").toUtf8());
        QString modalSeen;
        bool visible = false;
        bool endedEarly = true;
        // Runs inside the wait: the updater cannot end before this releases it.
        QTimer::singleShot(0, this, [&] {
            if (QWidget* w = QApplication::activeModalWidget()) {
                modalSeen = w->objectName();
                visible = w->isVisible();
            }
            endedEarly = QFile::exists(file("done.txt"));
            QFile release(file("release"));
            QVERIFY(release.open(QIODevice::WriteOnly));
        });
        (void)run(fake_, "x");
        QCOMPARE(modalSeen, QString("FUpdateBusy"));
        QVERIFY(visible);
        QVERIFY(!endedEarly);
        QVERIFY(QFile::exists(file("done.txt"))); // returned only after the end
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }

    void waitLimitLeavesTheProgramRunning() {
        qputenv("KT_FAKE_UPDATER_HOLD", file("release").toUtf8());
        qputenv("KT_FAKE_UPDATER_PID", file("pid.txt").toUtf8());
        const StartProgramResult r = run(fake_, "x", 200);
        // Held until released, so returning means the limit ended the wait.
        QVERIFY(!QFile::exists(file("done.txt")));
        QCOMPARE(r.outcome, StartProgramResult::Outcome::StillRunning);
        QVERIFY(!r.process.isNull());
        QCOMPARE(r.process->state(), QProcess::Running);
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        QFile release(file("release"));
        QVERIFY(release.open(QIODevice::WriteOnly));
        release.close();
        // Not killed: it still ends on its own.
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(file("done.txt")), 20000);
#ifndef Q_OS_WIN
        QTRY_VERIFY_WITH_TIMEOUT(!lines(file("pid.txt")).isEmpty(), 20000);
        const pid_t pid = lines(file("pid.txt")).first().toInt();
        QVERIFY(pid > 0);
        // Reaped, and so released by its QProcess; a leak would fail the sanitizer run.
        QTRY_VERIFY_WITH_TIMEOUT(kill(pid, 0) != 0, 20000);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(r.process.isNull()); // gone once ended: the caller can tell
#endif
        QVERIFY(prompts_.calls.isEmpty());
    }

    void startFailureIsReportedWithTheReason_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("create");
        QTest::newRow("missing") << "CAN_52903_Update" << false;
        QTest::newRow("not executable") << "CAN_52903_Update" << true;
    }
    void startFailureIsReportedWithTheReason() {
        QFETCH(QString, name);
        QFETCH(bool, create);
        const QString program = dir_->filePath(name);
        if (create) {
            QFile f(program);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("not a program");
        }
        QCOMPARE(run(program, "COM3 0").outcome, StartProgramResult::Outcome::NotStarted);
        const QStringList errors = prompts_.errors();
        QCOMPARE(errors.size(), 1);
        const QString head = kNotStarted + QDir::toNativeSeparators(program) + "\n";
        QVERIFY2(errors[0].startsWith(head), qPrintable(errors[0]));
        QVERIFY(errors[0].size() > head.size());
        QVERIFY(!QFile::exists(file("args.txt")));
    }
};

QTEST_MAIN(TestStartProgram)
#include "tst_start_program.moc"
