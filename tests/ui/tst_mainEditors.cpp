// The main window's steps 2 to 6: the editors it opens, the GSD file and the image file.

#include "FakePrompts.h"
#include "GridDriver.h"
#include "MainWindowFixture.h"
#include "ModalHelper.h"
#include "ProjectFixture.h"
#include "core/UKorvelFirmWare.h"
#include "editors/UCAN_Bytes_SWAP.h"
#include "editors/UComon.h"
#include "editors/UParGen.h"
#include "editors/UReceiveCAN.h"
#include "editors/UTransmitCAN.h"
#include "outputs/ConfigImage.h"
#include "outputs/GsdFile.h"
#include "outputs/UProfibus_GSD.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <memory>

using namespace kt;
using namespace kt::test;

class TstMainEditors : public QObject {
    Q_OBJECT

    MainWindowFixture fx;
    FakePrompts& prompts = fx.prompts;
    TFKorvelFirmWare* w = nullptr;

    AppState& state() { return fx.state(); }
    QString text(int id) { return fx.text(id); }
    void click(const char* name) { fx.click(name); }
    // Opens a Project the way the Open step leaves it.
    void openProject(const std::string& name = "Line") { fx.openProject(name); }
    std::filesystem::path bank() { return state().ProjectDir / "bin" / "bank1.bin"; }

private slots:
    void init() {
        fx.reset();
        w = fx.start();
    }
    void cleanup() {
        fx.stop();
        w = nullptr;
    }

    void stepsNeedAProject_data() {
        QTest::addColumn<QString>("button");
        for (const char* b : {"Btn_Prm_Gen", "Btn_CAN_Rec_Frame", "Btn_CAN_Send_Frame",
                              "Btn_PROFIBUS_GSD", "Btn_CreateBin"})
            QTest::newRow(b) << b;
    }
    void stepsNeedAProject() {
        QFETCH(QString, button);
        QString opened;
        // Should a window come up all the same, note it and close it.
        QTimer guard;
        connect(&guard, &QTimer::timeout, [&] {
            if (QWidget* m = QApplication::activeModalWidget()) {
                opened = m->objectName();
                m->close();
            }
        });
        guard.start(0);
        click(button.toUtf8().constData());
        QCOMPARE(prompts.errors(), QStringList{text(18)});
        QCOMPARE(prompts.calls.size(), 1);
        QCOMPARE(opened, QString());
        QVERIFY(!std::filesystem::exists(state().Workspace.ProjectsDir / "bin"));
    }

