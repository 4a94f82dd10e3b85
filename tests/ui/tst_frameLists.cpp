// The receive and transmit frame list dialogs driven through their grid and buttons.

#include "FakePrompts.h"
#include "GridDriver.h"
#include "ModalHelper.h"
#include "ProjectFixture.h"
#include "editors/UCAN_Bytes_SWAP.h"
#include "editors/UComon.h"
#include "editors/UReceiveCAN.h"
#include "editors/UTransmitCAN.h"

#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

#include <memory>
#include <optional>

using namespace kt;
using namespace kt::test;

namespace {

// Records the values Create SWAP opens the editor with and answers from `answer`.
struct FakeSwapEditor final : SwapEditor {
    QList<int> opened;
    std::optional<std::uint8_t> answer;
    std::optional<std::uint8_t> Edit_Swap(std::uint8_t value) override {
        opened << value;
        return answer;
    }
};

const std::string kComment = "<!--SW_VERSION = 1.000-->";

} // namespace

class TstFrameLists : public QObject {
    Q_OBJECT

    std::unique_ptr<ProjectFixture> fx;
    FakePrompts prompts;
    FakeSwapEditor swap;

    template <class Dialog> std::unique_ptr<Dialog> open() {
        auto d = std::make_unique<Dialog>(fx->state, prompts, swap);
        d->show();
        d->activateWindow();
        [&] { QVERIFY(QTest::qWaitForWindowActive(d.get())); }();
        return d;
    }
    std::unique_ptr<TFrameListDialog> openList(bool receive) {
        if (receive) return open<TFReceiveCAN>();
        return open<TFTransmitCAN>();
    }
    static void press(QDialog& d, const char* name) {
        auto* b = d.findChild<QPushButton*>(name);
        QVERIFY2(b, name);
        QTest::mouseClick(b, Qt::LeftButton);
    }
    static void fillReceive(TFrameListDialog& d, int row, const QString& cobId, int type,
                            const QString& dim, const QString& mnemonic) {
        GridDriver g(*d.Grid());
        g.type(row, 1, cobId);
        g.pick(row, 2, type);
        g.type(row, 3, dim);
        g.type(row, 4, "0");
        g.type(row, 5, "1000");
        g.type(row, 6, mnemonic);
    }

private slots:
    void init() {
        fx = std::make_unique<ProjectFixture>();
        prompts.clear();
        swap.opened.clear();
        swap.answer.reset();
    }

