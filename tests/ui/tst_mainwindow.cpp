#include "FakePrompts.h"
#include "MainWindowFixture.h"
#include "ModalHelper.h"
#include "core/UKorvelFirmWare.h"
#include "core/UNew_Project.h"
#include "core/UOpenConf.h"
#include "options/UAbout.h"

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <fstream>

namespace fs = std::filesystem;
using kt::test::FakePrompts;
using kt::test::kOneFrame;
using kt::test::kParGen;
using kt::test::ReadFile;
using kt::test::WhenModal;
using kt::test::WriteFile;

namespace {

std::string SettingsWith(const std::string& project, const char* inet, const char* upd) {
    return "<Conf_Settings><lastproj><projectname>" + project +
           "</projectname></lastproj><lastinternet><enable_internet>" + inet +
           "</enable_internet><enable_update>" + upd +
           "</enable_update></lastinternet>"
           "</Conf_Settings>";
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

    kt::test::MainWindowFixture fx_;
    FakePrompts& prompts_ = fx_.prompts;

    fs::path Dir() const { return fx_.exeDir(); }

    kt::TFKorvelFirmWare* Start() { return fx_.start(); }

    static QString Text(const QWidget& w, const char* name) {
        if (auto* l = w.findChild<QLabel*>(name)) return l->text();
        if (auto* b = w.findChild<QAbstractButton*>(name)) return b->text();
        return "<missing " + QString(name) + ">";
    }

    static void Click(const QWidget& w, const char* name) {
        auto* b = w.findChild<QAbstractButton*>(name);
        QVERIFY2(b, name);
        QTest::mouseClick(b, Qt::LeftButton);
    }

private slots:
    void init() { fx_.reset(); }
    void cleanup() { fx_.stop(); }

    void firstStartCreatesWorkspaceAndSavesDefaultsOnClose() {
        auto* w = Start();
        for (const char* d : {"MASTER", "PROJECTS", "LANGUAGE"})
            QVERIFY2(fs::is_directory(Dir() / d), d);
        QVERIFY(!w->State().ProjectOpen());
        QCOMPARE(Text(*w, "L_Name_Conf"), QString("None Configuration Opened "));
        QCOMPARE(Text(*w, "L_Name_Conf_L2"),
                 QString("Use Step1 to open or create new configuration"));
        QCOMPARE(w->windowTitle(), QString("Tarvix - Configurator KT52903 CAN / PROFIBUS Slave "));
        QCOMPARE(Text(*w, "L_SW_Code"), QString("KT52903"));
        QVERIFY(!w->Timer_Update()->isActive());
        QCOMPARE(w->size(), QSize(694, 484));
        QVERIFY(w->findChild<QLabel*>("L_Step_7")->isHidden());
        QVERIFY(w->findChild<QLabel*>("LL_Update")->isHidden());
        Click(*w, "Btn_Close");
        QCOMPARE(ReadFile(Dir() / "Korvel.xml"),
                 std::string("<Conf_Settings><lastproj><projectname></projectname></lastproj>"
                             "<lastipadd><ipaddress>192.168.2.205</ipaddress></lastipadd>"
                             "<lastlang><language>English</language></lastlang>"
                             "<lastinternet><enable_internet>0</enable_internet>"
                             "<enable_update>0</enable_update>"
                             "<enable_jump_field_tables>0</enable_jump_field_tables>"
                             "<Double_Click_Auto_Size>0</Double_Click_Auto_Size></lastinternet>"
                             "</Conf_Settings>"));
        QVERIFY(prompts_.errors().isEmpty());
    }

    void unwritableWorkspaceIsReportedAtStart() {
        // A file where the Workspace folder should be: unwritable even for an administrator.
        const fs::path exe = Dir() / "ws";
        WriteFile(exe, "not a folder");
        fx_.startAt(exe, false);
        QCOMPARE(prompts_.errors().size(), 1);
        const QString box = prompts_.errors().front();
        QVERIFY2(box.startsWith("Error! The Workspace folder is not writable: " +
                                QString::fromStdString(exe.string()) + "\n"),
                 qPrintable(box));
        QVERIFY2(box.contains(".kt52903-write-probe"), qPrintable(box));
        QVERIFY2(box.endsWith("\n\nSettings, configurations, GSD files and configuration images "
                              "cannot be saved there.\nInstall the configurator in a folder of "
                              "your own; the installer proposes one in your user profile.\nOr "
                              "give your user account write access to this folder.\nUntil then "
                              "configurations can be viewed but not saved."),
                 qPrintable(box));
    }

    // Every button of the main window, with and without an open Project: what it opens is
    // closed again, and the program answers the next press. An outcome is the objectName of
    // the window that comes up, or "error 18", "save file", "folder" (the file dialogs of the
    // GSD step and the hand-over, cancelled) or "closed".
    void everyButton_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("project");
        QTest::addColumn<QString>("outcome");
        const struct {
            const char* button;
            const char* withProject;
            const char* without;
        } rows[] = {
            {"Btn_New", "FNew_Project", "FNew_Project"},
            {"Btn_Open", "FOpenConf", "FOpenConf"},
            {"Btn_Prm_Gen", "FParGen", "error 18"},
            {"Btn_Check_Project", "FCheckProject", "error 18"},
            {"Btn_Compare", "FCompareProjects", "error 18"},
            {"Btn_CAN_Rec_Frame", "FReceiveCAN", "error 18"},
            {"Btn_CAN_Send_Frame", "FTransmitCAN", "error 18"},
            {"Btn_PROFIBUS_GSD", "save file", "error 18"},
            {"Btn_Handover", "folder", "error 18"},
            {"Btn_CreateBin", "FBoot", "error 18"},
            {"Btn_Info", "FAbout", "FAbout"},
            {"Btn_Opz", "FSoftOptions", "FSoftOptions"},
            {"Btn_Close", "closed", "closed"},
        };
        for (const auto& r : rows) {
            QTest::addRow("%s with a Project", r.button) << r.button << true << r.withProject;
            QTest::addRow("%s without", r.button) << r.button << false << r.without;
        }
    }
    void everyButton() {
        QFETCH(QString, button);
        QFETCH(bool, project);
        QFETCH(QString, outcome);
        auto* w = Start();
        if (project) fx_.openProject("Line", kParGen, kOneFrame);
        const QByteArray name = button.toLatin1();
        if (outcome.startsWith('F')) {
            const auto opened = WhenModal(outcome, [](QWidget* modal) {
                QTest::keyClick(modal, Qt::Key_Escape);
                // A window that keeps itself open on Escape is closed the plain way.
                if (modal->isVisible()) qobject_cast<QDialog*>(modal)->reject();
            });
            Click(*w, name.constData());
        } else {
            Click(*w, name.constData());
        }
        QVERIFY(!QApplication::activeModalWidget());
        const auto kinds = [this] {
            QList<FakePrompts::Kind> out;
            for (const FakePrompts::Call& c : prompts_.calls)
                out << c.kind;
            return out;
        };
        if (outcome == "error 18") {
            QCOMPARE(prompts_.errors(), QStringList{"Error! Project not Valid"});
        } else if (outcome == "save file") {
            QCOMPARE(kinds(), QList{FakePrompts::Kind::SaveFileName});
        } else if (outcome == "folder") {
            QCOMPARE(kinds(), QList{FakePrompts::Kind::FolderName});
        } else if (outcome == "closed") {
            QVERIFY(!w->isVisible());
            QVERIFY(fs::is_regular_file(Dir() / "Korvel.xml"));
            w->show();
        } else {
            QCOMPARE(kinds(), QList<FakePrompts::Kind>{});
        }
        QCOMPARE(w->State().ProjectOpen(), project);
        // Still alive: the window answers the next press.
        prompts_.clear();
        {
            const auto about =
                WhenModal("FAbout", [](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
            Click(*w, "Btn_Info");
        }
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(w->isVisible());
    }

    void stepsNeedAnOpenProject_data() {
        QTest::addColumn<QString>("button");
        for (const char* b : {"Btn_Prm_Gen", "Btn_CAN_Rec_Frame", "Btn_CAN_Send_Frame",
                              "Btn_PROFIBUS_GSD", "Btn_CreateBin"})
            QTest::newRow(b) << QString(b);
    }
    void stepsNeedAnOpenProject() {
        QFETCH(QString, button);
        auto* w = Start();
        Click(*w, button.toLatin1().constData());
        QCOMPARE(prompts_.errors(), QStringList{"Error! Project not Valid"});
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(!w->State().ProjectOpen());
    }

    void lastProjectIsReopened() {
        WriteFile(Dir() / "Korvel.xml", SettingsWith("Plant 1", "0", "0"));
        fs::create_directories(Dir() / "PROJECTS" / "Plant 1");
        auto* w = Start();
        QVERIFY(w->State().ProjectOpen());
        QCOMPARE(Text(*w, "L_Name_Conf"), QString("Opened Configuration of the Converter : "));
        QCOMPARE(Text(*w, "L_Name_Conf_L2"), QString("Plant 1"));
        QCOMPARE(w->State().Files.ParGenFile, Dir() / "PROJECTS" / "Plant 1" / "ParGen.xml");
    }

    void missingLastProjectKeepsItsNameButOpensNothing() {
        WriteFile(Dir() / "Korvel.xml", SettingsWith("Gone", "0", "0"));
        auto* w = Start();
        QVERIFY(!w->State().ProjectOpen());
        QCOMPARE(Text(*w, "L_Name_Conf_L2"),
                 QString("Use Step1 to open or create new configuration"));
        Click(*w, "Btn_CreateBin");
        QCOMPARE(prompts_.errors(), QStringList{"Error! Project not Valid"});
        w->close();
        QVERIFY(ReadFile(Dir() / "Korvel.xml").find("<projectname>Gone</projectname>") !=
                std::string::npos);
    }

    // A stored name that is not a plain Project name opens nothing outside PROJECTS and is
    // written back as it was, like a vanished folder.
    void storedNameOutsideProjectsOpensNothing_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("absolute") << "ABS";
        QTest::newRow("parent") << "../outside";
        QTest::newRow("nested parent") << "x/../../outside";
        QTest::newRow("backslash parent") << "..\\outside";
    }
    void storedNameOutsideProjectsOpensNothing() {
        QFETCH(QString, name);
        fs::create_directories(Dir() / "outside");
        fs::create_directories(Dir() / "PROJECTS" / "x");
        const std::string stored =
            name == "ABS" ? (Dir() / "outside").string() : name.toStdString();
        WriteFile(Dir() / "Korvel.xml", SettingsWith(stored, "0", "0"));
        auto* w = Start();
        QVERIFY(!w->State().ProjectOpen());
        QCOMPARE(Text(*w, "L_Name_Conf"), QString("None Configuration Opened "));
        w->close();
        QVERIFY(ReadFile(Dir() / "Korvel.xml").find("<projectname>" + stored + "</projectname>") !=
                std::string::npos);
    }

    // The next save writes the defaults; what the file held stays in Korvel.xml.bad.
    void malformedSettingsAreKeptAsBad() {
        const std::string bad = "<Conf_Settings><lastproj>";
        WriteFile(Dir() / "Korvel.xml", bad);
        WriteFile(Dir() / "Korvel.xml.bad", "older");
        auto* w = Start();
        QCOMPARE(ReadFile(Dir() / "Korvel.xml.bad"), bad);
        const QStringList errors = prompts_.errors();
        QCOMPARE(errors.size(), 1);
        const QString kept = QString::fromStdString((Dir() / "Korvel.xml.bad").string());
        QVERIFY2(errors[0].startsWith(
                     "The settings file could not be read; the defaults are used. It was kept as " +
                     kept + "\n"),
                 qPrintable(errors[0]));
        w->close();
        QVERIFY(
            ReadFile(Dir() / "Korvel.xml").starts_with("<Conf_Settings><lastproj><projectname>"));
        QCOMPARE(ReadFile(Dir() / "Korvel.xml.bad"), bad);
        QCOMPARE(prompts_.errors().size(), 1); // once
    }

    // Qt appends a set display name to every title: the titles are our own texts.
    void titlesCarryNoApplicationName() {
        kt::SetUpApplication();
        QCOMPARE(QCoreApplication::applicationName(), QString("KT52903"));
        // Only a display name that was never set follows the application name.
        QCoreApplication::setApplicationName("probe");
        QCOMPARE(QGuiApplication::applicationDisplayName(), QString("probe"));
        kt::SetUpApplication();
    }

    void timerFollowsBothFlags_data() {
        QTest::addColumn<QString>("inet");
        QTest::addColumn<QString>("upd");
        QTest::addColumn<bool>("active");
        QTest::newRow("both") << "1"
                              << "1" << true;
        QTest::newRow("internet only") << "1"
                                       << "0" << false;
        QTest::newRow("update only") << "0"
                                     << "1" << false;
        QTest::newRow("blank before 1") << " 1"
                                        << "1" << false;
    }
    void timerFollowsBothFlags() {
        QFETCH(QString, inet);
        QFETCH(QString, upd);
        QFETCH(bool, active);
        WriteFile(Dir() / "Korvel.xml",
                  SettingsWith("", inet.toStdString().c_str(), upd.toStdString().c_str()));
        auto* w = Start();
        QCOMPARE(w->Timer_Update()->isActive(), active);
        QCOMPARE(w->Timer_Update()->interval(), 60000);
    }

    void enablingTheRunningTimerKeepsItsCountdown() {
        WriteFile(Dir() / "Korvel.xml", SettingsWith("", "1", "1"));
        auto* w = Start();
        QTimer* t = w->Timer_Update();
        QTest::qWait(30);
        const int before = t->remainingTime();
        w->ApplyTimerRule();
        QVERIFY(t->remainingTime() <= before);
        w->State().Settings.EnableUpdate = false;
        w->ApplyTimerRule();
        QVERIFY(!t->isActive());
    }

    void timerTickShowsOrHidesTheUpdateNotice() {
        WriteFile(Dir() / "Korvel.xml", SettingsWith("", "1", "1"));
        bool answer = true;
        int calls = 0;
        bool activeDuringCheck = true;
        kt::TFKorvelFirmWare* self = nullptr;
        fx_.checkVersion = [&](std::function<void(bool)> done) {
            ++calls;
            activeDuringCheck = self->Timer_Update()->isActive();
            done(answer);
        };
        auto* w = Start();
        self = w;
        auto* link = w->findChild<QLabel*>("LL_Update");
        w->Timer_UpdateTimer();
        QCOMPARE(calls, 1);
        QVERIFY(!activeDuringCheck);
        QVERIFY(link->isVisible());
        QVERIFY(link->text().contains("New Version Available. Click Here for more Details"));
        QVERIFY(link->text().contains(
            "href=\"http://www.tarvix.example/Home/download/download.asp#GX52903\""));
        QCOMPARE(w->Timer_Update()->interval(), 7200000);
        QVERIFY(w->Timer_Update()->isActive());
        answer = false;
        w->Timer_UpdateTimer();
        QVERIFY(link->isHidden());
        emit link->linkActivated("http://www.tarvix.example/x");
        QCOMPARE(prompts_.texts(FakePrompts::Kind::OpenUrl),
                 QStringList{"http://www.tarvix.example/x"});
    }

    void webAddressOpensTheHomePage() {
        auto* w = Start();
        auto* label = w->findChild<QLabel*>("L_Tarvix");
        QCOMPARE(label->text(), QString("www.tarvix.example"));
        QVERIFY(label->geometry().right() < w->width());
        QTest::mouseClick(label, Qt::LeftButton);
        QCOMPARE(prompts_.texts(FakePrompts::Kind::OpenUrl),
                 QStringList{"http://www.tarvix.example/HOME/default.asp?frompg=KT52903"});
    }

    void newProjectByEnterOpensIt() {
        auto* w = Start();
        const auto modal1 = WhenModal("FNew_Project", [](QWidget* dlg) {
            auto* edit = dlg->findChild<QLineEdit*>("E_New_Proj");
            QTest::keyClicks(edit, "Plant 1");
            QTest::keyClick(edit, Qt::Key_Return);
        });
        Click(*w, "Btn_New");
        QVERIFY(fs::is_directory(Dir() / "PROJECTS" / "Plant 1" / "bin"));
        QCOMPARE(Text(*w, "L_Name_Conf_L2"), QString("Plant 1"));
        QCOMPARE(w->State().Settings.ProjectName, std::string("Plant 1"));
        QCOMPARE(w->State().Files.RecFramesFile,
                 Dir() / "PROJECTS" / "Plant 1" / "CAN_Rec_Frames.xml");
        QVERIFY(prompts_.errors().isEmpty());
    }

    void enterOnAFocusedButtonPressesIt_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("created");
        QTest::newRow("OK") << "Btn_OK" << true;
        QTest::newRow("Cancel") << "Btn_Cancel" << false;
    }
    void enterOnAFocusedButtonPressesIt() {
        QFETCH(QString, button);
        QFETCH(bool, created);
        auto* w = Start();
        bool closed = false;
        const auto modalNew = WhenModal("FNew_Project", [&](QWidget* dlg) {
            QTest::keyClicks(dlg->findChild<QLineEdit*>("E_New_Proj"), "Plant 2");
            auto* b = dlg->findChild<QPushButton*>(button);
            b->setFocus();
            QTest::keyClick(b, Qt::Key_Return);
            closed = !dlg->isVisible();
            if (!closed) dlg->close();
        });
        Click(*w, "Btn_New");
        QVERIFY(closed);
        QCOMPARE(fs::is_directory(Dir() / "PROJECTS" / "Plant 2"), created);
        QVERIFY(prompts_.errors().isEmpty());
    }

