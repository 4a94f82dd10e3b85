// The communication settings dialog driven through its controls.

#include "FakePrompts.h"
#include "ProjectFixture.h"
#include "editors/UParGen.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>

#include <memory>

using namespace kt;
using namespace kt::test;

namespace {
std::string ParGenXml(const std::string& baud, const std::string& id, const std::string& map) {
    return "<Par_Gen><CAN_BAUDRATE>" + baud + "</CAN_BAUDRATE><PROFIBUS_ID_Device>" + id +
           "</PROFIBUS_ID_Device><PROFIBUS_GDS_CAN_Mapping>" + map +
           "</PROFIBUS_GDS_CAN_Mapping></Par_Gen><!--SW_VERSION = 1.000-->";
}
} // namespace

class TstParGen : public QObject {
    Q_OBJECT

    std::unique_ptr<ProjectFixture> fx;
    FakePrompts prompts;

    std::unique_ptr<TFParGen> open() {
        auto d = std::make_unique<TFParGen>(fx->state, prompts);
        d->show();
        d->activateWindow();
        [&] { QVERIFY(QTest::qWaitForWindowActive(d.get())); }();
        return d;
    }
    template <class T> static T* child(QWidget& d, const char* name) {
        T* w = d.findChild<T*>(name);
        [&] { QVERIFY2(w, name); }();
        return w;
    }
    static void press(QWidget& d, const char* name) {
        QTest::mouseClick(child<QPushButton>(d, name), Qt::LeftButton);
    }
    static void typeAddress(QWidget& d, const QString& text) {
        auto* e = child<QLineEdit>(d, "E_PROFIBUS_IDDevice");
        e->setFocus();
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Delete);
        QTest::keyClicks(e, text);
    }
    std::string file() const { return ReadFile(fx->state.Files.ParGenFile); }