    void stepsOpenTheirEditors_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("dialog");
        QTest::newRow("settings") << "Btn_Prm_Gen"
                                  << "FParGen";
        QTest::newRow("receive") << "Btn_CAN_Rec_Frame"
                                 << "FReceiveCAN";
        QTest::newRow("send") << "Btn_CAN_Send_Frame"
                              << "FTransmitCAN";
    }
    void stepsOpenTheirEditors() {
        QFETCH(QString, button);
        QFETCH(QString, dialog);
        openProject();
        QString opened;
        const auto modal1 = WhenModal(dialog, [&](QWidget* m) {
            opened = m->objectName();
            m->close();
        });
        click(button.toUtf8().constData());
        QCOMPARE(opened, dialog);
        QVERIFY(prompts.calls.isEmpty());
    }

    // The byte swap editor is created when a frame list first asks for it; its OK reaches the
    // list's cell.
    void frameListsOpenTheByteSwapEditor_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("dialog");
        QTest::newRow("receive") << "Btn_CAN_Rec_Frame"
                                 << "FReceiveCAN";
        QTest::newRow("send") << "Btn_CAN_Send_Frame"
                              << "FTransmitCAN";
    }
    void frameListsOpenTheByteSwapEditor() {
        QFETCH(QString, button);
        QFETCH(QString, dialog);
        openProject();
        QString cell;
        QString swapTitle;
        {
            const auto list = WhenModal(dialog, [&](QWidget* m) {
                auto* d = qobject_cast<TFrameListDialog*>(m);
                QVERIFY(d);
                GridDriver g(*d->Grid());
                g.type(0, 1, "1");
                g.pick(0, 2, 0);
                g.type(0, 3, "8");
                g.type(0, 4, "300");
                g.go(0, 4);
                {
                    const auto swap = WhenModal("FCAN_Bytes_SWAP", [&](QWidget* editor) {
                        swapTitle = editor->windowTitle();
                        QTest::mouseClick(editor->findChild<QPushButton*>("Btn_OK"),
                                          Qt::LeftButton);
                    });
                    QTest::mouseClick(d->findChild<QPushButton*>("Btn_CreateSWAP"), Qt::LeftButton);
                }
                cell = g.cell(0, 4);
                // Closed from the event loop, which first runs what the swap editor's answer
                // left queued.
                QTimer::singleShot(0, d, &QDialog::reject);
            });
            click(button.toUtf8().constData());
        }
        QCOMPARE(swapTitle, text(1900));
        QCOMPARE(cell, QString("0x2C"));
        QVERIFY(prompts.calls.isEmpty());
    }

    void gsdNeedsTheCommunicationSettings() {
        openProject();
        click("Btn_PROFIBUS_GSD");
        QCOMPARE(prompts.errors(), QStringList{text(1504)});
        QCOMPARE(prompts.calls.size(), 1);
    }

    void gsdFileName_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");
        QTest::newRow("upper-case extension") << "Plant.GSD"
                                              << "Plant.GSD";
        QTest::newRow("no extension") << "plant"
                                      << "plant.gsd";
        QTest::newRow("other extension") << "plant.gsd.txt"
                                         << "plant.gsd.txt.gsd";
    }
    void gsdFileName() {
        QFETCH(QString, typed);
        QFETCH(QString, written);
        openProject();
        WriteFile(state().Files.ParGenFile, kParGen);
        const QString dir = QPath(state().ProjectDir);
        prompts.saveAnswers = {dir + "/" + typed};
        click("Btn_PROFIBUS_GSD");
        QCOMPARE(prompts.calls.size(), 1);
        QCOMPARE(prompts.calls[0].kind, FakePrompts::Kind::SaveFileName);
        QCOMPARE(prompts.calls[0].text, dir);
        QCOMPARE(prompts.calls[0].filter, QString(GsdFileFilter));
        const Result<GSD_Data> data = Read_GSD_Data(state().Files);
        QVERIFY(data.ok());
        const Result<std::string> expected = ComposeGsdText(data.value, state().Lang);
        QVERIFY(expected.ok());
        QCOMPARE(ReadFile(state().ProjectDir / written.toStdString()), expected.value);
    }

    void gsdOverwriteQuestion() {
        openProject();
        WriteFile(state().Files.ParGenFile, kParGen);
        const auto target = state().ProjectDir / "plant.gsd";
        WriteFile(target, "old");
        prompts.saveAnswers = {QPath(target)};
        prompts.confirmAnswers = {false};
        click("Btn_PROFIBUS_GSD");
        QCOMPARE(prompts.questions(), QStringList{text(1503)});
        QCOMPARE(ReadFile(target), std::string("old"));

        prompts.clear();
        prompts.saveAnswers = {QPath(state().ProjectDir / "plant")};
        prompts.confirmAnswers = {true};
        click("Btn_PROFIBUS_GSD");
        QCOMPARE(prompts.questions(), QStringList{text(1503)});
        QVERIFY(ReadFile(target).starts_with(";\r\n"));
        QVERIFY(prompts.errors().isEmpty());
    }

    void gsdFailuresAreReported() {
        openProject();
        WriteFile(state().Files.ParGenFile, kParGen);
        WriteFile(state().Files.SendFramesFile, "<Transmit_Frames><row");
        click("Btn_PROFIBUS_GSD");
        QCOMPARE(prompts.errors().size(), 1);
        QVERIFY(prompts.errors()[0].contains("CAN_Send_Frames.xml"));
        QCOMPARE(prompts.calls.size(), 1); // no file dialog

        prompts.clear();
        std::filesystem::remove(state().Files.SendFramesFile);
        const auto target = state().ProjectDir / "busy.gsd";
        std::filesystem::create_directories(target); // cannot be a file
        prompts.saveAnswers = {QPath(target)};
        prompts.confirmAnswers = {true};
        click("Btn_PROFIBUS_GSD");
        QCOMPARE(prompts.errors().size(), 1);
        QVERIFY(prompts.errors()[0].contains("busy.gsd"));
    }

    void gsdCancelEndsQuietly() {
        openProject();
        WriteFile(state().Files.ParGenFile, kParGen);
        click("Btn_PROFIBUS_GSD");
        QCOMPARE(prompts.calls.size(), 1);
        QCOMPARE(prompts.unanswered, 1);
    }

    void updateDeviceWritesTheImage() {
        openProject();
        WriteFile(state().Files.ParGenFile, kParGen);
        WriteFile(state().Files.RecFramesFile, kOneFrame);
        QString opened;
        const auto modal2 = WhenModal("FBoot", [&](QWidget* m) {
            opened = m->objectName();
            static_cast<QDialog*>(m)->reject();
        });
        click("Btn_CreateBin");
        QCOMPARE(opened, QString("FBoot")); // the update dialog follows a written image
        QVERIFY(prompts.calls.isEmpty());
        ConfigImage expected{};
        QVERIFY(Compile_Config_Image(state().Files, expected).ok());
        const std::string bin = ReadFile(bank());
        QCOMPARE(bin.size(), ConfigImageSize);
        QVERIFY(std::equal(bin.begin(), bin.end(), expected.begin(),
                           [](char a, std::uint8_t b) { return std::uint8_t(a) == b; }));
        QCOMPARE(std::uint8_t(bin[2048]), std::uint8_t(0x20)); // 500000 bit/s
    }

    void updateDeviceStopsOnUnreadableXml() {
        openProject();
        WriteFile(bank(), "earlier image");
        WriteFile(state().Files.ParGenFile, "<Par_Gen><CAN_BAUDRATE>");
        click("Btn_CreateBin");
        QCOMPARE(prompts.errors().size(), 1);
        QVERIFY(prompts.errors()[0].contains("ParGen.xml"));
        QCOMPARE(ReadFile(bank()), std::string("earlier image"));
    }

    void updateDeviceStopsWhenTheImageCannotBeWritten() {
        openProject();
        WriteFile(state().Files.ParGenFile, kParGen);
        WriteFile(state().Files.RecFramesFile, kOneFrame);
        std::filesystem::remove_all(state().ProjectDir / "bin");
        WriteFile(state().ProjectDir / "bin", "a file where the folder belongs");
        click("Btn_CreateBin");
        QCOMPARE(prompts.errors().size(), 1);
        QVERIFY(!prompts.errors()[0].trimmed().isEmpty());
        QCOMPARE(ReadFile(state().ProjectDir / "bin"),
                 std::string("a file where the folder belongs"));
    }

    void changeLanguageRelabelsTheEditors() {
        state().Lang.Set_Text(400, "Comunicazione");
        state().Lang.Set_Text(1700, "Ricezione");
        state().Lang.Set_Text(1800, "Trasmissione");
        state().Lang.Set_Text(1900, "Scambio");
        w->Change_Language();
        QCOMPARE(w->FParGen()->windowTitle(), QString("Comunicazione"));
        QCOMPARE(w->FReceiveCAN()->windowTitle(), QString("Ricezione"));
        QCOMPARE(w->FTransmitCAN()->windowTitle(), QString("Trasmissione"));
        QCOMPARE(w->FCAN_Bytes_SWAP()->windowTitle(), QString("Scambio"));
    }

    // A new Project given settings and 30 + 30 frames in the windows, then the two outputs.
    void wholeRoadFromNewProjectToImage() {
        const auto modal3 = WhenModal("FNew_Project", [](QWidget* m) {
            QTest::keyClicks(m->findChild<QLineEdit*>("E_New_Proj"), "Road");
            QTest::mouseClick(m->findChild<QPushButton*>("Btn_OK"), Qt::LeftButton);
        });
        click("Btn_New");
        QVERIFY(state().ProjectOpen());

        const auto modal4 = WhenModal("FParGen", [](QWidget* m) {
            QTest::mouseClick(m->findChild<QCheckBox*>("CB_PROFIBUS_CAN_Mapping"), Qt::LeftButton);
            QTest::mouseClick(m->findChild<QPushButton*>("Btn_OK"), Qt::LeftButton);
        });
        click("Btn_Prm_Gen");

        const auto fill = [](QWidget* m, bool transmit) {
            auto* d = static_cast<TFrameListDialog*>(m);
            GridDriver g(*d->Grid());
            g.type(0, 1, "0x100");
            g.pick(0, 2, 0);
            g.type(0, 3, "2");
            g.type(0, 4, "0x80");
            if (transmit) {
                g.click(0, 5);
                g.type(0, 7, "250");
            } else {
                g.type(0, 5, "500");
            }
            g.go(0, 1);
            QTest::mouseClick(d->findChild<QPushButton*>("Btn_CopyRow"), Qt::LeftButton);
            for (int r = 1; r < 30; ++r) {
                g.go(r, 1);
                QTest::mouseClick(d->findChild<QPushButton*>("Btn_PasteRow"), Qt::LeftButton);
                g.type(r, 1, QString::number(0x100 + r));
            }
            QTest::mouseClick(d->findChild<QPushButton*>("Btn_OK"), Qt::LeftButton);
            QCOMPARE(d->result(), int(QDialog::Accepted));
        };
        const auto modal5 = WhenModal("FReceiveCAN", [&](QWidget* m) { fill(m, false); });
        click("Btn_CAN_Rec_Frame");
        const auto modal6 = WhenModal("FTransmitCAN", [&](QWidget* m) { fill(m, true); });
        click("Btn_CAN_Send_Frame");
        QVERIFY(prompts.calls.isEmpty());

        FrameList rx(FrameKind::Receive), tx(FrameKind::Transmit);
        QVERIFY(rx.Load_Frames(state().Files.RecFramesFile).ok());
        QVERIFY(tx.Load_Frames(state().Files.SendFramesFile).ok());
        QCOMPARE(rx.FrameCount(), 30);
        QCOMPARE(tx.FrameCount(), 30);
        QCOMPARE(tx.transmitFrame(29).COBID, std::string("285"));
        QCOMPARE(tx.transmitFrame(29).OnChange, std::string("Y"));
        QCOMPARE(rx.receiveFrame(12).SWAP, std::string("0x80"));

        prompts.saveAnswers = {QPath(state().ProjectDir / "road")};
        click("Btn_PROFIBUS_GSD");
        const Result<GSD_Data> data = Read_GSD_Data(state().Files);
        QVERIFY(data.ok());
        QCOMPARE(data.value.In_Modules, 30);
        QCOMPARE(data.value.Out_Len, 60);
        const Result<std::string> gsd = ComposeGsdText(data.value, state().Lang);
        QVERIFY(gsd.ok());
        QCOMPARE(ReadFile(state().ProjectDir / "road.gsd"), gsd.value);

        const auto modal7 =
            WhenModal("FBoot", [](QWidget* m) { static_cast<QDialog*>(m)->reject(); });
        click("Btn_CreateBin");
        ConfigImage image{};
        QVERIFY(Compile_Config_Image(state().Files, image).ok());
        const std::string bin = ReadFile(bank());
        QCOMPARE(bin, std::string(image.begin(), image.end()));
        QCOMPARE(prompts.errors(), QStringList());
    }
};

QTEST_MAIN(TstMainEditors)
#include "tst_mainEditors.moc"
