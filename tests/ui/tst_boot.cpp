// The update dialog: what each opening resets, the port list and the command line it hands
// to Start_Program.

#include "FakePrompts.h"
#include "base/Identity.h"
#include "ui/UQtText.h"
#include "update/UBoot.h"
#include "update/UpdaterCommand.h"

#include <filesystem>
#include <fstream>

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace kt;

namespace {
struct Launch {
    QString program;
    QString parameter;
    bool tipo = true;
};
} // namespace

class TestBoot : public QObject {
    Q_OBJECT

    QTemporaryDir tmp_;
    AppState state_;
    test::FakePrompts prompts_;
    QList<QList<SerialPortEntry>> portAnswers_; // one list per listing, the last one repeats
    int listings_ = 0;
    QList<Launch> launches_;
    std::unique_ptr<TFBoot> dlg_;

    template <typename T> T* child(const char* name) {
        T* w = dlg_->findChild<T*>(name);
        if (!w) qFatal("no control %s", name);
        return w;
    }

    // Clicks the box itself; the widget is wider than its text.
    static void tick(QCheckBox* cb) {
        QTest::mouseClick(cb, Qt::LeftButton, {}, QPoint(6, cb->height() / 2));
    }

    void open() {
        dlg_->hide();
        dlg_->show();
        QVERIFY(QTest::qWaitForWindowExposed(dlg_.get()));
    }

private slots:
    void init() {
        state_ = AppState{};
        state_.Lang.Load_Default_Texts();
        state_.Workspace = MakeWorkspacePaths(PathOf(tmp_.filePath("kt tools")));
        state_.ProjectDir = state_.Workspace.ProjectsDir / "Plant 1";
        std::filesystem::create_directories(state_.Workspace.MasterDir);
        std::ofstream(state_.Workspace.MasterDir / FirmwareFileName) << "firmware";
        prompts_ = test::FakePrompts{};
        portAnswers_ = {{{"COM3", "COM3"}, {"COM12", "COM12"}}};
        listings_ = 0;
        launches_.clear();
        Services services{prompts_};
        services.listSerialPorts = [this] {
            const int i = std::min(listings_++, static_cast<int>(portAnswers_.size()) - 1);
            return portAnswers_[i];
        };
        dlg_ = std::make_unique<TFBoot>(state_, services,
                                        [this](const QString& p, const QString& a, bool t) {
                                            launches_.append({p, a, t});
                                        });
    }
    void cleanup() { dlg_.reset(); }

    void opening_appliesTextsAndListsPorts() {
        open();
        QCOMPARE(dlg_->width(), 449);
        QCOMPARE(child<QLabel>("L_SW_Code")->text(), QString(SwCode));
        QCOMPARE(child<QLabel>("L_CAN_COM")->text(),
                 QString("Select the COM port of USB to CAN Converter"));
        QCOMPARE(child<QToolButton>("Btn_CAN_COM_List")->toolTip(),
                 QString("Update COM Ports List"));
        auto* options = child<QComboBox>("CB_Update_Options");
        QCOMPARE(options->count(), 3);
        QCOMPARE(options->itemText(0), Q(state_.Lang.Get_Text(1615)));
        QCOMPARE(options->itemText(2), Q(state_.Lang.Get_Text(1617)));
        QCOMPARE(child<QPushButton>("Btn_Update")->text(), Q(state_.Lang.Get_Text(1620)));
        auto* ports = child<QComboBox>("CB_CAN_COM_Port");
        QCOMPARE(ports->count(), 2);
        QCOMPARE(ports->itemText(0), QString("COM3"));
        QCOMPARE(ports->itemText(1), QString("COM12"));
        QCOMPARE(ports->currentIndex(), 0);
        auto* baud = child<QComboBox>("CB_CAN_Baudrate");
        QCOMPARE(baud->count(), 12);
        QCOMPARE(baud->currentIndex(), 0);
        QCOMPARE(baud->itemText(0), QString("Search Baudrate"));
    }