    void showsThirtyNumberedEmptyRowsWithoutAFile() {
        auto d = open<TFTransmitCAN>();
        const QAbstractItemModel* m = d->Grid()->model();
        QCOMPARE(m->rowCount(), 30);
        QCOMPARE(m->columnCount(), 9);
        for (int r = 0; r < 30; ++r)
            QCOMPARE(m->index(r, 0).data().toInt(), r + 1);
        QVERIFY(!(m->flags(m->index(0, 0)) & Qt::ItemIsEditable));
        QCOMPARE(m->index(0, 5).data(Qt::CheckStateRole).value<Qt::CheckState>(), Qt::Unchecked);
        QCOMPARE(m->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), QString("CobID"));
        QCOMPARE(m->headerData(5, Qt::Horizontal, Qt::DisplayRole).toString(), QString("OnChange"));
        QCOMPARE(d->GridHint(0, 6), fx->text(1830));
        QCOMPARE(m->headerData(8, Qt::Horizontal, Qt::ToolTipRole).toString(), fx->text(1832));
        QCOMPARE(d->GridHint(3, 6), QString());
        QCOMPARE(d->GridHint(0, 0), QString());
        QCOMPARE(d->width(), 1100);
        QVERIFY(prompts.calls.isEmpty());
    }

    void typedFramesAreSavedOnOk() {
        auto d = open<TFReceiveCAN>();
        fillReceive(*d, 0, "0x123", 0, "8", "Motor speed");
        fillReceive(*d, 1, " 5000", 1, "2", "");
        press(*d, "Btn_OK");
        QVERIFY(prompts.errors().isEmpty());
        QCOMPARE(d->result(), int(QDialog::Accepted));
        QCOMPARE(ReadFile(fx->state.Files.RecFramesFile),
                 "<Receive_Frames>"
                 "<row COBID=\"0x123\" CAN_Type=\"2.0A (11 bits)\" Dim=\"8\" SWAP=\"0\" "
                 "TimeOut=\"1000\" Mnemonic=\"Motor speed\"/>"
                 "<row COBID=\" 5000\" CAN_Type=\"2.0B (29 bits)\" Dim=\"2\" SWAP=\"0\" "
                 "TimeOut=\"1000\" Mnemonic=\"\"/>"
                 "</Receive_Frames>" +
                     kComment);
    }

    void checkBoxesWriteYAndN() {
        auto d = open<TFTransmitCAN>();
        GridDriver g(*d->Grid());
        QSignalSpy changed(d->Grid()->model(), &QAbstractItemModel::dataChanged);
        g.click(0, 5);
        QCOMPARE(g.cell(0, 5), QString("Y"));
        QCOMPARE(changed.count(), 1);
        QVERIFY(changed[0][2].value<QList<int>>().contains(Qt::CheckStateRole));
        g.click(0, 5);
        QCOMPARE(g.cell(0, 5), QString("N"));
        g.click(0, 6);
        QCOMPARE(d->Grid()->model()->index(0, 6).data(Qt::CheckStateRole).value<Qt::CheckState>(),
                 Qt::Checked);
        QCOMPARE(d->Frames().field(0, TxOnTimer), std::string("Y"));
    }

    void clickOnACheckBoxMakesItsRowCurrent() {
        auto d = open<TFTransmitCAN>();
        GridDriver g(*d->Grid());
        g.type(4, 1, "44");
        g.go(0, 1);
        g.click(4, 6);
        QCOMPARE(d->Grid()->currentIndex(), g.at(4, 6));
        QCOMPARE(g.cell(4, 6), QString("Y"));
        press(*d, "Btn_CopyRow");
        QCOMPARE(fx->state.RowCopyBuffer.front(), std::string("44"));
    }

    void invalidListShowsTheMessageAndStaysOpen() {
        auto d = open<TFTransmitCAN>();
        GridDriver g(*d->Grid());
        g.type(0, 1, "1");
        g.pick(0, 2, 0);
        g.type(0, 3, "8");
        g.type(0, 4, "0");
        g.click(0, 6); // OnTimer on, Time empty
        press(*d, "Btn_OK");
        QCOMPARE(prompts.errors(), QStringList{fx->text(1833) + "1" + fx->text(1838)});
        QVERIFY(d->isVisible());
        QVERIFY(!std::filesystem::exists(fx->state.Files.SendFramesFile));
        QCOMPARE(g.cell(0, 1), QString("1"));
    }

    void failedSaveKeepsTheDialogAndTheRows() {
        std::filesystem::create_directories(fx->state.Files.RecFramesFile); // cannot be a file now
        auto d = open<TFReceiveCAN>();
        fillReceive(*d, 0, "7", 0, "1", "kept");
        press(*d, "Btn_OK");
        QCOMPARE(prompts.errors().size(), 1);
        QVERIFY(!prompts.errors()[0].trimmed().isEmpty());
        QVERIFY(d->isVisible());
        QCOMPARE(GridDriver(*d->Grid()).cell(0, 6), QString("kept"));
    }

    void unreadableFileIsReportedAndShowsEmptyRows() {
        WriteFile(fx->state.Files.RecFramesFile, "<Receive_Frames><row COBID=\"1\"");
        auto d = open<TFReceiveCAN>();
        QCOMPARE(prompts.errors().size(), 1);
        QVERIFY(prompts.errors()[0].contains("CAN_Rec_Frames.xml"));
        QCOMPARE(d->Frames().FrameCount(), 0);
    }

    void cancelWritesNothing() {
        auto d = open<TFReceiveCAN>();
        GridDriver(*d->Grid()).type(0, 1, "1");
        press(*d, "Btn_Cancel");
        QCOMPARE(d->result(), int(QDialog::Rejected));
        QVERIFY(!std::filesystem::exists(fx->state.Files.RecFramesFile));
        QVERIFY(prompts.calls.isEmpty());
    }

    void deleteRowAsksWithTheRowNumber() {
        auto d = open<TFReceiveCAN>();
        GridDriver g(*d->Grid());
        g.type(0, 1, "10");
        g.type(1, 1, "20");
        g.go(0, 3);
        prompts.confirmAnswers = {false};
        press(*d, "Btn_DelRow");
        QCOMPARE(prompts.questions(), QStringList{fx->text(1735) + "1"});
        QCOMPARE(g.cell(0, 1), QString("10"));
        prompts.confirmAnswers = {true};
        press(*d, "Btn_DelRow");
        QCOMPARE(g.cell(0, 1), QString("20"));
        QCOMPARE(g.cell(1, 1), QString());
        QCOMPARE(g.at(29, 0).data().toInt(), 30);
    }

    void insertRowAsksOnlyWhenTheLastRowWouldBeLost() {
        auto d = open<TFTransmitCAN>();
        GridDriver g(*d->Grid());
        g.type(0, 1, "10");
        g.go(0, 1);
        press(*d, "Btn_InsRow");
        QVERIFY(prompts.questions().isEmpty());
        QCOMPARE(g.cell(0, 1), QString());
        QCOMPARE(g.cell(1, 1), QString("10"));

        g.type(29, 8, "last frame");
        g.go(0, 1);
        prompts.confirmAnswers = {false};
        press(*d, "Btn_InsRow");
        QCOMPARE(prompts.questions(), QStringList{fx->text(1841)});
        QCOMPARE(g.cell(1, 1), QString("10"));
        QCOMPARE(g.cell(29, 8), QString("last frame"));

        prompts.confirmAnswers = {true};
        press(*d, "Btn_InsRow");
        QCOMPARE(g.cell(2, 1), QString("10"));
        QCOMPARE(g.cell(29, 8), QString());
    }

    void rowQuestionsUseTheirListsTexts_data() {
        QTest::addColumn<bool>("receive");
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("text");
        QTest::addColumn<QString>("suffix"); // the row number, where the question carries it
        QTest::newRow("rx delete") << true << "Btn_DelRow" << 1735 << "30";
        QTest::newRow("tx delete") << false << "Btn_DelRow" << 1839 << "30";
        QTest::newRow("rx insert") << true << "Btn_InsRow" << 1737 << "";
        QTest::newRow("tx insert") << false << "Btn_InsRow" << 1841 << "";
    }
    void rowQuestionsUseTheirListsTexts() {
        QFETCH(bool, receive);
        QFETCH(QString, button);
        QFETCH(int, text);
        QFETCH(QString, suffix);
        std::unique_ptr<TFrameListDialog> d = openList(receive);
        GridDriver g(*d->Grid());
        g.type(29, 1, "30");
        g.go(29, 1);
        press(*d, button.toUtf8().constData());
        QCOMPARE(prompts.questions(), QStringList{fx->text(text) + suffix});
        QCOMPARE(g.cell(29, 1), QString("30")); // answered No
    }

    void copyAndPasteRow() {
        auto d = open<TFTransmitCAN>();
        GridDriver g(*d->Grid());
        g.type(0, 1, "0x10");
        g.click(0, 6);
        g.type(0, 8, "copied");
        g.go(0, 1);
        press(*d, "Btn_CopyRow");
        QCOMPARE(fx->state.RowCopyBuffer.size(), std::size_t(8));

        g.click(3, 5); // only a check box set: no question
        g.go(3, 1);
        press(*d, "Btn_PasteRow");
        QVERIFY(prompts.questions().isEmpty());
        QCOMPARE(g.cell(3, 1), QString("0x10"));
        QCOMPARE(g.cell(3, 5), QString(""));
        QCOMPARE(g.cell(3, 6), QString("Y"));

        g.type(4, 7, "5");
        g.go(4, 1);
        prompts.confirmAnswers = {false};
        press(*d, "Btn_PasteRow");
        QCOMPARE(prompts.questions(), QStringList{fx->text(1500)});
        QCOMPARE(g.cell(4, 1), QString());
        prompts.confirmAnswers = {true};
        press(*d, "Btn_PasteRow");
        QCOMPARE(g.cell(4, 8), QString("copied"));
    }

    void pasteRefusals() {
        // Copied in an earlier showing: refused until Copy Row is used again.
        {
            auto d = open<TFReceiveCAN>();
            GridDriver(*d->Grid()).type(0, 1, "1");
            press(*d, "Btn_CopyRow");
            d->hide();
            d->show();
            press(*d, "Btn_PasteRow");
            QCOMPARE(prompts.errors(), QStringList{fx->text(1502)});
        }
        prompts.clear();
        // A receive row (6 fields) into the transmit list (8 fields).
        {
            auto rx = open<TFReceiveCAN>();
            press(*rx, "Btn_CopyRow");
            rx->hide();
            auto tx = open<TFTransmitCAN>();
            press(*tx, "Btn_CopyRow");
            fx->state.RowCopyBuffer.resize(6);
            press(*tx, "Btn_PasteRow");
            QCOMPARE(prompts.errors(), QStringList{fx->text(1501)});
        }
    }

    void createSwapPreconditions_data() {
        QTest::addColumn<QString>("cobId");
        QTest::addColumn<QString>("dim");
        QTest::addColumn<QString>("swapCell");
        QTest::addColumn<int>("opened"); // -1: editor not opened
        QTest::newRow("no dimension") << "1"
                                      << ""
                                      << "0" << -1;
        QTest::newRow("cobid not a number") << "abc"
                                            << "8"
                                            << "0" << -1;
        QTest::newRow("swap 300 reduced") << "1"
                                          << "8"
                                          << "300" << 44;
        QTest::newRow("swap empty") << "0x7FF"
                                    << "8"
                                    << "" << 0;
        QTest::newRow("swap not a number") << "1"
                                           << "3"
                                           << "ab" << 0;
    }
    void createSwapPreconditions() {
        QFETCH(QString, cobId);
        QFETCH(QString, dim);
        QFETCH(QString, swapCell);
        QFETCH(int, opened);
        auto d = open<TFReceiveCAN>();
        GridDriver g(*d->Grid());
        g.type(2, 1, cobId);
        g.pick(2, 2, 1);
        if (!dim.isEmpty()) g.type(2, 3, dim);
        if (!swapCell.isEmpty()) g.type(2, 4, swapCell);
        g.go(2, 6);
        swap.answer = std::nullopt;
        press(*d, "Btn_CreateSWAP");
        QCOMPARE(swap.opened, opened < 0 ? QList<int>{} : QList<int>{opened});
        QCOMPARE(g.cell(2, 4), swapCell);
        QVERIFY(prompts.calls.isEmpty());
    }

    void createSwapWritesTheEditorsValueOnOk() {
        fx->state.Lang.Load_Default_Texts();
        TFCAN_Bytes_SWAP editor(fx->state);
        TFReceiveCAN d(fx->state, prompts, editor);
        d.show();
        d.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        GridDriver g(*d.Grid());
        g.type(0, 1, "1");
        g.pick(0, 2, 0);
        g.type(0, 3, "8");
        g.type(0, 4, "300");
        g.go(0, 4);
        const auto modal1 = WhenModal("FCAN_Bytes_SWAP", [](QWidget* modal) {
            QCOMPARE(modal->objectName(), QString("FCAN_Bytes_SWAP"));
            QTest::mouseClick(modal->findChild<QPushButton*>("Btn_OK"), Qt::LeftButton);
        });
        press(d, "Btn_CreateSWAP");
        QCOMPARE(g.cell(0, 4), QString("0x2C"));
    }

    void enterJump_data() {
        QTest::addColumn<bool>("receive");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("toRow");
        QTest::addColumn<int>("toColumn");
        QTest::newRow("right") << true << 4 << 2 << 4 << 3;
        QTest::newRow("next row") << true << 4 << 6 << 5 << 1;
        QTest::newRow("wrap receive") << true << 29 << 6 << 0 << 1;
        QTest::newRow("wrap transmit") << false << 29 << 8 << 0 << 1;
        QTest::newRow("from check box") << false << 3 << 5 << 3 << 6;
    }
    void enterJump() {
        QFETCH(bool, receive);
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(int, toRow);
        QFETCH(int, toColumn);
        fx->state.Settings.EnableJumpFieldTables = true;
        std::unique_ptr<TFrameListDialog> d = openList(receive);
        GridDriver g(*d->Grid());
        g.go(row, column);
        QTest::keyClick(d->Grid(), Qt::Key_Return);
        QCOMPARE(d->Grid()->currentIndex(), g.at(toRow, toColumn));
    }

    void enterWhileEditingCommitsAndJumps() {
        fx->state.Settings.EnableJumpFieldTables = true;
        auto d = open<TFReceiveCAN>();
        GridDriver g(*d->Grid());
        g.type(29, 6, "end of list");
        QCOMPARE(g.cell(29, 6), QString("end of list"));
        QCOMPARE(d->Grid()->currentIndex(), g.at(0, 1));
    }

    void enterWithoutTheSettingStays() {
        auto d = open<TFReceiveCAN>();
        GridDriver g(*d->Grid());
        g.go(29, 6);
        QTest::keyClick(d->Grid(), Qt::Key_Return);
        QCOMPARE(d->Grid()->currentIndex(), g.at(29, 6));
    }

    // Wide columns scrolled sideways (and down): the header "N" and the row numbers stay at
    // the grid's left edge, a click on a number makes that row current, and a field brought
    // into view is not left under them.
    void rowNumbersStayWhenScrolledSideways_data() {
        QTest::addColumn<bool>("receive");
        QTest::addColumn<bool>("down"); // also scrolled to the last row
        QTest::addColumn<int>("row");
        QTest::newRow("rx first row") << true << false << 0;
        QTest::newRow("rx row 5") << true << false << 4;
        QTest::newRow("tx row 3") << false << false << 2;
        QTest::newRow("tx last row, scrolled down") << false << true << 29;
    }
    void rowNumbersStayWhenScrolledSideways() {
        QFETCH(bool, receive);
        QFETCH(bool, down);
        QFETCH(int, row);
        std::unique_ptr<TFrameListDialog> d = openList(receive);
        FrameGridView* grid = d->Grid();
        GridDriver g(*grid);
        for (int c = 1; c < grid->model()->columnCount(); ++c)
            grid->setColumnWidth(c, 400);
        g.go(row == 0 ? 1 : 0, 3); // another row is current before the click
        QScrollBar* across = grid->horizontalScrollBar();
        QTRY_VERIFY(across->maximum() > 0);
        across->setValue(across->maximum());
        if (down) grid->verticalScrollBar()->setValue(grid->verticalScrollBar()->maximum());
        QTest::qWait(0);

        // Whatever is drawn just inside the grid's left edge, in the header and in the row.
        const int left = grid->viewport()->x() + 2;
        const QPoint headerAt(left, grid->horizontalHeader()->geometry().center().y());
        auto* header = qobject_cast<QHeaderView*>(grid->childAt(headerAt)->parentWidget());
        QVERIFY(header);
        QCOMPARE(header->logicalIndexAt(header->viewport()->mapFrom(grid, headerAt)), 0);
        const int y = grid->rowViewportPosition(row) + grid->rowHeight(row) / 2;
        QVERIFY(y > 0 && y < grid->viewport()->height());
        const QPoint rowAt = grid->viewport()->mapTo(grid, QPoint(2, y));
        QWidget* under = grid->childAt(rowAt);
        auto* shown = qobject_cast<QAbstractItemView*>(under->parentWidget());
        QVERIFY(shown && shown->viewport() == under);
        const QModelIndex number = shown->indexAt(under->mapFrom(grid, rowAt));
        QCOMPARE(number.column(), 0);
        QCOMPARE(number.data().toInt(), row + 1);

        QTest::mouseClick(under, Qt::LeftButton, {}, under->mapFrom(grid, rowAt));
        QCOMPARE(grid->currentIndex().row(), row);
        QCOMPARE(across->value(), across->maximum()); // the click does not scroll back
        prompts.confirmAnswers = {false};
        press(*d, "Btn_DelRow");
        QCOMPARE(prompts.questions(),
                 QStringList{fx->text(receive ? 1735 : 1839) + QString::number(row + 1)});

        g.go(row, 1);
        QVERIFY(grid->visualRect(g.at(row, 1)).left() >= grid->columnWidth(0));
    }

    void headerDoubleClickAutoSizes_data() {
        QTest::addColumn<bool>("setting");
        QTest::addColumn<bool>("onBorder"); // on the column's right border instead of its middle
        QTest::newRow("on") << true << false;
        QTest::newRow("off") << false << false;
        QTest::newRow("on, border") << true << true;
        QTest::newRow("off, border") << false << true;
    }
    void headerDoubleClickAutoSizes() {
        QFETCH(bool, setting);
        QFETCH(bool, onBorder);
        fx->state.Settings.DoubleClickAutoSize = setting;
        auto d = open<TFReceiveCAN>();
        GridDriver g(*d->Grid());
        const QString longText(60, QChar('W'));
        g.type(7, 1, longText);
        const int before = d->Grid()->columnWidth(1);
        QHeaderView* header = d->Grid()->horizontalHeader();
        const int x = header->sectionViewportPosition(1) + (onBorder ? before - 1 : before / 2);
        const QPoint at(x, header->height() / 2);
        QTest::mouseDClick(header->viewport(), Qt::LeftButton, {}, at);
        const int textWidth = d->Grid()->fontMetrics().horizontalAdvance(longText);
        if (setting) {
            QVERIFY(d->Grid()->columnWidth(1) >= textWidth);
            QVERIFY(d->Grid()->columnWidth(1) < textWidth + 20);
        } else {
            QCOMPARE(d->Grid()->columnWidth(1), before);
        }
        // A double click on a data cell never resizes.
        const int now = d->Grid()->columnWidth(1);
        QTest::mouseDClick(d->Grid()->viewport(), Qt::LeftButton, {},
                           d->Grid()->visualRect(g.at(3, 1)).center());
        QCOMPARE(d->Grid()->columnWidth(1), now);
    }

    // Every caption, hint and column header from its own ID: each ID of both blocks gets a
    // text of its own.
    void eachControlShowsItsText_data() {
        QTest::addColumn<bool>("receive");
        QTest::addColumn<QString>("control"); // objectName, "" for the window, "column" for the grid
        QTest::addColumn<QString>("property"); // for "column": header or hint
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("expected");
        const char* buttons[] = {"Btn_OK",     "Btn_Cancel",   "Btn_DelRow",    "Btn_InsRow",
                                 "Btn_CopyRow", "Btn_PasteRow", "Btn_CreateSWAP"};
        for (const bool receive : {true, false}) {
            const int base = receive ? 1700 : 1800;
            const int columns = receive ? 7 : 9;
            const char* list = receive ? "rx" : "tx";
            const auto T = [](int id) { return QString("T%1").arg(id); };
            QTest::addRow("%s title", list) << receive << "" << "windowTitle" << 0 << T(base);
            QTest::addRow("%s description", list)
                << receive << "L_SW_Desc" << "text" << 0 << T(base + 1);
            for (int i = 0; i < 7; ++i) {
                QTest::addRow("%s %s caption", list, buttons[i])
                    << receive << buttons[i] << "text" << 0 << T(base + 2 + i);
                QTest::addRow("%s %s hint", list, buttons[i])
                    << receive << buttons[i] << "toolTip" << 0 << T(base + 9 + i);
            }
            for (int c = 0; c < columns; ++c)
                QTest::addRow("%s header %d", list, c)
                    << receive << "column" << "header" << c << T(base + 16 + c);
            for (int c = 1; c < columns; ++c)
                QTest::addRow("%s hint %d", list, c)
                    << receive << "column" << "hint" << c << T(base + 16 + columns + c - 1);
        }
    }
    void eachControlShowsItsText() {
        QFETCH(bool, receive);
        QFETCH(QString, control);
        QFETCH(QString, property);
        QFETCH(int, column);
        QFETCH(QString, expected);
        for (int id = 1700; id < 1900; ++id)
            fx->state.Lang.Set_Text(id, "T" + std::to_string(id));
        std::unique_ptr<TFrameListDialog> d;
        if (receive)
            d = std::make_unique<TFReceiveCAN>(fx->state, prompts, swap);
        else
            d = std::make_unique<TFTransmitCAN>(fx->state, prompts, swap);
        if (control == "column") {
            const QAbstractItemModel* m = d->Grid()->model();
            if (property == "header") {
                QCOMPARE(m->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString(),
                         expected);
            } else {
                QCOMPARE(d->GridHint(0, column), expected);
                QCOMPARE(m->headerData(column, Qt::Horizontal, Qt::ToolTipRole).toString(),
                         expected);
            }
            return;
        }
        QObject* o = control.isEmpty() ? d.get() : d->findChild<QObject*>(control);
        QVERIFY2(o, qPrintable(control));
        QCOMPARE(o->property(qPrintable(property)).toString(), expected);
    }

    void setLangRelabels() {
        auto d = open<TFTransmitCAN>();
        fx->state.Lang.Set_Text(1800, "Trasmissione");
        fx->state.Lang.Set_Text(1824, "Descrizione");
        fx->state.Lang.Set_Text(1825, "Hint CobID");
        d->Set_Lang();
        QCOMPARE(d->windowTitle(), QString("Trasmissione"));
        QCOMPARE(d->Grid()->model()->headerData(8, Qt::Horizontal).toString(),
                 QString("Descrizione"));
        QCOMPARE(d->GridHint(0, 1), QString("Hint CobID"));
        QCOMPARE(d->Hints().size(), 8);
    }
};

QTEST_MAIN(TstFrameLists)
#include "tst_frameLists.moc"
