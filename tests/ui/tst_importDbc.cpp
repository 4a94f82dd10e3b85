// Import DBC in both frame list dialogs, and the Compare with... window.

#include "FakePrompts.h"
#include "ModalHelper.h"
#include "ProjectFixture.h"
#include "core/UCompareProjects.h"
#include "editors/UCAN_Bytes_SWAP.h"
#include "editors/UComon.h"
#include "editors/UImportDbc.h"
#include "editors/UReceiveCAN.h"
#include "editors/UTransmitCAN.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTableWidget>
#include <QtTest>

#include <memory>
#include <optional>

using namespace kt;
using namespace kt::test;

namespace {

struct NoSwap final : SwapEditor {
    std::optional<std::uint8_t> Edit_Swap(std::uint8_t) override { return {}; }
};

// A plant network: 64 messages; "Gateway" receives 24 (0x100..0x117) and sends 20
// (0x118..0x12B); every third message is event-driven, the others cyclic (10 ms x (i%10+1)).
std::string Network() {
    std::string s = "VERSION \"\"\r\n\r\nNS_ :\r\n\tCM_\r\n\r\nBS_:\r\n\r\n"
                    "BU_: Engine Brakes Dash Gateway\r\n\r\n";
    const char* others[] = {"Engine", "Brakes", "Dash"};
    std::string attrs;
    for (int i = 0; i < 64; ++i) {
        const std::string tx = i >= 24 && i < 44 ? "Gateway" : others[i % 3];
        const std::string rx = i < 24 ? "Gateway" : others[(i + 1) % 3];
        const std::string id = std::to_string(0x100 + i);
        s += "BO_ " + id + " Msg" + std::to_string(i) + ": " + std::to_string(i % 8 + 1) + " " +
             tx + "\r\n SG_ V : 0|8@1+ (1,0) [0|255] \"\" " + rx + "\r\n\r\n";
        attrs += i % 3 == 2 ? "BA_ \"GenMsgSendType\" BO_ " + id + " 1;\r\n"
                            : "BA_ \"GenMsgCycleTime\" BO_ " + id + " " +
                                  std::to_string(10 * (i % 10 + 1)) + ";\r\n";
    }
    s += "BA_DEF_ BO_ \"GenMsgCycleTime\" INT 0 65535;\r\n"
         "BA_DEF_ BO_ \"GenMsgSendType\" ENUM \"Cyclic\",\"Spontaneous\";\r\n"
         "BA_DEF_DEF_ \"GenMsgCycleTime\" 0;\r\nBA_DEF_DEF_ \"GenMsgSendType\" \"Cyclic\";\r\n";
    return s + attrs;
}

int Rows(const std::string& xml) {
    int n = 0;
    for (std::size_t p = 0; (p = xml.find("<row ", p)) != std::string::npos; ++p)
        ++n;
    return n;
}

} // namespace

class TstImportDbc : public QObject {
    Q_OBJECT

    std::unique_ptr<ProjectFixture> fx;
    FakePrompts prompts;
    NoSwap swap;
    QString dbc;

    std::unique_ptr<TFrameListDialog> openList(bool receive) {
        std::unique_ptr<TFrameListDialog> d;
        if (receive)
            d = std::make_unique<TFReceiveCAN>(fx->state, prompts, swap);
        else
            d = std::make_unique<TFTransmitCAN>(fx->state, prompts, swap);
        d->show();
        d->activateWindow();
        [&] { QVERIFY(QTest::qWaitForWindowActive(d.get())); }();
        return d;
    }
    static void press(QWidget& w, const char* name) {
        auto* b = w.findChild<QPushButton*>(name);
        QVERIFY2(b, name);
        QTest::mouseClick(b, Qt::LeftButton);
    }
    // Picks the node with the keyboard alone, then imports with Return.
    static void chooseNodeAndImport(QWidget* modal, const QString& node) {
        auto* combo = modal->findChild<QComboBox*>("CB_Node");
        QVERIFY(combo);
        combo->setFocus();
        for (int i = 0; i < 10 && combo->currentText() != node; ++i)
            QTest::keyClick(combo, Qt::Key_Down);
        QCOMPARE(combo->currentText(), node);
        QTest::keyClick(combo, Qt::Key_Return);
    }

private slots:
    void init() {
        fx = std::make_unique<ProjectFixture>();
        prompts.clear();
        prompts.onCall = nullptr;
        dbc = QPath(fx->state.ProjectDir / "plant.dbc");
        WriteFile(fx->state.ProjectDir / "plant.dbc", Network());
    }