    void newProjectRefusalsKeepTheDialogOpen_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty") << ""
                               << "Error! Name Project is not valid";
        QTest::newRow("exists")
            << "Old"
            << "Error! Name project is not valid because directory already exists";
        QTest::newRow("exists in other case")
            << "old"
            << "Error! Name project is not valid because directory already exists";
        const QString why = "Error! Name project is not valid\nA name may not contain \\ / : * ? "
                            "\" < > | or end with a dot or blank, and may not be a device name "
                            "such as CON";
        QTest::newRow("separator") << "a/b" << why;
        QTest::newRow("device name") << "NUL" << why;
        QTest::newRow("absolute") << "/tmp/x" << why;
        QTest::newRow("rooted") << "\\Plant" << why;
#ifndef Q_OS_WIN
        // Exists, and is not portable either: existence is checked first.
        QTest::newRow("existing trailing dot")
            << "Old."
            << "Error! Name project is not valid because directory already exists";
#endif
    }
    void newProjectRefusalsKeepTheDialogOpen() {
        QFETCH(QString, name);
        QFETCH(QString, message);
        fs::create_directories(Dir() / "PROJECTS" / "Old");
#ifndef Q_OS_WIN
        fs::create_directories(Dir() / "PROJECTS" / "Old.");
#endif
        auto* w = Start();
        bool stillOpen = false;
        QString fieldAfter;
        const auto modal2 = WhenModal("FNew_Project", [&](QWidget* dlg) {
            auto* edit = dlg->findChild<QLineEdit*>("E_New_Proj");
            QTest::keyClicks(edit, name);
            QTest::mouseClick(dlg->findChild<QPushButton*>("Btn_OK"), Qt::LeftButton);
            stillOpen = dlg->isVisible();
            fieldAfter = edit->text();
            QTest::mouseClick(dlg->findChild<QPushButton*>("Btn_Cancel"), Qt::LeftButton);
        });
        Click(*w, "Btn_New");
        QCOMPARE(prompts_.errors(), QStringList{message});
        QVERIFY(stillOpen);
        QCOMPARE(fieldAfter, name);
        QVERIFY(!w->State().ProjectOpen());
        QVERIFY(!fs::exists(Dir() / "PROJECTS" / "a"));
    }

    void cancelledNewKeepsTheOpenProject() {
        WriteFile(Dir() / "Korvel.xml", SettingsWith("A", "0", "0"));
        fs::create_directories(Dir() / "PROJECTS" / "A");
        auto* w = Start();
        const auto modal3 = WhenModal("FNew_Project", [](QWidget* dlg) {
            QTest::keyClicks(dlg->findChild<QLineEdit*>("E_New_Proj"), "B");
            QTest::mouseClick(dlg->findChild<QPushButton*>("Btn_Cancel"), Qt::LeftButton);
        });
        Click(*w, "Btn_New");
        QCOMPARE(w->State().Settings.ProjectName, std::string("A"));
        QVERIFY(w->State().ProjectOpen());
        QVERIFY(!fs::exists(Dir() / "PROJECTS" / "B"));
    }

    void openPreselectsTheOpenProjectIgnoringCase() {
        for (const char* d : {"Alpha", "beta"})
            fs::create_directories(Dir() / "PROJECTS" / d);
        WriteFile(Dir() / "Korvel.xml", SettingsWith("BETA", "0", "0"));
        auto* w = Start();
        // On a case-sensitive file system PROJECTS/BETA does not exist, so open it by hand.
        w->State().ProjectDir = Dir() / "PROJECTS" / "BETA";
        QStringList shown;
        QString selected;
        const auto modal4 = WhenModal("FOpenConf", [&](QWidget* dlg) {
            auto* list = dlg->findChild<QListWidget*>("ListBox1");
            for (int i = 0; i < list->count(); ++i)
                shown << list->item(i)->text();
            selected = list->currentItem() ? list->currentItem()->text() : QString();
            QTest::mouseClick(dlg->findChild<QPushButton*>("Btn_OK"), Qt::LeftButton);
        });
        Click(*w, "Btn_Open");
        QCOMPARE(shown, (QStringList{"Alpha", "beta"}));
        QCOMPARE(selected, QString("beta"));
        QCOMPARE(w->State().Settings.ProjectName, std::string("beta"));
        QCOMPARE(w->State().ProjectDir, Dir() / "PROJECTS" / "beta");
        QCOMPARE(Text(*w, "L_Name_Conf_L2"), QString("beta"));
    }

