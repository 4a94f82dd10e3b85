// The main window's "Hand-over" button: the pack written where the user chooses.

#include "FakePrompts.h"
#include "MainWindowFixture.h"
#include "ProjectFixture.h"
#include "core/UKorvelFirmWare.h"
#include "handover/DeviceBitmap.h"

#include <QPushButton>
#include <QtTest>

#include <memory>

using namespace kt;
using namespace kt::test;

namespace {
const char* const kPack[] = {"Line.gsd",   "DPV0_1N.bmp", "DPV0_1S.bmp", "bank1.bin",
                             "io_map.csv", "report.html", "report.pdf"};
} // namespace

class TstHandover : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> target;
    MainWindowFixture fx;
    FakePrompts& prompts = fx.prompts;
    TFKorvelFirmWare* w = nullptr;

    AppState& state() { return fx.state(); }
    QString text(int id) { return fx.text(id); }
    QPushButton* button() { return w->findChild<QPushButton*>("Btn_Handover"); }
    void openProject() { fx.openProject("Line", kParGen, kOneFrame); }
    std::filesystem::path pack() { return PathOf(target->path()) / "pack"; }

private slots:
    void init() {
        target = std::make_unique<QTemporaryDir>();
        fx.reset();
        w = fx.start();
    }
    void cleanup() {
        fx.stop();
        w = nullptr;
    }

    // Right of step 5's button, the size of a step button; the steps keep their places.
    void buttonPlaceAndTexts() {
        QVERIFY(button());
        QCOMPARE(button()->geometry(), QRect(258, 288, 170, 36));
        QCOMPARE(w->findChild<QPushButton*>("Btn_PROFIBUS_GSD")->geometry(),
                 QRect(80, 288, 170, 36));
        QCOMPARE(button()->text(), QString("Hand-over"));
        QCOMPARE(button()->toolTip(), text(601));
        state().Lang.Set_Text(600, "Übergabe");
        w->Change_Language();
        QCOMPARE(button()->text(), QString("Übergabe"));
    }

    void needsAProject() {
        QTest::mouseClick(button(), Qt::LeftButton);
        QCOMPARE(prompts.errors(), QStringList{text(18)});
        QVERIFY(prompts.texts(FakePrompts::Kind::FolderName).isEmpty());
    }

    void refusesWithoutSettingsBeforeAsking() {
        openProject();
        std::filesystem::remove(state().Files.ParGenFile);
        QTest::mouseClick(button(), Qt::LeftButton);
        QCOMPARE(prompts.errors(), QStringList{text(1504)});
        QVERIFY(prompts.texts(FakePrompts::Kind::FolderName).isEmpty());
    }

    void writesThePackAndSaysWhere() {
        openProject();
        prompts.folderAnswers << QPath(pack());
        QTest::mouseClick(button(), Qt::LeftButton);
        QCOMPARE(prompts.texts(FakePrompts::Kind::FolderName),
                 QStringList{QPath(state().ProjectDir)});
        QCOMPARE(prompts.calls.first().filter, text(602));
        QVERIFY2(prompts.errors().isEmpty(), qPrintable(prompts.errors().join("\n")));
        QCOMPARE(prompts.texts(FakePrompts::Kind::Info), QStringList{text(603) + QPath(pack())});
        for (const char* f : kPack)
            QVERIFY2(std::filesystem::is_regular_file(pack() / f), f);
        QCOMPARE(ReadFile(pack() / "report.pdf").substr(0, 4), std::string("%PDF"));
        QCOMPARE(ReadFile(pack() / "DPV0_1N.bmp"), DeviceBitmap(false));
    }

    void cancelWritesNothing() {
        openProject();
        QTest::mouseClick(button(), Qt::LeftButton);
        QCOMPARE(prompts.unanswered, 1);
        QVERIFY(prompts.errors().isEmpty());
        QVERIFY(std::filesystem::is_empty(PathOf(target->path())));
    }

    // An earlier pack in the folder: asked first; No keeps it, Yes replaces it.
    void asksBeforeReplacing() {
        openProject();
        WriteFile(pack() / "bank1.bin", "OLD");
        prompts.folderAnswers << QPath(pack()) << QPath(pack());
        prompts.confirmAnswers << false << true;
        QTest::mouseClick(button(), Qt::LeftButton);
        QCOMPARE(prompts.questions(), QStringList{text(604)});
        QCOMPARE(ReadFile(pack() / "bank1.bin"), std::string("OLD"));
        QVERIFY(!std::filesystem::exists(pack() / "report.pdf"));
        QTest::mouseClick(button(), Qt::LeftButton);
        QCOMPARE(prompts.questions().size(), 2);
        QCOMPARE(ReadFile(pack() / "bank1.bin").size(), std::size_t(4096));
        QVERIFY(std::filesystem::exists(pack() / "report.pdf"));
    }

    // Errors found by the check: the question of the GSD step and Update Device, No by
    // default; No writes nothing, Yes goes on to the folder.
    void errorsAskFirst() {
        openProject();
        WriteFile(state().Files.RecFramesFile,
                  "<Receive_Frames><row COBID=\"291\" CAN_Type=\"2.0A (11 bits)\" Dim=\"8\" "
                  "SWAP=\"0\" TimeOut=\"1000\" Mnemonic=\"a\"/><row COBID=\"0x123\" "
                  "CAN_Type=\"2.0A (11 bits)\" Dim=\"8\" SWAP=\"0\" TimeOut=\"1000\" "
                  "Mnemonic=\"b\"/></Receive_Frames>");
        prompts.folderAnswers << QPath(pack());
        prompts.confirmAnswers << false << true;
        QTest::mouseClick(button(), Qt::LeftButton);
        QCOMPARE(prompts.destructiveQuestions().size(), 1);
        QVERIFY2(prompts.questions().front().startsWith(text(570)),
                 qPrintable(prompts.questions().front()));
        QVERIFY(prompts.questions().front().endsWith(text(571)));
        QVERIFY(prompts.texts(FakePrompts::Kind::FolderName).isEmpty());
        QVERIFY(!std::filesystem::exists(pack()));
        QTest::mouseClick(button(), Qt::LeftButton);
        QCOMPARE(prompts.destructiveQuestions().size(), 2);
        QCOMPARE(prompts.texts(FakePrompts::Kind::FolderName).size(), 1);
        QVERIFY(std::filesystem::exists(pack() / "report.pdf"));
    }

    void failureIsShown() {
        openProject();
        WriteFile(PathOf(target->path()) / "afile", "x");
        prompts.folderAnswers << QPath(PathOf(target->path()) / "afile");
        QTest::mouseClick(button(), Qt::LeftButton);
        QCOMPARE(prompts.errors().size(), 1);
        QVERIFY2(prompts.errors().first().contains("afile"), qPrintable(prompts.errors().first()));
        QVERIFY(prompts.texts(FakePrompts::Kind::Info).isEmpty());
    }
};

QTEST_MAIN(TstHandover)
#include "tst_handover.moc"