    void importsTheNetworkIntoBothLists_data() {
        QTest::addColumn<bool>("receive");
        QTest::addColumn<int>("count");
        QTest::newRow("receive") << true << 24;
        QTest::newRow("transmit") << false << 20;
    }
    void importsTheNetworkIntoBothLists() {
        QFETCH(bool, receive);
        QFETCH(int, count);
        auto d = openList(receive);
        // Row 1 holds a frame typed before: the import starts at row 2.
        d->Grid()->model()->setData(d->Grid()->model()->index(0, 1), "0x7FF", Qt::EditRole);
        d->Grid()->model()->setData(d->Grid()->model()->index(0, 3), "1", Qt::EditRole);
        d->Grid()->model()->setData(d->Grid()->model()->index(0, 4), "0", Qt::EditRole);
        if (receive)
            d->Grid()->model()->setData(d->Grid()->model()->index(0, 5), "0", Qt::EditRole);
        prompts.openAnswers << dbc;
        int listed = 0;
        const auto importWindow = WhenModal("FImportDbc", [&](QWidget* modal) {
            auto* table = modal->findChild<QTableView*>("ACG_Messages");
            listed = table->model()->rowCount();
            QCOMPARE(modal->findChild<QSpinBox*>("E_TimeOutFactor")->isVisibleTo(modal), receive);
            chooseNodeAndImport(modal, "Gateway");
        });
        press(*d, "Btn_ImportDbc");
        QCOMPARE(listed, 64);
        QVERIFY2(prompts.errors().isEmpty(), qPrintable(prompts.errors().join("; ")));
        QCOMPARE(prompts.calls.first().kind, FakePrompts::Kind::OpenFileName);
        QCOMPARE(prompts.calls.first().filter, fx->text(720));
        const FrameList& f = d->Frames();
        QCOMPARE(f.FrameCount(), count + 1);
        if (receive) {
            QCOMPARE(f.row(1), (FrameRow{"0x100", "2.0A (11 bits)", "1", "0", "30", "Msg0"}));
            QCOMPARE(f.row(3), (FrameRow{"0x102", "2.0A (11 bits)", "3", "0", "0", "Msg2"}));
        } else {
            QCOMPARE(f.row(1),
                     (FrameRow{"0x118", "2.0A (11 bits)", "1", "0", "N", "Y", "50", "Msg24"}));
            QCOMPARE(f.row(3),
                     (FrameRow{"0x11A", "2.0A (11 bits)", "3", "0", "Y", "N", "", "Msg26"}));
        }
        QCOMPARE(d->Grid()->currentIndex().row(), 1);
        // The whole import is one step of the grid's history.
        const FrameList imported = d->Frames();
        d->activateWindow(); // back from the import window
        QVERIFY(QTest::qWaitForWindowActive(d.get()));
        QTest::keyClick(d->Grid(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(d->Frames().FrameCount(), 1);
        QCOMPARE(d->Frames().row(0)[0], std::string("0x7FF"));
        QTest::keyClick(d->Grid(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(d->Frames().FrameCount(), count + 1);
        QCOMPARE(d->Frames().row(1), imported.row(1));
        press(*d, "Btn_OK");
        QVERIFY2(prompts.errors().isEmpty(), qPrintable(prompts.errors().join("; ")));
        QCOMPARE(d->result(), int(QDialog::Accepted));
        const auto file = receive ? fx->state.Files.RecFramesFile : fx->state.Files.SendFramesFile;
        QCOMPARE(Rows(ReadFile(file)), count + 1);
    }

    void refusesAllWhenTheRowsDoNotSuffice() {
        auto d = openList(true);
        auto* m = d->Grid()->model();
        for (int r = 0; r < 28; ++r)
            m->setData(m->index(r, 1), QString::number(r + 1), Qt::EditRole);
        const FrameList before = d->Frames();
        prompts.openAnswers << dbc;
        QString shown;
        prompts.onCall = [&](const FakePrompts::Call& c) {
            if (c.kind != FakePrompts::Kind::Error) return;
            // The window stays open behind the message.
            QWidget* modal = QApplication::activeModalWidget();
            QVERIFY(modal && modal->objectName() == "FImportDbc");
            shown = c.text;
            QTimer::singleShot(0, modal, [modal] { press(*modal, "Btn_Cancel"); });
        };
        const auto importWindow = WhenModal("FImportDbc", [&](QWidget* modal) {
            auto* table = modal->findChild<QTableView*>("ACG_Messages");
            table->setFocus();
            // Space checks the first three messages.
            for (int r = 0; r < 3; ++r) {
                table->setCurrentIndex(table->model()->index(r, 3));
                QTest::keyClick(table, Qt::Key_Space);
            }
            QCOMPARE(table->model()->index(2, 0).data(Qt::CheckStateRole).toInt(),
                     int(Qt::Checked));
            press(*modal, "Btn_Import");
        });
        press(*d, "Btn_ImportDbc");
        QCOMPARE(shown, QString("Not enough empty rows: messages chosen 3, empty rows 2. Not "
                                "imported: Msg2 (0x102)"));
        QVERIFY(d->Frames().row(28) == before.row(28));
        QCOMPARE(d->Frames().FrameCount(), 28);
    }

    void unreadableFileAndCancel() {
        auto d = openList(false);
        WriteFile(fx->state.ProjectDir / "bad.dbc", "BU_: A\nBO_ 1 M: 8 A B\n");
        prompts.openAnswers << QPath(fx->state.ProjectDir / "bad.dbc");
        press(*d, "Btn_ImportDbc");
        QCOMPARE(prompts.errors().size(), 1);
        QVERIFY2(prompts.errors()[0].startsWith(fx->text(721)), qPrintable(prompts.errors()[0]));
        QVERIFY2(
            prompts.errors()[0].endsWith(": line 2, column 14: unexpected \"B\" after the message"),
            qPrintable(prompts.errors()[0]));
        prompts.clear();
        press(*d, "Btn_ImportDbc"); // the file dialog is cancelled
        QCOMPARE(prompts.unanswered, 1);
        QVERIFY(prompts.errors().isEmpty());
        QCOMPARE(d->Frames().FrameCount(), 0);
    }

    void compareWindowListsTheOtherProjects() {
        const std::filesystem::path other = fx->state.Workspace.ProjectsDir / "Other";
        const std::string row =
            "<row COBID=\"0x10\" CAN_Type=\"2.0A (11 bits)\" Dim=\"8\" SWAP=\"0\" "
            "TimeOut=\"0\" Mnemonic=\"m\"/>";
        WriteFile(fx->state.Files.RecFramesFile, "<Receive_Frames>" + row + "</Receive_Frames>");
        WriteFile(other / "CAN_Rec_Frames.xml", "<Receive_Frames></Receive_Frames>");
        std::filesystem::create_directories(fx->state.Workspace.ProjectsDir / "Same");
        WriteFile(fx->state.Workspace.ProjectsDir / "Same" / "CAN_Rec_Frames.xml",
                  "<Receive_Frames>" + row + "</Receive_Frames>");
        TFCompareProjects w(fx->state, prompts);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.Others(), (std::vector<std::string>{"Other", "Same"}));
        auto* table = w.findChild<QTableWidget*>("ACG_Diff");
        auto* result = w.findChild<QLabel*>("L_Result");
        QVERIFY(table->rowCount() >= 1);
        QCOMPARE(table->item(0, 0)->text(), fx->text(756));
        QCOMPARE(table->item(0, 1)->text(), fx->text(768));
        QCOMPARE(table->item(0, 2)->text(), QString("1"));
        QCOMPARE(table->item(0, 3)->text(), QString("0x10 2.0A (11 bits)"));
        QCOMPARE(result->text(), fx->text(765) + QString::number(table->rowCount()));
        auto* list = w.findChild<QListWidget*>("ListBox_Projects");
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(table->rowCount(), 0);
        QCOMPARE(result->text(), fx->text(753));
        QVERIFY(prompts.calls.isEmpty());
    }
};

QTEST_MAIN(TstImportDbc)
#include "tst_importDbc.moc"