#ifndef Q_OS_WIN
    // Where "Plant 1" and "plant 1" both exist, the open one is preselected, not its twin.
    void openPrefersTheExactName() {
        for (const char* d : {"Plant 1", "plant 1"})
            fs::create_directories(Dir() / "PROJECTS" / d);
        WriteFile(Dir() / "Korvel.xml", SettingsWith("plant 1", "0", "0"));
        auto* w = Start();
        QString selected;
        const auto modalExact = WhenModal("FOpenConf", [&](QWidget* dlg) {
            auto* list = dlg->findChild<QListWidget*>("ListBox1");
            selected = list->currentItem() ? list->currentItem()->text() : QString();
            QTest::mouseClick(dlg->findChild<QPushButton*>("Btn_OK"), Qt::LeftButton);
        });
        Click(*w, "Btn_Open");
        QCOMPARE(selected, QString("plant 1"));
        QCOMPARE(w->State().ProjectDir, Dir() / "PROJECTS" / "plant 1");
    }
#endif

    void openChoosesByKeyboardAndCancelChangesNothing() {
        for (const char* d : {"Alpha", "Beta", "Gamma"})
            fs::create_directories(Dir() / "PROJECTS" / d);
        auto* w = Start();
        const auto modal5 = WhenModal("FOpenConf", [](QWidget* dlg) {
            auto* list = dlg->findChild<QListWidget*>("ListBox1");
            QCOMPARE(list->currentItem()->text(), QString("Alpha")); // nothing open: first entry
            QTest::keyClick(list, Qt::Key_Down);
            QTest::keyClick(list, Qt::Key_Down);
            QTest::mouseClick(dlg->findChild<QPushButton*>("Btn_OK"), Qt::LeftButton);
        });
        Click(*w, "Btn_Open");
        QCOMPARE(w->State().Settings.ProjectName, std::string("Gamma"));
        const auto modal6 = WhenModal("FOpenConf", [](QWidget* dlg) {
            QTest::keyClick(dlg->findChild<QListWidget*>("ListBox1"), Qt::Key_Up);
            QTest::mouseClick(dlg->findChild<QPushButton*>("Btn_Cancel"), Qt::LeftButton);
        });
        Click(*w, "Btn_Open");
        QCOMPARE(w->State().Settings.ProjectName, std::string("Gamma"));
        QCOMPARE(w->State().ProjectDir, Dir() / "PROJECTS" / "Gamma");
    }

    void openWithEmptyListClosesTheProject() {
        WriteFile(Dir() / "Korvel.xml", SettingsWith("A", "0", "0"));
        fs::create_directories(Dir() / "PROJECTS" / "A");
        auto* w = Start();
        fs::remove_all(Dir() / "PROJECTS" / "A");
        const auto modal7 = WhenModal("FOpenConf", [](QWidget* dlg) {
            QCOMPARE(dlg->findChild<QListWidget*>("ListBox1")->count(), 0);
            QTest::mouseClick(dlg->findChild<QPushButton*>("Btn_OK"), Qt::LeftButton);
        });
        Click(*w, "Btn_Open");
        QVERIFY(!w->State().ProjectOpen());
        QCOMPARE(Text(*w, "L_Name_Conf"), QString("None Configuration Opened "));
        QCOMPARE(w->State().Settings.ProjectName, std::string());
    }

    void aboutShowsIdentityAndOpensHomePage() {
        auto* w = Start();
        QString code, version, doc, desc;
        QSize size;
        const auto modal8 = WhenModal("FAbout", [&](QWidget* dlg) {
            const auto text = [dlg](const char* n) { return dlg->findChild<QLabel*>(n)->text(); };
            code = text("Label9");
            version = text("Label10");
            doc = text("Label12");
            desc = text("Label2");
            size = dlg->size();
            emit dlg->findChild<QLabel*>("Label4")->linkActivated("x");
            QTest::mouseClick(dlg->findChild<QPushButton*>("LbButton1"), Qt::LeftButton);
        });
        Click(*w, "Btn_Info");
        QCOMPARE(code, QString("KT52903"));
        QCOMPARE(version, QString("1.000"));
        QCOMPARE(doc, QString("DX52903"));
        QCOMPARE(desc, QString("CAN / PROFIBUS Slave - Converter"));
        QCOMPARE(size, QSize(425, 148));
        QCOMPARE(prompts_.texts(FakePrompts::Kind::OpenUrl),
                 QStringList{"http://www.tarvix.example/HOME/default.asp?frompg=KT52903"});
    }

    void bannerFitsItsFrame_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("project");
        for (const char* lang : {"English", "Deutsch", "Francais", "Italiano", "Espanol"}) {
            QTest::newRow(lang) << lang << "";
            QTest::newRow((std::string(lang) + " open").c_str()) << lang << "Plant 1";
        }
        QTest::newRow("long name") << "English" << QString(90, 'W');
    }
    void bannerFitsItsFrame() {
        QFETCH(QString, language);
        QFETCH(QString, project);
        const fs::path shipped =
            fs::path(KT_FIXTURES_DIR) / ".." / ".." / "src" / "lang" / "shipped";
        fs::create_directories(Dir() / "LANGUAGE");
        if (language != "English")
            fs::copy_file(shipped / (language.toStdString() + ".lng"),
                          Dir() / "LANGUAGE" / (language.toStdString() + ".lng"));
        if (!project.isEmpty()) fs::create_directories(Dir() / "PROJECTS" / project.toStdString());
        WriteFile(Dir() / "Korvel.xml",
                  "<Conf_Settings><lastproj><projectname>" + project.toStdString() +
                      "</projectname></lastproj><lastlang><language>" + language.toStdString() +
                      "</language></lastlang></Conf_Settings>");
        auto* w = Start();
        QCOMPARE(w->State().Settings.LanguageName, language.toStdString());
        const QRect frame = w->findChild<QFrame*>("Shape2")->geometry();
        QVERIFY(frame.right() < w->findChild<QToolButton*>("Btn_Info")->x());
        for (const char* name : {"L_Name_Conf", "L_Name_Conf_L2"}) {
            auto* label = w->findChild<QLabel*>(name);
            const QRect text(
                label->pos(),
                QSize(label->fontMetrics().horizontalAdvance(label->text()), label->height()));
            QVERIFY2(frame.contains(text), name);
        }
        if (project.size() > 60) {
            auto* l2 = w->findChild<QLabel*>("L_Name_Conf_L2");
            QCOMPARE(l2->toolTip(), project);
            QVERIFY(l2->text().endsWith(QChar(0x2026)));
        }
    }

    // Qt's own texts (the buttons of a question, the file dialogs) follow the chosen language:
    // at start-up and on a change in the options dialog.
    void qtTextsFollowTheLanguage() {
        fx_.installLanguages();
        fx_.chooseLanguage("Deutsch");
        auto* w = Start();
        const auto yesNo = [] {
            QMessageBox box(QMessageBox::Question, "t", "q", QMessageBox::Yes | QMessageBox::No);
            return QStringList{box.button(QMessageBox::Yes)->text(),
                               box.button(QMessageBox::No)->text()};
        };
        const auto lookIn = [] {
            QFileDialog d;
            d.setOption(QFileDialog::DontUseNativeDialog);
            return d.findChild<QLabel*>("lookInLabel")->text();
        };
        QCOMPARE(yesNo(), (QStringList{"&Ja", "&Nein"}));
        QCOMPARE(lookIn(), QString("Suchen in:"));

        // Languages by name: Deutsch, English, Espanol, Francais, Italiano.
        const auto choose = [&](const char* tile) {
            prompts_.confirmAnswers << true;
            const auto options = WhenModal("FSoftOptions", [tile](QWidget* dlg) {
                QTest::mouseClick(dlg->findChild<QLabel*>(tile), Qt::LeftButton);
                QTest::mouseClick(dlg->findChild<QPushButton*>("Btn_OK"), Qt::LeftButton);
            });
            Click(*w, "Btn_Opz");
        };
        choose("L_L5");
        QCOMPARE(w->State().Settings.LanguageName, std::string("Italiano"));
        QCOMPARE(yesNo(), (QStringList{"&Sì", "&No"}));
        choose("L_L2");
        QCOMPARE(yesNo(), (QStringList{"&Yes", "&No"}));
        QCOMPARE(lookIn(), QString("Look in:"));
        choose("L_L3");
        QCOMPARE(yesNo(), (QStringList{"&Sí", "&No"}));
        choose("L_L4");
        QCOMPARE(yesNo(), (QStringList{"&Oui", "&Non"}));
        QCOMPARE(prompts_.errors(), QStringList{});
    }

    // Without its translations folder the program starts in the language all the same; only
    // Qt's texts stay English.
    void qtTextsStayEnglishWithoutTheirFiles() {
        fx_.installLanguages();
        fs::remove_all(Dir() / "translations");
        fx_.chooseLanguage("Deutsch");
        auto* w = Start();
        QCOMPARE(Text(*w, "Btn_New"), QString("Neue Konfiguration"));
        QMessageBox box(QMessageBox::Question, "t", "q", QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(box.button(QMessageBox::Yes)->text(), QString("&Yes"));
        QCOMPARE(prompts_.errors(), QStringList{});
    }

    // The windows are created when first opened: one opened after a language change in the
    // options dialog comes up in the new language.
    void windowOpenedAfterALanguageChangeIsInTheNewLanguage_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("window");
        QTest::addColumn<int>("title");
        QTest::newRow("New") << "Btn_New"
                             << "FNew_Project" << 100;
        QTest::newRow("Open") << "Btn_Open"
                              << "FOpenConf" << 200;
        QTest::newRow("Settings") << "Btn_Prm_Gen"
                                  << "FParGen" << 400;
        QTest::newRow("Receive") << "Btn_CAN_Rec_Frame"
                                 << "FReceiveCAN" << 1700;
        QTest::newRow("Transmit") << "Btn_CAN_Send_Frame"
                                  << "FTransmitCAN" << 1800;
        QTest::newRow("Check") << "Btn_Check_Project"
                               << "FCheckProject" << 500;
        QTest::newRow("Compare") << "Btn_Compare"
                                 << "FCompareProjects" << 742;
    }
    void windowOpenedAfterALanguageChangeIsInTheNewLanguage() {
        QFETCH(QString, button);
        QFETCH(QString, window);
        QFETCH(int, title);
        fx_.installLanguages();
        auto* w = Start();
        fx_.openProject("Line", kParGen, kOneFrame);
        const QString english = fx_.text(title);
        QVERIFY2(!w->findChild<QWidget*>(window), qPrintable(window));

        prompts_.confirmAnswers << true;
        {
            const auto options = WhenModal("FSoftOptions", [](QWidget* dlg) {
                QTest::mouseClick(dlg->findChild<QLabel*>("L_L1"), Qt::LeftButton); // Deutsch
                QTest::mouseClick(dlg->findChild<QPushButton*>("Btn_OK"), Qt::LeftButton);
            });
            Click(*w, "Btn_Opz");
        }
        QCOMPARE(w->State().Settings.LanguageName, std::string("Deutsch"));
        const QString german = fx_.text(title);
        QVERIFY2(german != english, qPrintable(german));

        QString shown;
        {
            const auto opened = WhenModal(window, [&shown](QWidget* modal) {
                shown = modal->windowTitle();
                qobject_cast<QDialog*>(modal)->reject();
            });
            Click(*w, button.toLatin1().constData());
        }
        QCOMPARE(shown, german);
        QCOMPARE(prompts_.errors(), QStringList{});
    }

    void changeLanguageRelabelsWindowsAndBanner() {
        auto* w = Start();
        w->State().Lang.Set_Text(9, "Keine Konfiguration ");
        w->State().Lang.Set_Text(15, "Neu");
        w->State().Lang.Set_Text(100, "Neue Konfiguration");
        w->Change_Language();
        QCOMPARE(Text(*w, "L_Name_Conf"), QString("Keine Konfiguration "));
        QCOMPARE(Text(*w, "Btn_New"), QString("Neu"));
        QCOMPARE(w->FNew_Project()->windowTitle(), QString("Neue Konfiguration"));
        QVERIFY(!w->State().ProjectOpen());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
