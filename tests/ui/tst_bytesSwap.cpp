// The byte swap editor driven through its toggles.

#include "ModalHelper.h"
#include "ProjectFixture.h"
#include "editors/UCAN_Bytes_SWAP.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace kt;
using kt::test::ProjectFixture;
using kt::test::WhenModal;

class TstBytesSwap : public QObject {
    Q_OBJECT

    ProjectFixture fx;

    QLabel* label(TFCAN_Bytes_SWAP& d, int n) {
        return d.findChild<QLabel*>(QString("Label%1").arg(n));
    }
    QPushButton* toggle(TFCAN_Bytes_SWAP& d, int k) {
        return d.findChild<QPushButton*>(QString("SpeedButton%1").arg(k));
    }
    // One letter a byte from the state labels: N, S(tart), W (swap), E(nd).
    QString states(TFCAN_Bytes_SWAP& d) {
        QString s;
        for (int i = 9; i <= 16; ++i) {
            const QString t = label(d, i)->text();
            s += t == "NO SWAP" ? 'N'
                 : t == "START" ? 'S'
                 : t == "SWAP"  ? 'W'
                 : t == "END"   ? 'E'
                                : '?';
        }
        return s;
    }
    QString pressed(TFCAN_Bytes_SWAP& d) {
        QString s;
        for (int k = 1; k <= 8; ++k)
            s += toggle(d, k)->isChecked() ? '1' : '0';
        return s;
    }

private slots:
    void showsTheValue_data() {
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("states");
        QTest::addColumn<QString>("toggles");
        QTest::newRow("zero") << 0x00 << "0x00"
                              << "NNNNNNNN"
                              << "00000000";
        QTest::newRow("bit0 only") << 0x01 << "0x01"
                                   << "NNNNNNNN"
                                   << "00000000";
        QTest::newRow("first three") << 0xC0 << "0xC0"
                                     << "SWENNNNN"
                                     << "11000000";
        QTest::newRow("two groups") << 0xA0 << "0xA0"
                                    << "SESENNNN"
                                    << "10100000";
        QTest::newRow("all") << 0xFF << "0xFF"
                             << "SWWWWWWE"
                             << "11111110";
    }
    void showsTheValue() {
        QFETCH(int, value);
        QFETCH(QString, label);
        QFETCH(QString, states);
        QFETCH(QString, toggles);
        TFCAN_Bytes_SWAP d(fx.state);
        d.setValue(static_cast<std::uint8_t>(value));
        d.show();
        QCOMPARE(this->label(d, 18)->text(), label);
        QCOMPARE(this->states(d), states);
        QCOMPARE(pressed(d), toggles);
        for (int i = 9; i <= 16; ++i) {
            const bool marked = this->label(d, i)->text() != "NO SWAP";
            QCOMPARE(this->label(d, i)->palette().color(QPalette::WindowText),
                     marked ? QColor(Qt::red) : QColor(Qt::black));
        }
    }

    void togglesEditTheValue() {
        TFCAN_Bytes_SWAP d(fx.state);
        d.setValue(0);
        d.show();
        QTest::mouseClick(toggle(d, 1), Qt::LeftButton);
        QTest::mouseClick(toggle(d, 2), Qt::LeftButton);
        QCOMPARE(int(d.Value()), 0xC0);
        QCOMPARE(label(d, 18)->text(), QString("0xC0"));
        QCOMPARE(states(d), QString("SWENNNNN"));

        QTest::mouseClick(toggle(d, 1), Qt::LeftButton);
        QCOMPARE(int(d.Value()), 0x40);
        QCOMPARE(states(d), QString("NSENNNNN"));
        QCOMPARE(pressed(d), QString("01000000"));
    }

    void bitZeroSurvivesEveryToggle() {
        TFCAN_Bytes_SWAP d(fx.state);
        d.setValue(0x01);
        d.show();
        QTest::mouseClick(toggle(d, 1), Qt::LeftButton);
        QCOMPARE(int(d.Value()), 0x81);
        for (int k = 1; k <= 7; ++k)
            QTest::mouseClick(toggle(d, k), Qt::LeftButton);
        QCOMPARE(int(d.Value()), 0x7F); // links 2..7 on, link 1 off again, bit 0 still set
        QCOMPARE(label(d, 18)->text(), QString("0x7F"));
    }

