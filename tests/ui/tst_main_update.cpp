// The main window's part in updating and options: the version-check timer, the options
// button, the language change reaching the options dialog, and Update Device end to end
// with the fake updater.

#include "FakePrompts.h"
#include "MainWindowFixture.h"
#include "ProjectFixture.h"
#include "base/Identity.h"
#include "core/UKorvelFirmWare.h"
#include "options/USoftOptions.h"
#include "ui/UQtText.h"
#include "update/UBoot.h"
#include "update/UpdaterCommand.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace kt;

class TestMainUpdate : public QObject {
    Q_OBJECT

    test::MainWindowFixture fx_;
    test::FakePrompts& prompts_ = fx_.prompts;
    QList<std::function<void(bool)>> pendingChecks_;
    TFKorvelFirmWare* main_ = nullptr;

    QString exeDir() const { return fx_.exePath(); }
    std::filesystem::path projectFile(const char* name) const {
        return fx_.exeDir() / "PROJECTS" / "Plant 1" / name;
    }
    std::filesystem::path bank() const { return projectFile("bin") / "bank1.bin"; }
    void writeSettings(bool internet, bool update, const std::string& project = {}) {
        AppSettings s;
        s.EnableInternet = internet;
        s.EnableUpdate = update;
        s.ProjectName = project;
        QVERIFY(WriteSettings(PathOf(exeDir() + "/Korvel.xml"), s).ok());
    }
    void start() {
        fx_.checkVersion = [this](std::function<void(bool)> done) {
            pendingChecks_.append(std::move(done));
        };
        fx_.ports = {{"ttyUSB0", "/dev/ttyUSB0"}};
        main_ = fx_.start(false);
    }
    QTimer* timer() { return main_->Timer_Update(); }
    QLabel* notice() { return main_->findChild<QLabel*>("LL_Update"); }
    template <typename T> static T* in(QWidget* w, const char* name) {
        T* c = w->findChild<T*>(name);
        if (!c) qFatal("no control %s", name);
        return c;
    }
    static void tick(QCheckBox* cb) {
        QTest::mouseClick(cb, Qt::LeftButton, {}, QPoint(6, cb->height() / 2));
    }

private slots:
    void init() {
        fx_.reset("kt dir");
        pendingChecks_.clear();
        for (const char* v : {"KT_FAKE_UPDATER_LOG", "KT_FAKE_UPDATER_HOLD", "KT_FAKE_UPDATER_DONE",
                              "KT_FAKE_UPDATER_EXIT"})
            qunsetenv(v);
    }

    // A Project "Plant 1" (settings and one frame) with the fake updater beside the executable
    // and the firmware file.
    void prepareUpdate() {
        writeSettings(false, false, "Plant 1");
        QVERIFY(QDir().mkpath(exeDir() + "/PROJECTS/Plant 1/bin"));
        test::WriteFile(projectFile("ParGen.xml"), test::kParGen);
        test::WriteFile(projectFile("CAN_Rec_Frames.xml"), test::kOneFrame);
        QVERIFY(QDir().mkpath(exeDir() + "/MASTER"));
        QFile firmware(exeDir() + "/MASTER/" + FirmwareFileName);
        QVERIFY(firmware.open(QIODevice::WriteOnly));
        // A copy, not a link: a Windows link is a .lnk file that no program start follows.
        QString fake = QStringLiteral(KT_TEST_BIN_DIR "/fake_updater");
#ifdef Q_OS_WIN
        fake += ".exe";
#endif
        QVERIFY(QFile::copy(fake, exeDir() + "/" + UpdaterFileName));
    }
    // Opens the update dialog and clicks Update `clicks` times, then closes it.
    void runUpdate(int clicks) {
        QTimer::singleShot(0, this, [this, clicks] {
            auto* boot = qobject_cast<TFBoot*>(QApplication::activeModalWidget());
            if (!boot) return;
            for (int i = 0; i < clicks; ++i)
                QTest::mouseClick(in<QPushButton>(boot, "Btn_Update"), Qt::LeftButton);
            boot->reject();
        });
        QTest::mouseClick(in<QPushButton>(main_, "Btn_CreateBin"), Qt::LeftButton);
    }
    // Presses Update Device; true when the update dialog came up (it is closed again).
    bool pressUpdateDevice() {
        bool opened = false;
        QTimer::singleShot(0, this, [&opened] {
            if (auto* boot = qobject_cast<TFBoot*>(QApplication::activeModalWidget())) {
                opened = true;
                boot->reject();
            }
        });
        QTest::mouseClick(in<QPushButton>(main_, "Btn_CreateBin"), Qt::LeftButton);
        QTest::qWait(0); // the closer has run: it must not meet a later dialog
        return opened;
    }
    void cleanup() {
        fx_.stop();
        main_ = nullptr;
    }

