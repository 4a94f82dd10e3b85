// The Check Project window from the main window, and the question before the GSD step and
// Update Device.

#include "FakePrompts.h"
#include "MainWindowFixture.h"
#include "ModalHelper.h"
#include "ProjectFixture.h"
#include "TableTexts.h"
#include "checks/IoMap.h"
#include "checks/UCheckProject.h"
#include "core/UKorvelFirmWare.h"
#include "editors/UFrameListDialog.h"
#include "ui/UPrompts.h"

#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>

#include <memory>

using namespace kt;
using namespace kt::test;

namespace {
std::string Rx(const char* id, const char* swap = "0") {
    return std::string("<row COBID=\"") + id + "\" CAN_Type=\"2.0A (11 bits)\" Dim=\"2\" SWAP=\"" +
           swap + "\" TimeOut=\"100\" Mnemonic=\"m" + id + "\"/>";
}
// Row 2 repeats row 1's identifier: one error. The transmit frame is never sent: a warning.
const std::string kFaultyRx =
    "<Receive_Frames>" + Rx("0x10", "0x80") + Rx("16") + "</Receive_Frames>";
const std::string kCleanRx =
    "<Receive_Frames>" + Rx("0x10", "0x80") + Rx("0x11") + "</Receive_Frames>";
const std::string kNeverSentTx =
    "<Transmit_Frames><row COBID=\"0x20\" CAN_Type=\"2.0A (11 bits)\" Dim=\"1\" SWAP=\"0\" "
    "OnChange=\"N\" OnTimer=\"N\" Time=\"0\" Mnemonic=\"\"/></Transmit_Frames>";

// Like WhenModal, but waits for the modal dialog of that name (a dialog opened from another).
void WhenModalNamed(const QString& name, std::function<void(QWidget*)> act) {
    auto tries = std::make_shared<int>(0);
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [name, act = std::move(act), tries, poll]() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->objectName() == name) {
            act(modal);
            *poll = nullptr;
            return;
        }
        if (++*tries > 500) {
            *poll = nullptr;
            return;
        }
        QTimer::singleShot(10, *poll);
    };
    QTimer::singleShot(0, *poll);
}

// `n` frames of one list, all with the identifier `id`: n - 1 errors.
std::string SameIdRows(const char* root, int n, const char* id) {
    std::string out = std::string("<") + root + ">";
    for (int i = 0; i < n; ++i)
        out += std::string("<row COBID=\"") + id +
               "\" CAN_Type=\"2.0A (11 bits)\" Dim=\"1\" SWAP=\"0\" TimeOut=\"100\" "
               "OnChange=\"Y\" OnTimer=\"N\" Time=\"0\" Mnemonic=\"\"/>";
    return out + "</" + root + ">";
}
} // namespace

class TstCheckProject : public QObject {
    Q_OBJECT

    MainWindowFixture fx;
    FakePrompts& prompts = fx.prompts;
    TFKorvelFirmWare* w = nullptr;

    AppState& state() { return fx.state(); }
    QString text(int id) { return fx.text(id); }
    void click(const char* name) { fx.click(name); }
    void openProject(const std::string& rx, const std::string& tx) {
        fx.openProject("Line", kParGen, rx, tx);
    }

private slots:
    void init() {
        fx.reset();
        w = fx.start();
    }
    void cleanup() {
        fx.stop();
        w = nullptr;
    }

    void buttonBesideStep2() {
        auto* b = w->findChild<QPushButton*>("Btn_Check_Project");
        QVERIFY(b);
        QCOMPARE(b->geometry(), QRect(258, 156, 170, 36));
        QCOMPARE(b->text(), QString("Check Project"));
        QCOMPARE(b->toolTip(), text(502));
        QCOMPARE(w->findChild<QPushButton*>("Btn_Prm_Gen")->geometry(), QRect(80, 156, 170, 36));
        QCOMPARE(w->findChild<QPushButton*>("Btn_Open")->geometry(), QRect(258, 112, 170, 36));
        // Like the other steps it needs a Project.
        click("Btn_Check_Project");
        QCOMPARE(prompts.errors(), QStringList{text(18)});
    }