    void toggleEightSpringsBack() {
        TFCAN_Bytes_SWAP d(fx.state);
        d.setValue(0xA1);
        d.show();
        QTest::mouseClick(toggle(d, 8), Qt::LeftButton);
        QCOMPARE(int(d.Value()), 0xA1);
        QVERIFY(!toggle(d, 8)->isChecked());
        QCOMPARE(states(d), QString("SESENNNN"));
    }

    void okHandsBackTheEditCancelDoesNot() {
        TFCAN_Bytes_SWAP d(fx.state);
        const auto modal1 = WhenModal("FCAN_Bytes_SWAP", [this, &d](QWidget* modal) {
            QCOMPARE(modal, &d);
            QTest::mouseClick(toggle(d, 7), Qt::LeftButton);
            QTest::mouseClick(d.findChild<QPushButton*>("Btn_OK"), Qt::LeftButton);
        });
        QCOMPARE(d.Edit_Swap(0x80), std::optional<std::uint8_t>(0x82));

        const auto modal2 = WhenModal("FCAN_Bytes_SWAP", [this, &d](QWidget*) {
            QTest::mouseClick(toggle(d, 1), Qt::LeftButton);
            QTest::mouseClick(d.findChild<QPushButton*>("Btn_Cancel"), Qt::LeftButton);
        });
        QCOMPARE(d.Edit_Swap(0x80), std::optional<std::uint8_t>());
    }

    // Every text of the window from its own ID: each ID of the block gets a text of its own.
    void eachControlShowsItsText_data() {
        QTest::addColumn<QString>("control"); // objectName; empty for the window itself
        QTest::addColumn<QString>("property");
        QTest::addColumn<QString>("expected");
        QTest::newRow("title") << ""
                               << "windowTitle"
                               << "T1900";
        QTest::newRow("description") << "L_SW_Desc"
                                     << "text"
                                     << "T1901";
        QTest::newRow("OK caption") << "Btn_OK"
                                    << "text"
                                    << "T1902";
        QTest::newRow("Cancel caption") << "Btn_Cancel"
                                        << "text"
                                        << "T1903";
        QTest::newRow("OK hint") << "Btn_OK"
                                 << "toolTip"
                                 << "T1904";
        QTest::newRow("Cancel hint") << "Btn_Cancel"
                                     << "toolTip"
                                     << "T1905";
        QTest::newRow("value caption") << "Label17"
                                       << "text"
                                       << "T1906";
        for (int i = 1; i <= 8; ++i) {
            QTest::addRow("byte %d", i)
                << QString("Label%1").arg(i) << "text" << QString("T%1").arg(1906 + i);
            QTest::addRow("toggle %d", i)
                << QString("SpeedButton%1").arg(i) << "text" << QString("T%1").arg(1914 + i);
        }
        QTest::newRow("SwCode") << "L_SW_Code"
                                << "text"
                                << "KT52903";
    }
    void eachControlShowsItsText() {
        QFETCH(QString, control);
        QFETCH(QString, property);
        QFETCH(QString, expected);
        for (int id = 1900; id < 2000; ++id)
            fx.state.Lang.Set_Text(id, "T" + std::to_string(id));
        TFCAN_Bytes_SWAP d(fx.state);
        fx.state.Lang.Load_Default_Texts();
        QObject* o = control.isEmpty() ? &d : d.findChild<QObject*>(control);
        QVERIFY2(o, qPrintable(control));
        QCOMPARE(o->property(qPrintable(property)).toString(), expected);
    }

    void textsComeFromTheTable() {
        fx.state.Lang.Set_Text(1900, "Scambio");
        fx.state.Lang.Set_Text(1915, "CAMBIA");
        TFCAN_Bytes_SWAP d(fx.state);
        QCOMPARE(d.windowTitle(), QString("Scambio"));
        QCOMPARE(toggle(d, 1)->text(), QString("CAMBIA"));
        QCOMPARE(label(d, 1)->text(), fx.text(1907));
        fx.state.Lang.Load_Default_Texts();
    }
};

QTEST_MAIN(TstBytesSwap)
#include "tst_bytesSwap.moc"