private slots:
    void init() {
        fx = std::make_unique<ProjectFixture>();
        prompts.clear();
    }

    void newProjectShowsDefaultsAndOkWritesThem() {
        auto d = open();
        QCOMPARE(child<QComboBox>(*d, "CB_CAN_Baudrate")->currentText(), QString("1000K"));
        QCOMPARE(child<QComboBox>(*d, "CB_CAN_Baudrate")->count(), 10);
        QCOMPARE(child<QLineEdit>(*d, "E_PROFIBUS_IDDevice")->text(), QString("10"));
        QVERIFY(!child<QCheckBox>(*d, "CB_PROFIBUS_CAN_Mapping")->isChecked());
        auto* pb = child<QComboBox>(*d, "CB_PROFIBUS_Baudrate");
        QVERIFY(!pb->isEnabled());
        QCOMPARE(pb->currentText(), QString("Auto Baudrate"));
        QCOMPARE(d->width(), 460);
        press(*d, "Btn_OK");
        QCOMPARE(d->result(), int(QDialog::Accepted));
        QCOMPARE(file(), ParGenXml("9", "10", "0"));
        QVERIFY(prompts.calls.isEmpty());
    }

    void address_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("zero") << "0" << false;
        QTest::newRow("126") << "126" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("letters") << "abc" << false;
        QTest::newRow("trailing blank") << "12 " << false;
        QTest::newRow("one") << "1" << true;
        QTest::newRow("125") << "125" << true;
        QTest::newRow("leading blanks") << "  7" << true;
        QTest::newRow("hex 125") << "0x7D" << true;
    }
    void address() {
        QFETCH(QString, typed);
        QFETCH(bool, accepted);
        auto d = open();
        typeAddress(*d, typed);
        press(*d, "Btn_OK");
        if (accepted) {
            QVERIFY(prompts.errors().isEmpty());
            QCOMPARE(file(), ParGenXml("9", typed.toStdString(), "0"));
        } else {
            QCOMPARE(prompts.errors(), QStringList{fx->text(416)});
            QVERIFY(d->isVisible());
            QCOMPARE(child<QLineEdit>(*d, "E_PROFIBUS_IDDevice")->text(), typed);
            QVERIFY(!std::filesystem::exists(fx->state.Files.ParGenFile));
        }
    }

    void readsTheStoredValues_data() {
        QTest::addColumn<QString>("xml");
        QTest::addColumn<int>("baud");
        QTest::addColumn<QString>("id");
        QTest::addColumn<bool>("mapping");
        QTest::newRow("stored") << QString::fromStdString(ParGenXml("4", "33", "1")) << 4 << "33"
                                << true;
        QTest::newRow("baud not a number")
            << QString::fromStdString(ParGenXml("abc", "33", "0")) << 9 << "33" << false;
        QTest::newRow("mapping with blank")
            << QString::fromStdString(ParGenXml("0", "3", " 1")) << 0 << "3" << false;
        QTest::newRow("no address") << "<Par_Gen><CAN_BAUDRATE>2</CAN_BAUDRATE>"
                                       "<PROFIBUS_GDS_CAN_Mapping>1</PROFIBUS_GDS_CAN_Mapping>"
                                       "</Par_Gen>"
                                    << 2 << "10" << true;
        QTest::newRow("baud out of range")
            << QString::fromStdString(ParGenXml("12", "5", "0")) << -1 << "5" << false;
    }
    void readsTheStoredValues() {
        QFETCH(QString, xml);
        QFETCH(int, baud);
        QFETCH(QString, id);
        QFETCH(bool, mapping);
        WriteFile(fx->state.Files.ParGenFile, xml.toStdString());
        auto d = open();
        QCOMPARE(child<QComboBox>(*d, "CB_CAN_Baudrate")->currentIndex(), baud);
        QCOMPARE(child<QLineEdit>(*d, "E_PROFIBUS_IDDevice")->text(), id);
        QCOMPARE(child<QCheckBox>(*d, "CB_PROFIBUS_CAN_Mapping")->isChecked(), mapping);
        QVERIFY(!d->Is_Change());
        press(*d, "Btn_Cancel");
        QVERIFY(prompts.calls.isEmpty());
    }

    void noSelectedBaudStoresTheDefault() {
        WriteFile(fx->state.Files.ParGenFile, ParGenXml("-3", "5", "1"));
        auto d = open();
        press(*d, "Btn_OK");
        QCOMPARE(file(), ParGenXml("9", "5", "1"));
    }

    void editsAreSaved() {
        auto d = open();
        auto* baud = child<QComboBox>(*d, "CB_CAN_Baudrate");
        baud->setFocus();
        QTest::keyClick(baud, Qt::Key_Up); // 1000K -> 800K
        QTest::mouseClick(child<QCheckBox>(*d, "CB_PROFIBUS_CAN_Mapping"), Qt::LeftButton);
        typeAddress(*d, "42");
        press(*d, "Btn_OK");
        QCOMPARE(file(), ParGenXml("8", "42", "1"));
    }

    void cancelAsksOnlyAfterAChange_data() {
        QTest::addColumn<QString>("change");
        QTest::newRow("baud") << "baud";
        QTest::newRow("address") << "address";
        QTest::newRow("mapping") << "mapping";
    }
    void cancelAsksOnlyAfterAChange() {
        QFETCH(QString, change);
        WriteFile(fx->state.Files.ParGenFile, ParGenXml("4", "33", "0"));
        const std::string before = file();
        auto d = open();
        if (change == "baud") {
            auto* baud = child<QComboBox>(*d, "CB_CAN_Baudrate");
            baud->setFocus();
            QTest::keyClick(baud, Qt::Key_Down);
        } else if (change == "address") {
            typeAddress(*d, "33"); // the same text again still counts
        } else {
            QTest::mouseClick(child<QCheckBox>(*d, "CB_PROFIBUS_CAN_Mapping"), Qt::LeftButton);
        }
        prompts.confirmAnswers = {false};
        press(*d, "Btn_Cancel");
        QCOMPARE(prompts.destructiveQuestions(), QStringList{fx->text(417)});
        QVERIFY(d->isVisible());
        prompts.confirmAnswers = {true};
        press(*d, "Btn_Cancel");
        QVERIFY(!d->isVisible());
        QCOMPARE(d->result(), int(QDialog::Rejected));
        QCOMPARE(file(), before);
    }

    void closeBoxDiscardsWithoutAsking() {
        auto d = open();
        typeAddress(*d, "99");
        QVERIFY(d->close());
        QVERIFY(prompts.calls.isEmpty());
        QVERIFY(!std::filesystem::exists(fx->state.Files.ParGenFile));
    }

    // Fault: Tab from the bit-rate list landed on a stop that showed no focus and swallowed
    // what was typed. Every stop is a visible control, in the window's order.
    void everyTabStopIsAVisibleControl() {
        auto d = open();
        child<QComboBox>(*d, "CB_CAN_Baudrate")->setFocus();
        QStringList stops;
        for (int i = 0; i < 6; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget* w = QApplication::focusWidget();
            QVERIFY(w);
            QVERIFY2(w->isVisible(), qPrintable(w->objectName()));
            stops << w->objectName();
        }
        QCOMPARE(stops, (QStringList{"E_PROFIBUS_IDDevice", "CB_PROFIBUS_CAN_Mapping", "Btn_OK",
                                     "Btn_Cancel", "CB_CAN_Baudrate", "E_PROFIBUS_IDDevice"}));
        // What is typed after the bit-rate list reaches the next field.
        child<QComboBox>(*d, "CB_CAN_Baudrate")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClicks(QApplication::focusWidget(), "42");
        QCOMPARE(child<QLineEdit>(*d, "E_PROFIBUS_IDDevice")->text(), QString("42"));
    }

    void enterPressesOk_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("address");
        QTest::addColumn<int>("result"); // -1: stays open
        const int ok = QDialog::Accepted;
        QTest::newRow("in the bit-rate list") << "CB_CAN_Baudrate"
                                              << "12" << ok;
        QTest::newRow("in the address") << "E_PROFIBUS_IDDevice"
                                        << "12" << ok;
        QTest::newRow("on the check box") << "CB_PROFIBUS_CAN_Mapping"
                                          << "12" << ok;
        QTest::newRow("on OK") << "Btn_OK"
                               << "12" << ok;
        QTest::newRow("bad address stays open") << "E_PROFIBUS_IDDevice"
                                                << "0" << -1;
        // Cancel with the focus presses Cancel, whose question is answered No.
        QTest::newRow("on Cancel") << "Btn_Cancel"
                                   << "12" << -1;
    }
    void enterPressesOk() {
        QFETCH(QString, control);
        QFETCH(QString, address);
        QFETCH(int, result);
        auto d = open();
        typeAddress(*d, address);
        auto* w = d->findChild<QWidget*>(control);
        QVERIFY(w);
        w->setFocus();
        prompts.confirmAnswers = {false};
        QTest::keyClick(w, Qt::Key_Return);
        QCOMPARE(d->isVisible(), result < 0);
        QCOMPARE(std::filesystem::exists(fx->state.Files.ParGenFile), result == QDialog::Accepted);
        if (result == QDialog::Accepted)
            QCOMPARE(file(), ParGenXml("9", address.toStdString(), "0"));
        if (address == "0") QCOMPARE(prompts.errors(), QStringList{fx->text(416)});
        if (control == "Btn_Cancel")
            QCOMPARE(prompts.destructiveQuestions(), QStringList{fx->text(417)});
    }

    void failedSaveKeepsTheDialogAndTheInput() {
        std::filesystem::create_directories(fx->state.Files.ParGenFile); // cannot be a file now
        auto d = open();
        // The folder is reported on opening, then the save fails.
        QCOMPARE(prompts.errors().size(), 1);
        QVERIFY(prompts.errors()[0].contains("ParGen.xml"));
        typeAddress(*d, "77");
        press(*d, "Btn_OK");
        QCOMPARE(prompts.errors().size(), 2);
        QVERIFY(prompts.errors()[1].contains("ParGen.xml"));
        QVERIFY(d->isVisible());
        QCOMPARE(child<QLineEdit>(*d, "E_PROFIBUS_IDDevice")->text(), QString("77"));
    }

    void unreadableFileIsReportedAndShowsDefaults() {
        WriteFile(fx->state.Files.ParGenFile, "<Par_Gen><CAN_BAUDRATE>4");
        auto d = open();
        QCOMPARE(prompts.errors().size(), 1);
        QVERIFY(prompts.errors()[0].contains("ParGen.xml"));
        QCOMPARE(child<QComboBox>(*d, "CB_CAN_Baudrate")->currentIndex(), 9);
        QCOMPARE(child<QLineEdit>(*d, "E_PROFIBUS_IDDevice")->text(), QString("10"));
    }

    void widthStaysAt460() {
        auto d = open();
        d->resize(700, 420);
        QCOMPARE(d->width(), 460);
        QCOMPARE(d->height(), 420);
    }

    void wheelScrollsThePanelGroupByTheSystemLines() {
        auto d = open();
        d->resize(460, 230); // the panels no longer fit
        auto* cpg = child<QScrollArea>(*d, "CPG");
        QScrollBar* bar = cpg->verticalScrollBar();
        QVERIFY(bar->maximum() > 3 * bar->singleStep());
        const int lines = QApplication::wheelScrollLines();
        QWidget* over = child<QComboBox>(*d, "CB_CAN_Baudrate");
        const int index = child<QComboBox>(*d, "CB_CAN_Baudrate")->currentIndex();
        const QPoint local = over->rect().center();
        QWheelEvent down(local, over->mapToGlobal(local), {}, {0, -120}, Qt::NoButton, {},
                         Qt::NoScrollPhase, false);
        QApplication::sendEvent(over, &down);
        QVERIFY(down.isAccepted());
        QCOMPARE(bar->value(), std::min(bar->maximum(), lines * bar->singleStep()));
        QCOMPARE(child<QComboBox>(*d, "CB_CAN_Baudrate")->currentIndex(), index);

        QWidget* viewport = cpg->viewport();
        const QPoint middle = viewport->rect().center();
        QWheelEvent up(middle, viewport->mapToGlobal(middle), {}, {0, 120}, Qt::NoButton, {},
                       Qt::NoScrollPhase, false);
        QApplication::sendEvent(viewport, &up);
        QCOMPARE(bar->value(), 0);

        // Outside the group the wheel is left to the window.
        QWidget* ok = child<QPushButton>(*d, "Btn_OK");
        const QPoint onOk = ok->rect().center();
        QWheelEvent outside(onOk, ok->mapToGlobal(onOk), {}, {0, -120}, Qt::NoButton, {},
                            Qt::NoScrollPhase, false);
        QApplication::sendEvent(ok, &outside);
        QCOMPARE(bar->value(), 0);
    }

    void wheelFollowsTheSystemSetting_data() {
        QTest::addColumn<int>("lines");
        QTest::newRow("one") << 1;
        QTest::newRow("five") << 5;
    }
    void wheelFollowsTheSystemSetting() {
        QFETCH(int, lines);
        const auto restore = qScopeGuard([before = QApplication::wheelScrollLines()] {
            QApplication::setWheelScrollLines(before);
        });
        QApplication::setWheelScrollLines(lines);
        auto d = open();
        d->resize(460, 170); // room for little more than the panel titles
        QScrollBar* bar = child<QScrollArea>(*d, "CPG")->verticalScrollBar();
        QVERIFY(bar->maximum() > 5 * bar->singleStep());
        QWidget* over = child<QScrollArea>(*d, "CPG")->viewport();
        const QPoint local = over->rect().center();
        QWheelEvent down(local, over->mapToGlobal(local), {}, {0, -120}, Qt::NoButton, {},
                         Qt::NoScrollPhase, false);
        down.setAccepted(false);
        QApplication::sendEvent(over, &down);
        QVERIFY(down.isAccepted());
        QCOMPARE(bar->value(), lines * bar->singleStep());
    }

    // Every text of the window from its own ID: each ID of the block gets a text of its own.
    void eachControlShowsItsText_data() {
        QTest::addColumn<QString>("control"); // objectName; empty for the window itself
        QTest::addColumn<QString>("property");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, const char* control, const char* property,
                            const QString& expected) {
            QTest::newRow(name) << control << property << expected;
        };
        row("title", "", "windowTitle", "T400");
        row("description", "L_SW_Desc", "text", "T401");
        row("OK caption", "Btn_OK", "text", "T402");
        row("Cancel caption", "Btn_Cancel", "text", "T403");
        row("OK hint", "Btn_OK", "toolTip", "T404");
        row("Cancel hint", "Btn_Cancel", "toolTip", "T405");
        row("CAN panel", "CP_CAN_Header", "text", "1. T406");
        row("CAN baud label", "L_CAN_Baudrate", "text", "T407");
        row("CAN baud hint", "CB_CAN_Baudrate", "toolTip", "T408");
        row("PROFIBUS panel", "CP_PROFIBUS_Header", "text", "2. T409");
        row("address label", "L_PROFIBUS_IDDevice", "text", "T410");
        row("address hint", "E_PROFIBUS_IDDevice", "toolTip", "T411");
        row("PROFIBUS baud label", "L_PROFIBUS_Baudrate", "text", "T412");
        row("PROFIBUS baud hint", "CB_PROFIBUS_Baudrate", "toolTip", "T413");
        row("mapping caption", "CB_PROFIBUS_CAN_Mapping", "text", "T414");
        row("mapping hint", "CB_PROFIBUS_CAN_Mapping", "toolTip", "T415");
        row("SwCode", "L_SW_Code", "text", "KT52903");
    }
    void eachControlShowsItsText() {
        QFETCH(QString, control);
        QFETCH(QString, property);
        QFETCH(QString, expected);
        for (int id = 400; id < 500; ++id)
            fx->state.Lang.Set_Text(id, "T" + std::to_string(id));
        TFParGen d(fx->state, prompts);
        QObject* o = control.isEmpty() ? &d : d.findChild<QObject*>(control);
        QVERIFY2(o, qPrintable(control));
        QCOMPARE(o->property(qPrintable(property)).toString(), expected);
    }

    void textsComeFromTheTable() {
        fx->state.Lang.Set_Text(400, "Comunicazione");
        fx->state.Lang.Set_Text(414, "Mappatura");
        auto d = open();
        QCOMPARE(d->windowTitle(), QString("Comunicazione"));
        QCOMPARE(child<QCheckBox>(*d, "CB_PROFIBUS_CAN_Mapping")->text(), QString("Mappatura"));
        QCOMPARE(child<QLineEdit>(*d, "E_PROFIBUS_IDDevice")->toolTip(), fx->text(411));
        fx->state.Lang.Set_Text(400, "Kommunikation");
        d->Set_Lang();
        QCOMPARE(d->windowTitle(), QString("Kommunikation"));
    }
};

QTEST_MAIN(TstParGen)
#include "tst_parGen.moc"