    void findingsBusLoadAndMap() {
        openProject(kFaultyRx, kNeverSentTx);
        QStringList first, second, inputRow;
        int inputs = -1;
        QString load, summary;
        int startRow = -1;
        const auto modal1 = WhenModal("FCheckProject", [&](QWidget* modal) {
            auto* findings = modal->findChild<QTableWidget*>("ACG_Findings");
            first = RowTexts(findings, 0);
            second = RowTexts(findings, 1);
            summary = modal->findChild<QLabel*>("L_Summary")->text();
            load = modal->findChild<QProgressBar*>("PB_BusLoad")->text();
            auto* in = modal->findChild<QTableWidget*>("ACG_Inputs");
            inputs = in->rowCount();
            inputRow = RowTexts(in, 0);
            // Enter on the error opens the receive list on its row.
            WhenModalNamed("FReceiveCAN", [&](QWidget* dialog) {
                auto* list = static_cast<TFrameListDialog*>(dialog);
                startRow =
                    list->findChild<QAbstractItemView*>("ACG_CAN_Receive")->currentIndex().row();
                list->reject();
            });
            findings->setFocus();
            findings->setCurrentCell(0, 3);
            QTest::keyClick(findings, Qt::Key_Return);
            QTest::keyClick(modal, Qt::Key_Escape);
        });
        click("Btn_Check_Project");
        QCOMPARE(first, (QStringList{"Error", "Receive frames", "2",
                                     "Identifier and type already used in row 1"}));
        QCOMPARE(second, (QStringList{"Warning", "Transmit frames", "1",
                                      "Never sent: OnChange and OnTimer are both off"}));
        QCOMPARE(summary, QString("Errors: 1   Warnings: 1   Notes: 1"));
        // 2 x 75 bits every 100 ms at 500 kbit/s: 0.3 %.
        QCOMPARE(load, QString("0.3 %"));
        QCOMPARE(inputs, 4);
        QCOMPARE(inputRow, (QStringList{"0", "1", "0", "0x42,0x01,0x00,0x01", "1", "0x010",
                                        "2.0A (11 bits)", "2", "m0x10", "1-2"}));
        QCOMPARE(startRow, 1);
        QVERIFY(prompts.calls.isEmpty());
    }