    // Language texts by ID; each opening applies them, so a language change shows next time.
    void texts_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("textId");
        QTest::addColumn<int>("hintId");
        QTest::newRow("L_Update_Option") << "L_Update_Option" << 1614 << -1;
        QTest::newRow("CB_Update_Options") << "CB_Update_Options" << -1 << 1632;
        QTest::newRow("CB_Update_Option_Read_Back") << "CB_Update_Option_Read_Back" << 1618 << 1633;
        QTest::newRow("Btn_Cancel") << "Btn_Cancel" << 1619 << 1634;
        QTest::newRow("Btn_Update") << "Btn_Update" << 1620 << 1635;
    }
    void texts() {
        QFETCH(QString, control);
        QFETCH(int, textId);
        QFETCH(int, hintId);
        open();
        for (int id = 1600; id <= 1638; ++id)
            state_.Lang.Set_Text(id, "T" + std::to_string(id));
        open();
        QWidget* w = child<QWidget>(qPrintable(control));
        if (textId >= 0) {
            const QString text = qobject_cast<QLabel*>(w)
                                     ? qobject_cast<QLabel*>(w)->text()
                                     : qobject_cast<QAbstractButton*>(w)->text();
            QCOMPARE(text, QString("T%1").arg(textId));
        }
        QCOMPARE(w->toolTip(), hintId >= 0 ? QString("T%1").arg(hintId) : QString());
        auto* options = child<QComboBox>("CB_Update_Options");
        QCOMPARE(options->count(), 3);
        QCOMPARE(options->itemText(0), QString("T1615"));
        QCOMPARE(options->itemText(1), QString("T1616"));
        QCOMPARE(options->itemText(2), QString("T1617"));
    }

    void reopening_resetsOptionsButKeepsBaudRate() {
        portAnswers_ = {{{"COM3", "COM3"}}, {{"COM1", "COM1"}, {"COM7", "COM7"}}};
        open();
        child<QComboBox>("CB_CAN_Baudrate")->setCurrentIndex(8);
        child<QComboBox>("CB_Update_Options")->setCurrentIndex(2);
        tick(child<QCheckBox>("CB_Update_Option_Read_Back"));
        QVERIFY(!child<QCheckBox>("CB_Update_Option_Read_Back")->isChecked());
        open();
        QCOMPARE(child<QComboBox>("CB_CAN_Baudrate")->currentIndex(), 8);
        QCOMPARE(child<QComboBox>("CB_Update_Options")->currentIndex(), 0);
        QVERIFY(child<QCheckBox>("CB_Update_Option_Read_Back")->isChecked());
        auto* ports = child<QComboBox>("CB_CAN_COM_Port");
        QCOMPARE(ports->count(), 2);
        QCOMPARE(ports->currentText(), QString("COM1"));
    }

    void refreshButton_rebuildsTheList() {
        portAnswers_ = {{{"COM3", "COM3"}}, {{"COM4", "COM4"}, {"COM9", "COM9"}}};
        open();
        QCOMPARE(child<QComboBox>("CB_CAN_COM_Port")->count(), 1);
        QTest::mouseClick(child<QToolButton>("Btn_CAN_COM_List"), Qt::LeftButton);
        auto* ports = child<QComboBox>("CB_CAN_COM_Port");
        QCOMPARE(ports->count(), 2);
        QCOMPARE(ports->currentText(), QString("COM4"));
    }

    void update_passesTheCommandLine_data() {
        QTest::addColumn<int>("option");
        QTest::addColumn<bool>("readBack");
        QTest::addColumn<int>("baud");
        QTest::addColumn<QString>("head");
        QTest::newRow("both, read back, search") << 0 << true << 0 << "COM3 0 FW FR PW PR ";
        QTest::newRow("both, no read back") << 0 << false << 11 << "COM3 11 FW NO PW NO ";
        QTest::newRow("firmware, read back") << 1 << true << 7 << "COM3 7 FW FR NO NO ";
        QTest::newRow("configuration, no read back") << 2 << false << 1 << "COM3 1 NO NO PW NO ";
    }
    void update_passesTheCommandLine() {
        QFETCH(int, option);
        QFETCH(bool, readBack);
        QFETCH(int, baud);
        QFETCH(QString, head);
        open();
        child<QComboBox>("CB_CAN_Baudrate")->setCurrentIndex(baud);
        child<QComboBox>("CB_Update_Options")->setCurrentIndex(option);
        if (!readBack) tick(child<QCheckBox>("CB_Update_Option_Read_Back"));
        QTest::mouseClick(child<QPushButton>("Btn_Update"), Qt::LeftButton);
        QCOMPARE(launches_.size(), 1);
        const QString firmware = QPath(state_.Workspace.MasterDir / "sim52903.sim");
        const QString image = QPath(state_.ProjectDir / "bin" / "bank1.bin");
        QVERIFY(firmware.contains("kt tools"));
        QCOMPARE(launches_[0].parameter, head + "\"" + firmware + "\" \"" + image + "\"");
        QCOMPARE(launches_[0].program, QPath(state_.Workspace.ExeDir / UpdaterFileName));
        QCOMPARE(launches_[0].tipo, false);
        QVERIFY(dlg_->isVisible()); // stays open for another update
    }

    // Only an update that writes firmware needs the firmware file.
    void update_withoutFirmwareFile_data() {
        QTest::addColumn<int>("option");
        QTest::addColumn<bool>("starts");
        QTest::newRow("firmware + configuration") << 0 << false;
        QTest::newRow("firmware") << 1 << false;
        QTest::newRow("configuration") << 2 << true;
    }
    void update_withoutFirmwareFile() {
        QFETCH(int, option);
        QFETCH(bool, starts);
        const std::filesystem::path firmware = state_.Workspace.MasterDir / FirmwareFileName;
        std::filesystem::remove(firmware);
        open();
        child<QComboBox>("CB_Update_Options")->setCurrentIndex(option);
        QTest::mouseClick(child<QPushButton>("Btn_Update"), Qt::LeftButton);
        QCOMPARE(launches_.size(), starts ? 1 : 0);
        QCOMPARE(prompts_.errors(),
                 starts ? QStringList()
                        : QStringList{"Error! The firmware file is missing: " + QPath(firmware)});
    }

    void update_handsTheDevicePathNotTheShownName() {
        portAnswers_ = {{{"ttyUSB0", "/dev/ttyUSB0"}}};
        open();
        QCOMPARE(child<QComboBox>("CB_CAN_COM_Port")->currentText(), QString("ttyUSB0"));
        QTest::mouseClick(child<QPushButton>("Btn_Update"), Qt::LeftButton);
        QCOMPARE(launches_.size(), 1);
        QVERIFY(launches_[0].parameter.startsWith("/dev/ttyUSB0 0 FW FR PW PR \""));
    }

    void noPort_disablesUpdate() {
        portAnswers_ = {{}};
        open();
        QCOMPARE(child<QComboBox>("CB_CAN_COM_Port")->count(), 0);
        auto* update = child<QPushButton>("Btn_Update");
        QVERIFY(!update->isEnabled());
        dlg_->Btn_UpdateClick();
        QVERIFY(launches_.isEmpty());
        portAnswers_ = {{}, {{"COM2", "COM2"}}};
        QTest::mouseClick(child<QToolButton>("Btn_CAN_COM_List"), Qt::LeftButton);
        QVERIFY(update->isEnabled());
    }

    void cancel_closesWithoutLaunching() {
        open();
        QTest::mouseClick(child<QPushButton>("Btn_Cancel"), Qt::LeftButton);
        QVERIFY(!dlg_->isVisible());
        QCOMPARE(dlg_->result(), int(QDialog::Rejected));
        QVERIFY(launches_.isEmpty());
    }
};

QTEST_MAIN(TestBoot)
#include "tst_boot.moc"