    void timerStartsOnlyWhenBothFlagsAllow_data() {
        QTest::addColumn<bool>("internet");
        QTest::addColumn<bool>("update");
        QTest::newRow("both") << true << true;
        QTest::newRow("internet only") << true << false;
        QTest::newRow("update only") << false << true;
    }
    void timerStartsOnlyWhenBothFlagsAllow() {
        QFETCH(bool, internet);
        QFETCH(bool, update);
        writeSettings(internet, update);
        start();
        QCOMPARE(timer()->isActive(), internet && update);
        QCOMPARE(timer()->interval(), 60000);
    }

    void tick_checksOnceThenEveryTwoHours() {
        writeSettings(true, true);
        start();
        main_->Timer_UpdateTimer();
        QCOMPARE(pendingChecks_.size(), 1);
        QVERIFY(!timer()->isActive()); // no second check while the answer is pending
        main_->ApplyTimerRule();
        QVERIFY(!timer()->isActive());

        pendingChecks_.takeFirst()(true);
        QVERIFY(timer()->isActive());
        QCOMPARE(timer()->interval(), 7200000);
        QVERIFY(!notice()->isHidden());
        QCOMPARE(notice()->text(), QString("<a href=\"%1\">%2</a>")
                                       .arg(DownloadPageUrl, Q(main_->State().Lang.Get_Text(19))));
        emit notice()->linkActivated(DownloadPageUrl);
        QCOMPARE(prompts_.texts(test::FakePrompts::Kind::OpenUrl), QStringList{DownloadPageUrl});

        main_->Timer_UpdateTimer();
        pendingChecks_.takeFirst()(false);
        QVERIFY(notice()->isHidden());
        QCOMPARE(timer()->interval(), 7200000);
    }