    // Every tab exports through the one CSV writer: byte-order mark, ';', quoted identifier.
    void exportsEveryTabAsCsv_data() {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("proposed");
        QTest::addColumn<QByteArray>("head"); // the file's first two lines
        QTest::addColumn<int>("lines");
        QTest::newRow("findings")
            << 0 << "Line_findings.csv"
            << QByteArray("\xEF\xBB\xBFSeverity;List;Row;Message;Code\r\n"
                          "Error;Receive frames;2;Identifier and type already used in row 1;"
                          "duplicate-id\r\n")
            << 4;
        QTest::newRow("inputs") << 1 << "Line_inputs.csv"
                                << QByteArray("\xEF\xBB\xBFPROFIBUS byte;Module;Module byte;Module "
                                              "identifier;CAN row;CobID;Type;CAN byte;Mnemonic;"
                                              "Swap\r\n0;1;0;\"0x42,0x01,0x00,0x01\";1;0x010;2.0A "
                                              "(11 bits);2;m0x10;1-2\r\n")
                                << 5;
        QTest::newRow("outputs") << 2 << "Line_outputs.csv"
                                 << QByteArray(
                                        "\xEF\xBB\xBFPROFIBUS byte;Module;Module byte;Module "
                                        "identifier;CAN row;CobID;Type;CAN byte;Mnemonic;"
                                        "Swap\r\n0;3;0;\"0x82,0x00,0x00,0x03\";1;0x020;2.0A "
                                        "(11 bits);1;;\r\n")
                                 << 2;
    }
    void exportsEveryTabAsCsv() {
        QFETCH(int, tab);
        QFETCH(QString, proposed);
        QFETCH(QByteArray, head);
        QFETCH(int, lines);
        openProject(kFaultyRx, kNeverSentTx);
        const std::filesystem::path target = state().ProjectDir / "export";
        prompts.saveAnswers << QPath(target);
        bool enabled = false;
        const auto modal2 = WhenModal("FCheckProject", [&](QWidget* modal) {
            auto* tabs = modal->findChild<QTabWidget*>("TS_Check")->tabBar();
            QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(tab).center());
            auto* exportButton = modal->findChild<QPushButton*>("Btn_Export");
            enabled = exportButton->isEnabled();
            QTest::mouseClick(exportButton, Qt::LeftButton);
            QTest::keyClick(modal, Qt::Key_Escape);
        });
        click("Btn_Check_Project");
        QVERIFY(enabled);
        QCOMPARE(prompts.calls.size(), 1);
        QCOMPARE(prompts.calls[0].kind, FakePrompts::Kind::SaveFileName);
        QCOMPARE(prompts.calls[0].text, QPath(state().ProjectDir / PathOf(proposed)));
        QCOMPARE(prompts.calls[0].filter, QString("CSV file (*.csv)"));
        const QByteArray written = QByteArray::fromStdString(ReadFile(target.string() + ".csv"));
        QCOMPARE(written.left(head.size()), head);
        QCOMPARE(written.count("\r\n"), lines);
    }

    void questionBeforeTheGsdStep() {
        openProject(kFaultyRx, kNeverSentTx);
        prompts.confirmAnswers << false;
        click("Btn_PROFIBUS_GSD");
        QCOMPARE(prompts.calls.size(), 1);
        QVERIFY(prompts.calls[0].defaultNo);
        QCOMPARE(prompts.calls[0].text,
                 QString("The check of the Project found errors:\n\nReceive frames, Row 2: "
                         "Identifier and type already used in row 1\n\nGo on anyway?"));
        // Yes goes on to the save dialog (cancelled here).
        prompts.clear();
        prompts.confirmAnswers << true;
        click("Btn_PROFIBUS_GSD");
        QCOMPARE(prompts.calls.size(), 2);
        QCOMPARE(prompts.calls[1].kind, FakePrompts::Kind::SaveFileName);
        // A warning alone asks nothing.
        prompts.clear();
        WriteFile(state().Files.RecFramesFile, kCleanRx);
        click("Btn_PROFIBUS_GSD");
        QCOMPARE(prompts.calls.size(), 1);
        QCOMPARE(prompts.calls[0].kind, FakePrompts::Kind::SaveFileName);
    }

    // However many errors, the question fits a 1024x768 screen with its buttons: the first
    // errors, a count of the rest and where to see them all.
    void manyErrorsFitTheScreen_data() {
        QTest::addColumn<int>("rx"); // frames of each list with one identifier
        QTest::addColumn<int>("tx");
        QTest::addColumn<int>("errors");
        QTest::newRow("all listed") << QuestionErrorLines + 1 << 0 << QuestionErrorLines;
        QTest::newRow("one more") << QuestionErrorLines + 2 << 0 << QuestionErrorLines + 1;
        QTest::newRow("58 errors") << 30 << 30 << 58;
    }
    void manyErrorsFitTheScreen() {
        QFETCH(int, rx);
        QFETCH(int, tx);
        QFETCH(int, errors);
        openProject(SameIdRows("Receive_Frames", rx, "0x10"),
                    tx ? SameIdRows("Transmit_Frames", tx, "0x20") : kNeverSentTx);
        click("Btn_PROFIBUS_GSD");
        QCOMPARE(prompts.questions().size(), 1);
        const QString question = prompts.questions().front();
        const QStringList lines = question.split('\n');
        QCOMPARE(lines.front(), text(570));
        QCOMPARE(lines.back(), text(571));
        QCOMPARE(lines.filter(": Identifier and type already used in row ").size(),
                 std::min(errors, QuestionErrorLines));
        const int more = errors - QuestionErrorLines;
        if (more > 0) {
            QVERIFY2(lines.contains(QString("... and %1 more").arg(more)), qPrintable(question));
            QVERIFY(lines.contains(text(582)));
        } else {
            QVERIFY2(!question.contains(" more"), qPrintable(question));
        }

        // The real box with that text, on the program's own prompts.
        QtPrompts real(w);
        QSize size;
        bool noIsDefault = false;
        // A message box carries no objectName.
        const auto box = WhenModal("", [&](QWidget* modal) {
            auto* mb = qobject_cast<QMessageBox*>(modal);
            QVERIFY(mb);
            size = mb->frameGeometry().size();
            noIsDefault = mb->defaultButton() == mb->button(QMessageBox::No);
            if (qEnvironmentVariableIsSet("KT_SHOT_DIR"))
                mb->grab().save(qEnvironmentVariable("KT_SHOT_DIR") + "/question.png");
            QTest::mouseClick(mb->button(QMessageBox::No), Qt::LeftButton);
        });
        QVERIFY(!real.confirmDestructive(question));
        QVERIFY(noIsDefault);
        QVERIFY2(size.height() <= 768 && size.width() <= 1024,
                 qPrintable(QString("%1x%2").arg(size.width()).arg(size.height())));
    }

    void questionBeforeUpdateDevice() {
        openProject(kFaultyRx, kNeverSentTx);
        prompts.confirmAnswers << false;
        click("Btn_CreateBin");
        QCOMPARE(prompts.questions().size(), 1);
        QVERIFY(!std::filesystem::exists(state().ProjectDir / "bin" / "bank1.bin"));
    }

    void followsChangeLanguage() {
        state().Lang.Set_Text(500, "Projekt prüfen");
        state().Lang.Set_Text(503, "Befunde");
        w->Change_Language();
        QCOMPARE(w->FCheckProject()->windowTitle(), QString("Projekt prüfen"));
        QCOMPARE(w->FCheckProject()->findChild<QTabWidget*>("TS_Check")->tabText(0),
                 QString("Befunde"));
        QCOMPARE(w->findChild<QPushButton*>("Btn_Check_Project")->text(),
                 QString("Projekt prüfen"));
    }
};

QTEST_MAIN(TstCheckProject)
#include "tst_checkProject.moc"