    // The notice sits beside the header; a long translation wraps instead of running under
    // the icon buttons.
    void notice_staysClearOfTheHeader_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("atItsPlace");
        QTest::newRow("short") << "New Version" << true;
        QTest::newRow("long translation")
            << "Nouvelle version disponible. Cliquez ici pour plus de details, s'il vous plait"
            << false;
    }
    void notice_staysClearOfTheHeader() {
        QFETCH(QString, text);
        QFETCH(bool, atItsPlace);
        writeSettings(true, true);
        start();
        main_->State().Lang.Set_Text(19, S(text));
        main_->show();
        QVERIFY(QTest::qWaitForWindowExposed(main_));
        main_->Timer_UpdateTimer();
        pendingChecks_.takeFirst()(true);
        QLabel* n = notice();
        QVERIFY(n->isVisible());
        QCOMPARE(n->x(), 208);
        if (atItsPlace) QCOMPARE(n->y(), 19);
        const int needed = n->wordWrap() ? n->heightForWidth(n->width()) : n->sizeHint().height();
        QVERIFY2(n->height() >= needed, "the text is cut off");
        if (!n->wordWrap()) QVERIFY(n->width() >= n->sizeHint().width());
        for (const char* other : {"L_SW_Code", "L_SW_Desc", "Btn_Info", "Shape2"})
            QVERIFY2(!n->geometry().intersects(in<QWidget>(main_, other)->geometry()), other);
    }

    void checksSwitchedOffWhileAnAnswerIsPending_stayOff() {
        writeSettings(true, true);
        start();
        main_->Timer_UpdateTimer();
        main_->State().Settings.EnableUpdate = false;
        main_->ApplyTimerRule();
        pendingChecks_.takeFirst()(false);
        QVERIFY(!timer()->isActive());
    }

    void enablingARunningTimer_keepsItsCountdown() {
        writeSettings(true, true);
        start();
        // Precise, so the remaining time is exact to the millisecond.
        timer()->setTimerType(Qt::PreciseTimer);
        timer()->start();
        QTest::qWait(150);
        main_->ApplyTimerRule();
        QVERIFY(timer()->isActive());
        QVERIFY2(timer()->remainingTime() <= 60000 - 100, "the countdown was restarted");
    }

    void optionsOk_savesSettingsAndSetsTheTimer_data() {
        QTest::addColumn<bool>("internet");
        QTest::addColumn<bool>("update");
        QTest::addColumn<QStringList>("ticks");
        QTest::addColumn<bool>("active");
        QTest::newRow("both ticked starts checks")
            << false << false << QStringList{"CB_En_Con", "CB_Update"} << true;
        QTest::newRow("update unticked stops checks")
            << true << true << QStringList{"CB_Update"} << false;
        QTest::newRow("internet unticked stops checks")
            << true << true << QStringList{"CB_En_Con"} << false;
    }
    void optionsOk_savesSettingsAndSetsTheTimer() {
        QFETCH(bool, internet);
        QFETCH(bool, update);
        QFETCH(QStringList, ticks);
        QFETCH(bool, active);
        writeSettings(internet, update);
        start();
        QCOMPARE(timer()->isActive(), internet && update);
        QFile::remove(exeDir() + "/Korvel.xml");
        bool seen = false;
        QTimer::singleShot(0, this, [&] {
            auto* dlg = qobject_cast<TFSoftOptions*>(QApplication::activeModalWidget());
            if (!dlg) return;
            seen = true;
            in<QTabWidget>(dlg, "PC_Options")->setCurrentIndex(1);
            for (const QString& name : ticks)
                tick(in<QCheckBox>(dlg, qPrintable(name)));
            QTest::mouseClick(in<QPushButton>(dlg, "Btn_OK"), Qt::LeftButton);
        });
        QTest::mouseClick(in<QToolButton>(main_, "Btn_Opz"), Qt::LeftButton);
        QVERIFY(seen);
        const AppSettings stored = ReadSettings(PathOf(exeDir() + "/Korvel.xml")).value;
        QCOMPARE(stored.EnableInternet, internet != ticks.contains("CB_En_Con"));
        QCOMPARE(stored.EnableUpdate, update != ticks.contains("CB_Update"));
        QCOMPARE(timer()->isActive(), active);
        QCOMPARE(timer()->interval(), 60000); // no check has run yet
    }

    void optionsCancel_writesNothing() {
        writeSettings(false, false);
        start();
        QFile::remove(exeDir() + "/Korvel.xml");
        QTimer::singleShot(0, this, [] {
            if (QWidget* dlg = QApplication::activeModalWidget())
                QTest::mouseClick(in<QPushButton>(dlg, "Btn_Cancel"), Qt::LeftButton);
        });
        QTest::mouseClick(in<QToolButton>(main_, "Btn_Opz"), Qt::LeftButton);
        QVERIFY(!QFile::exists(exeDir() + "/Korvel.xml"));
        QVERIFY(!timer()->isActive());
    }

    void changeLanguage_relabelsTheOptionsDialog() {
        start();
        main_->State().Lang.Set_Text(300, "Optionen");
        main_->Change_Language();
        QCOMPARE(main_->FSoftOptions()->windowTitle(), QString("Optionen"));
    }

    void updateDevice_startsTheUpdaterWithTheImagePath() {
        prepareUpdate();
        const QString log = QPath(fx_.tempDir() / "args.txt");
        qputenv("KT_FAKE_UPDATER_LOG", log.toUtf8());
        start();
        QVERIFY(main_->State().ProjectOpen());

        int formType = 0;
        QString port;
        QTimer::singleShot(0, this, [&] {
            auto* boot = qobject_cast<TFBoot*>(QApplication::activeModalWidget());
            if (!boot) return;
            formType = boot->Form_Type;
            port = in<QComboBox>(boot, "CB_CAN_COM_Port")->currentText();
            QTest::mouseClick(in<QPushButton>(boot, "Btn_Update"), Qt::LeftButton);
            boot->reject();
        });
        QTest::mouseClick(in<QPushButton>(main_, "Btn_CreateBin"), Qt::LeftButton);
        QCOMPARE(formType, 3);
        QCOMPARE(port, QString("ttyUSB0"));
        QFile f(log);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QStringList args = QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts);
        // The Workspace's paths are joined with the system's separator.
#ifdef Q_OS_WIN
        const QString sep = "\\";
#else
        const QString sep = "/";
#endif
        const QString root = exeDir() + sep;
        QCOMPARE(args, QStringList({"/dev/ttyUSB0", "0", "FW", "FR", "PW", "PR",
                                    root + "MASTER" + sep + "sim52903.sim",
                                    root + "PROJECTS" + sep + "Plant 1" + sep + "bin" + sep +
                                        "bank1.bin"}));
        QCOMPARE(prompts_.texts(test::FakePrompts::Kind::Info), QStringList{"Update finished"});
        QVERIFY(prompts_.errors().isEmpty());
    }

    void updateDevice_showsTheUpdatersResult_data() {
        QTest::addColumn<QByteArray>("code");
        QTest::addColumn<QStringList>("infos");
        QTest::addColumn<QStringList>("errors");
        QTest::newRow("0") << QByteArray("0") << QStringList{"Update finished"} << QStringList{};
        QTest::newRow("3") << QByteArray("3") << QStringList{}
                           << QStringList{"Error! The updater ended with the exit code 3"};
        QTest::newRow("255") << QByteArray("255") << QStringList{}
                             << QStringList{"Error! The updater ended with the exit code 255"};
    }
    void updateDevice_showsTheUpdatersResult() {
        QFETCH(QByteArray, code);
        QFETCH(QStringList, infos);
        QFETCH(QStringList, errors);
        prepareUpdate();
        qputenv("KT_FAKE_UPDATER_EXIT", code);
        start();
        runUpdate(1);
        QCOMPARE(prompts_.texts(test::FakePrompts::Kind::Info), infos);
        QCOMPARE(prompts_.errors(), errors);
    }

    // It holds the serial port: no second updater until it has ended.
    void updateDevice_refusedWhileATimedOutUpdaterRuns() {
        prepareUpdate();
        const QString release = QPath(fx_.tempDir() / "release");
        const QString done = QPath(fx_.tempDir() / "done.txt");
        qputenv("KT_FAKE_UPDATER_HOLD", release.toUtf8());
        qputenv("KT_FAKE_UPDATER_DONE", done.toUtf8());
        fx_.updaterWaitLimitMs = 2000; // long enough for an unheld updater to end within it
        start();
        runUpdate(2);
        QVERIFY(!QFile::exists(done));
        QCOMPARE(prompts_.texts(test::FakePrompts::Kind::Info),
                 QStringList{Q(main_->State().Lang.Get_Text(1642))});
        QCOMPARE(prompts_.errors(), QStringList{Q(main_->State().Lang.Get_Text(1643))});

        QVERIFY(QFile(release).open(QIODevice::WriteOnly));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(done), 20000);
        // Allowed again once its end has reached the event loop; the next updater is not held.
        qunsetenv("KT_FAKE_UPDATER_HOLD");
        QStringList infos;
        for (int i = 0; i < 100 && infos.isEmpty(); ++i) {
            QTest::qWait(50);
            prompts_.clear();
            runUpdate(1);
            infos = prompts_.texts(test::FakePrompts::Kind::Info);
        }
        QCOMPARE(infos, QStringList{"Update finished"});
        QVERIFY(prompts_.errors().isEmpty());
    }

    // The updater left running reads bank1.bin: Update Device does not even compile it again.
    void updateDevice_noNewImageWhileTheUpdaterRuns() {
        prepareUpdate();
        const QString release = QPath(fx_.tempDir() / "release");
        const QString done = QPath(fx_.tempDir() / "done.txt");
        qputenv("KT_FAKE_UPDATER_HOLD", release.toUtf8());
        qputenv("KT_FAKE_UPDATER_DONE", done.toUtf8());
        fx_.updaterWaitLimitMs = 2000;
        start();
        runUpdate(1);
        QCOMPARE(prompts_.texts(test::FakePrompts::Kind::Info),
                 QStringList{Q(main_->State().Lang.Get_Text(1642))});
        const std::string image = test::ReadFile(bank());
        QCOMPARE(image.size(), std::size_t(4096));
        // A new station address would change the image.
        test::WriteFile(projectFile("ParGen.xml"), "<Par_Gen><CAN_BAUDRATE>7</CAN_BAUDRATE>"
                                                   "<PROFIBUS_ID_Device>13</PROFIBUS_ID_Device>"
                                                   "</Par_Gen>");
        prompts_.clear();
        QVERIFY(!pressUpdateDevice());
        QCOMPARE(prompts_.errors(), QStringList{Q(main_->State().Lang.Get_Text(1643))});
        QVERIFY(prompts_.questions().isEmpty());
        QVERIFY(test::ReadFile(bank()) == image);

        QVERIFY(QFile(release).open(QIODevice::WriteOnly));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(done), 20000);
        QTRY_VERIFY_WITH_TIMEOUT(!main_->UpdaterStillRunning(), 20000);
        runUpdate(0);
        QVERIFY(test::ReadFile(bank()) != image);
    }

    // An image from defaults: asked first, No by default, saying what the device would get.
    void updateDevice_asksBeforeAnImageOfDefaults_data() {
        QTest::addColumn<bool>("settings");
        QTest::addColumn<bool>("frames");
        QTest::addColumn<QList<int>>("texts");
        QTest::newRow("no ParGen.xml") << false << true << QList<int>{93, 95};
        QTest::newRow("no frame") << true << false << QList<int>{94, 95};
        QTest::newRow("neither") << false << false << QList<int>{93, 94, 95};
        QTest::newRow("both") << true << true << QList<int>{};
    }
    void updateDevice_asksBeforeAnImageOfDefaults() {
        QFETCH(bool, settings);
        QFETCH(bool, frames);
        QFETCH(QList<int>, texts);
        prepareUpdate();
        if (!settings) std::filesystem::remove(projectFile("ParGen.xml"));
        // An empty list is no frame either.
        if (!frames) test::WriteFile(projectFile("CAN_Rec_Frames.xml"), "<Receive_Frames/>");
        start();
        const bool openedAtOnce = pressUpdateDevice();
        QString expected;
        for (int id : texts)
            expected += (id == texts.back() ? "\n" : "") + Q(main_->State().Lang.Get_Text(id)) +
                        (id == texts.back() ? "" : "\n");
        QCOMPARE(openedAtOnce, texts.isEmpty());
        if (texts.isEmpty()) {
            QVERIFY(prompts_.questions().isEmpty());
            QVERIFY(std::filesystem::exists(bank()));
            return;
        }
        QCOMPARE(prompts_.destructiveQuestions(), QStringList{expected});
        QVERIFY(!std::filesystem::exists(bank()));
        // Yes builds the image from the defaults and opens the update dialog.
        prompts_.clear();
        prompts_.confirmAnswers << true;
        QVERIFY(pressUpdateDevice());
        QCOMPARE(test::ReadFile(bank()).size(), std::size_t(4096));
    }

    // The update dialog in German throughout, and an updater that is missing: the file name,
    // the system's reason, and what it means in the user's language.
    void updateDevice_inGerman() {
        prepareUpdate();
        QVERIFY(QFile::remove(exeDir() + "/" + UpdaterFileName));
        fx_.installLanguages();
        AppSettings s;
        s.ProjectName = "Plant 1";
        s.LanguageName = "Deutsch";
        QVERIFY(WriteSettings(PathOf(exeDir() + "/Korvel.xml"), s).ok());
        start();
        const auto t = [this](int id) { return Q(main_->State().Lang.Get_Text(id)); };
        QCOMPARE(t(1644), QString("Fehler! Das Aktualisierungsprogramm konnte nicht gestartet "
                                  "werden: "));
        QStringList shown;
        QTimer::singleShot(0, this, [&] {
            auto* boot = qobject_cast<TFBoot*>(QApplication::activeModalWidget());
            if (!boot) return;
            for (const QLabel* l : boot->findChildren<QLabel*>())
                if (!l->text().isEmpty()) shown << l->text();
            for (const QAbstractButton* b : boot->findChildren<QAbstractButton*>())
                shown << b->text() << b->toolTip();
            for (const QComboBox* c : boot->findChildren<QComboBox*>()) {
                shown << c->toolTip();
                for (int i = 0; i < c->count(); ++i)
                    shown << c->itemText(i);
            }
            QTest::mouseClick(in<QPushButton>(boot, "Btn_Update"), Qt::LeftButton);
            boot->reject();
        });
        QTest::mouseClick(in<QPushButton>(main_, "Btn_CreateBin"), Qt::LeftButton);
        for (const char* english :
             {"Update over CAN with the USB to CAN Converter",
              "Select the COM port of USB to CAN Converter", "Update COM Ports List",
              "Select the CAN Baudrate", "Search Baudrate", "Select Update Options", "Read Back",
              "Cancel", "Execute Update Firmware"})
            QVERIFY2(!shown.contains(english), english);
        for (int id : {1645, 1646, 1627, 1647, 1648, 1614, 1618, 1619, 1620})
            QVERIFY2(shown.contains(t(id)), qPrintable(t(id)));
        const QStringList errors = prompts_.errors();
        QCOMPARE(errors.size(), 1);
        const QString updater = QDir::toNativeSeparators(QPath(PathOf(exeDir()) / UpdaterFileName));
        QVERIFY2(errors[0].startsWith(t(1644) + updater + "\n"), qPrintable(errors[0]));
        QVERIFY2(errors[0].size() > (t(1644) + updater + "\n").size(), qPrintable(errors[0]));
    }

    void updateDevice_withoutProject_refuses() {
        start();
        QTest::mouseClick(in<QPushButton>(main_, "Btn_CreateBin"), Qt::LeftButton);
        QCOMPARE(prompts_.errors(), QStringList{Q(main_->State().Lang.Get_Text(18))});
        QVERIFY(!main_->FBoot()->isVisible());
    }
};

QTEST_MAIN(TestMainUpdate)
#include "tst_main_update.moc"
