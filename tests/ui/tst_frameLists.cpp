// The receive and transmit frame list dialogs driven through their grid and buttons.

#include "FakePrompts.h"
#include "GridDriver.h"
#include "ModalHelper.h"
#include "ProjectFixture.h"
#include "editors/UCAN_Bytes_SWAP.h"
#include "editors/UComon.h"
#include "editors/UFrameTableModel.h"
#include "editors/UReceiveCAN.h"
#include "editors/UTransmitCAN.h"

#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
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

// The file the three frames of typedFramesAreSavedOnOk give.
const std::string kThreeFrames =
    "<Receive_Frames>"
    "<row COBID=\"0x123\" CAN_Type=\"2.0A (11 bits)\" Dim=\"8\" SWAP=\"0\" "
    "TimeOut=\"1000\" Mnemonic=\"Motor speed\"/>"
    "<row COBID=\" 5000\" CAN_Type=\"2.0B (29 bits)\" Dim=\"2\" SWAP=\"0\" "
    "TimeOut=\"1000\" Mnemonic=\"\"/>"
    "<row COBID=\"7\" CAN_Type=\"2.0B (29 bits)\" Dim=\"1\" SWAP=\"0\" "
    "TimeOut=\"1000\" Mnemonic=\"Valve 2\"/>"
    "</Receive_Frames>" +
    kComment;

std::vector<FrameRow> RowsOf(const FrameList& list) {
    std::vector<FrameRow> rows;
    for (int r = 0; r < FrameList::Rows; ++r)
        rows.push_back(list.row(r));
    return rows;
}

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
        // The folder is reported on opening, then the save fails.
        QCOMPARE(prompts.errors().size(), 1);
        QVERIFY(prompts.errors()[0].contains("CAN_Rec_Frames.xml"));
        fillReceive(*d, 0, "7", 0, "1", "kept");
        press(*d, "Btn_OK");
        QCOMPARE(prompts.errors().size(), 2);
        QVERIFY(!prompts.errors()[1].trimmed().isEmpty());
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
        QCOMPARE(prompts.destructiveQuestions(), QStringList{fx->text(1735) + "1"});
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
        QCOMPARE(prompts.destructiveQuestions(), QStringList{fx->text(text) + suffix});
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
        QCOMPARE(prompts.destructiveQuestions(), QStringList{fx->text(1500)});
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
        QCOMPARE(grid->currentIndex(), g.at(row, 3)); // the row, in the column that was current
        for (int c = 1; c < grid->model()->columnCount(); ++c)
            QVERIFY(grid->selectionModel()->isSelected(g.at(row, c)));
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
        QTest::addColumn<QString>(
            "control"); // objectName, "" for the window, "column" for the grid
        QTest::addColumn<QString>("property"); // for "column": header or hint
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("expected");
        const char* buttons[] = {"Btn_OK",      "Btn_Cancel",   "Btn_DelRow",    "Btn_InsRow",
                                 "Btn_CopyRow", "Btn_PasteRow", "Btn_CreateSWAP"};
        for (const bool receive : {true, false}) {
            const int base = receive ? 1700 : 1800;
            const int columns = receive ? 7 : 9;
            const char* list = receive ? "rx" : "tx";
            const auto T = [](int id) { return QString("T%1").arg(id); };
            QTest::addRow("%s title", list) << receive << ""
                                            << "windowTitle" << 0 << T(base);
            QTest::addRow("%s description", list) << receive << "L_SW_Desc"
                                                  << "text" << 0 << T(base + 1);
            for (int i = 0; i < 7; ++i) {
                QTest::addRow("%s %s caption", list, buttons[i])
                    << receive << buttons[i] << "text" << 0 << T(base + 2 + i);
                QTest::addRow("%s %s hint", list, buttons[i])
                    << receive << buttons[i] << "toolTip" << 0 << T(base + 9 + i);
            }
            for (int c = 0; c < columns; ++c)
                QTest::addRow("%s header %d", list, c) << receive << "column"
                                                       << "header" << c << T(base + 16 + c);
            // The Type column's hint also names its typed keys.
            for (int c = 1; c < columns; ++c)
                QTest::addRow("%s hint %d", list, c)
                    << receive << "column"
                    << "hint" << c
                    << T(base + 16 + columns + c - 1) + (c == 2 ? "\n" + T(base + 53) : "");
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
        QString shown = o->property(qPrintable(property)).toString();
        if (property == "text") shown.remove('&'); // the accelerator mark
        QCOMPARE(shown, expected);
    }

    // Fault: Tab from the last column went to column N, where digits searched the row numbers.
    void typedSessionLandsEveryValueInItsRow_data() {
        QTest::addColumn<bool>("receive");
        QTest::newRow("receive") << true;
        QTest::newRow("transmit") << false;
    }
    void typedSessionLandsEveryValueInItsRow() {
        QFETCH(bool, receive);
        std::unique_ptr<TFrameListDialog> d = openList(receive);
        GridDriver g(*d->Grid());
        g.go(0, 1);
        QStringList keys;
        for (int r = 0; r < 30; ++r) {
            const QString n = QString::number(r + 1);
            keys << QString::number(100 + r) << "<Tab>" << (r % 2 ? "B" : "11") << "<Tab>"
                 << QString::number(r % 8 + 1) << "<Tab>"
                 << "0"
                 << "<Tab>";
            if (receive)
                keys << "1" + n << "<Tab>";
            else
                keys << "<Space>"
                     << "<Tab>"
                     << "<Tab>"
                     << "2" + n << "<Tab>";
            keys << "Motor " + n << "<Tab>";
        }
        // Tab from the last cell of row 30 stays there: the next text goes into that cell, not
        // over row 1's CobID.
        keys << "999"
             << "<Return>";
        GridDriver::keys(keys);
        const int last = receive ? 6 : 8;
        QCOMPARE(d->Grid()->currentIndex(), g.at(29, last));
        for (int r = 0; r < 30; ++r) {
            const QString n = QString::number(r + 1);
            QCOMPARE(g.cell(r, 1), QString::number(100 + r));
            QCOMPARE(g.cell(r, 2), QString(r % 2 ? CanType29 : CanType11));
            QCOMPARE(g.cell(r, 3), QString::number(r % 8 + 1));
            QCOMPARE(g.cell(r, 4), QString("0"));
            QCOMPARE(g.cell(r, 5), receive ? "1" + n : QString("Y"));
            if (!receive) {
                QCOMPARE(g.cell(r, 6), QString());
                QCOMPARE(g.cell(r, 7), "2" + n);
            }
            QCOMPARE(g.cell(r, last), r == 29 ? QString("999") : "Motor " + n);
        }
    }

    // The keystrokes of the fault report, verbatim.
    void reportedKeystrokesStayInRowsOneAndTwo() {
        auto d = open<TFReceiveCAN>();
        GridDriver g(*d->Grid());
        GridDriver::keys({"100", "<Tab>", "2", "<Tab>", "8", "<Tab>", "0", "<Tab>", "0", "<Tab>",
                          "Motor", "<Tab>", "200", "<Tab>", "300", "<Return>"});
        QCOMPARE(d->Frames().row(0), (FrameRow{"100", "", "8", "0", "0", "Motor"}));
        QCOMPARE(g.cell(1, 1), QString("200"));
        for (int r = 2; r < 30; ++r)
            QCOMPARE(d->Frames().row(r), FrameRow(6));
    }

    void columnNIsNeverCurrent_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("toRow");
        QTest::addColumn<int>("toColumn");
        const int none = Qt::NoModifier;
        QTest::newRow("left from CobID") << 4 << 1 << int(Qt::Key_Left) << none << 4 << 1;
        QTest::newRow("left") << 4 << 4 << int(Qt::Key_Left) << none << 4 << 3;
        QTest::newRow("home") << 4 << 5 << int(Qt::Key_Home) << none << 4 << 1;
        QTest::newRow("ctrl home")
            << 4 << 5 << int(Qt::Key_Home) << int(Qt::ControlModifier) << 0 << 1;
        QTest::newRow("tab at the end") << 4 << 6 << int(Qt::Key_Tab) << none << 5 << 1;
        // Tab stops at either end of the list rather than wrap round onto a filled row.
        QTest::newRow("tab at row 30") << 29 << 6 << int(Qt::Key_Tab) << none << 29 << 6;
        QTest::newRow("shift tab at CobID")
            << 4 << 1 << int(Qt::Key_Backtab) << int(Qt::ShiftModifier) << 3 << 6;
        QTest::newRow("shift tab at row 1")
            << 0 << 1 << int(Qt::Key_Backtab) << int(Qt::ShiftModifier) << 0 << 1;
        QTest::newRow("end") << 4 << 2 << int(Qt::Key_End) << none << 4 << 6;
    }
    void columnNIsNeverCurrent() {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, toRow);
        QFETCH(int, toColumn);
        auto d = open<TFReceiveCAN>();
        GridDriver g(*d->Grid());
        g.go(row, column);
        QTest::keyClick(d->Grid(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(d->Grid()->currentIndex(), g.at(toRow, toColumn));
        GridDriver::keys({"42", "<Return>"});
        QCOMPARE(g.cell(toRow, toColumn), QString("42"));
    }

    // Faults: one Escape closed the dialog and dropped every edit; the close box still does
    // so without the question Escape asks.
    void discardAsksOnlyWhenTheRowsChanged_data() {
        QTest::addColumn<bool>("closeBox"); // else Escape
        QTest::addColumn<QString>("edit"); // "", "typed", "typed and undone", "still in the editor"
        QTest::addColumn<bool>("answer");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("closed");
        for (const bool closeBox : {false, true}) {
            const char* way = closeBox ? "close box" : "Escape";
            QTest::addRow("%s, no edits", way) << closeBox << "" << false << false << true;
            QTest::addRow("%s, edits, No", way) << closeBox << "typed" << false << true << false;
            QTest::addRow("%s, edits, Yes", way) << closeBox << "typed" << true << true << true;
            QTest::addRow("%s, edits undone", way)
                << closeBox << "typed and undone" << false << false << true;
        }
        // (Escape in a cell editor only ends the edit: escapeInACellEditorOnlyEndsTheEdit.)
        QTest::newRow("close box, text still in the editor, No")
            << true << "still in the editor" << false << true << false;
    }
    void discardAsksOnlyWhenTheRowsChanged() {
        QFETCH(bool, closeBox);
        QFETCH(QString, edit);
        QFETCH(bool, answer);
        QFETCH(bool, asked);
        QFETCH(bool, closed);
        WriteFile(fx->state.Files.SendFramesFile,
                  "<Transmit_Frames><row COBID=\"1\" CAN_Type=\"\" Dim=\"8\" SWAP=\"0\" "
                  "OnChange=\"N\" OnTimer=\"N\" Time=\"\" Mnemonic=\"m\"/></Transmit_Frames>");
        const std::string before = ReadFile(fx->state.Files.SendFramesFile);
        auto d = open<TFTransmitCAN>();
        GridDriver g(*d->Grid());
        QCOMPARE(d->windowTitle(), fx->text(1800));
        if (edit.startsWith("typed")) {
            g.type(0, 8, "changed");
            QCOMPARE(d->windowTitle(), fx->text(1800) + "*");
        }
        if (edit.endsWith("undone")) {
            QTest::keyClick(d->Grid(), Qt::Key_Z, Qt::ControlModifier);
            QCOMPARE(d->windowTitle(), fx->text(1800));
        }
        if (edit == "still in the editor") {
            g.go(0, 8);
            GridDriver::keys({"changed"});
            QVERIFY(qobject_cast<QLineEdit*>(QApplication::focusWidget()));
        }
        prompts.confirmAnswers = {answer};
        if (closeBox) {
            // The way the window system's close box closes a window.
            QVERIFY(d->windowHandle());
            d->windowHandle()->close();
            QApplication::processEvents();
        } else {
            QTest::keyClick(d->Grid(), Qt::Key_Escape);
        }
        QCOMPARE(prompts.destructiveQuestions(),
                 asked ? QStringList{fx->text(1842)} : QStringList{});
        QCOMPARE(prompts.calls.size(), asked ? 1 : 0);
        QCOMPARE(d->isVisible(), !closed);
        QCOMPARE(d->result(), int(QDialog::Rejected));
        if (!closed) QCOMPARE(g.cell(0, 8), QString("changed"));
        QCOMPARE(ReadFile(fx->state.Files.SendFramesFile), before);
    }

    void escapeInACellEditorOnlyEndsTheEdit() {
        auto d = open<TFReceiveCAN>();
        GridDriver g(*d->Grid());
        g.type(0, 6, "kept");
        g.go(0, 1);
        GridDriver::keys({"12", "<Escape>"});
        QVERIFY(d->isVisible());
        QVERIFY(prompts.calls.isEmpty());
        QCOMPARE(g.cell(0, 1), QString());
        QCOMPARE(g.cell(0, 6), QString("kept"));
    }

    // Every kind of change is one step; undoing all and redoing all gives back each state.
    void undoAndRedoRestoreEveryStep() {
        auto d = open<TFTransmitCAN>();
        GridDriver g(*d->Grid());
        std::vector<std::vector<FrameRow>> states{RowsOf(d->Frames())};
        const auto step = [&] { states.push_back(RowsOf(d->Frames())); };
        g.type(0, 1, "0x10");
        step();
        g.pick(0, 2, 1);
        step();
        g.type(0, 3, "8");
        step();
        g.click(0, 6);
        step();
        g.go(0, 1);
        press(*d, "Btn_CopyRow");
        g.go(2, 1);
        press(*d, "Btn_PasteRow");
        step();
        g.go(0, 1);
        press(*d, "Btn_InsRow");
        step();
        prompts.confirmAnswers = {true};
        g.go(1, 4);
        press(*d, "Btn_DelRow");
        step();
        QGuiApplication::clipboard()->setText("5\tA\t2\n6\tB\t3\n");
        g.go(4, 1);
        QTest::keyClick(d->Grid(), Qt::Key_V, Qt::ControlModifier);
        step();
        d->Grid()->selectionModel()->select(QItemSelection(g.at(4, 2), g.at(5, 3)),
                                            QItemSelectionModel::ClearAndSelect);
        QTest::keyClick(d->Grid(), Qt::Key_Delete);
        step();
        swap.answer = 0x21;
        g.go(4, 1);
        g.type(4, 3, "4");
        step();
        g.pick(4, 2, 0);
        step();
        g.go(4, 4);
        press(*d, "Btn_CreateSWAP");
        QCOMPARE(swap.opened.size(), 1);
        step();
        for (std::size_t i = 1; i < states.size(); ++i)
            QVERIFY2(states[i] != states[i - 1],
                     qPrintable(QString("step %1 changed nothing").arg(i)));

        for (std::size_t i = states.size() - 1; i > 0; --i) {
            QTest::keyClick(d->Grid(), Qt::Key_Z, Qt::ControlModifier);
            QVERIFY2(RowsOf(d->Frames()) == states[i - 1],
                     qPrintable(QString("undo to %1").arg(i - 1)));
        }
        QCOMPARE(d->windowTitle(), fx->text(1800));
        for (std::size_t i = 1; i < states.size(); ++i) {
            QTest::keyClick(d->Grid(), i % 2 ? Qt::Key_Y : Qt::Key_Z,
                            i % 2 ? Qt::ControlModifier : Qt::ControlModifier | Qt::ShiftModifier);
            QVERIFY2(RowsOf(d->Frames()) == states[i], qPrintable(QString("redo to %1").arg(i)));
        }
        QCOMPARE(d->windowTitle(), fx->text(1800) + "*");

        // A new showing starts with an empty history.
        d->hide();
        d->show();
        QTest::keyClick(d->Grid(), Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(RowsOf(d->Frames()) == states.front());
    }

    void replaceRowsIsOneStep() {
        auto d = open<TFReceiveCAN>();
        GridDriver g(*d->Grid());
        g.type(0, 1, "1");
        QVERIFY(d->Model().replaceRows(
            28, {{"2", CanType11, "8", "0", "0", "a"}, {"3", "", "1", "0", "0", "b"}, {"lost"}}));
        QCOMPARE(g.cell(28, 6), QString("a"));
        QCOMPARE(g.cell(29, 1), QString("3"));
        QTest::keyClick(d->Grid(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(g.cell(28, 1), QString());
        QCOMPARE(g.cell(29, 1), QString());
        QCOMPARE(g.cell(0, 1), QString("1"));
    }

    // Three rows pasted from a spreadsheet save the same file as the three typed ones.
    void pastedRowsSaveWhatTypedRowsSave_data() {
        QTest::addColumn<bool>("paste");
        QTest::newRow("typed") << false;
        QTest::newRow("pasted") << true;
    }
    void pastedRowsSaveWhatTypedRowsSave() {
        QFETCH(bool, paste);
        auto d = open<TFReceiveCAN>();
        if (paste) {
            QGuiApplication::clipboard()->setText(
                "0x123\t2.0A (11 bits)\t8\t0\t1000\tMotor speed\r\n"
                " 5000\tB\t2\t0\t1000\t\r\n"
                "7\t29\t1\t0\t1000\tValve 2\r\n");
            GridDriver(*d->Grid()).go(0, 1);
            QTest::keyClick(d->Grid(), Qt::Key_V, Qt::ControlModifier);
        } else {
            fillReceive(*d, 0, "0x123", 0, "8", "Motor speed");
            fillReceive(*d, 1, " 5000", 1, "2", "");
            fillReceive(*d, 2, "7", 1, "1", "Valve 2");
        }
        QTest::keyClick(d->Grid(), Qt::Key_Return, Qt::ControlModifier);
        QVERIFY(prompts.errors().isEmpty());
        QCOMPARE(d->result(), int(QDialog::Accepted));
        QCOMPARE(ReadFile(fx->state.Files.RecFramesFile), kThreeFrames);
    }

    void clipboardCopiesPastesAndClearsCells() {
        auto d = open<TFTransmitCAN>();
        GridDriver g(*d->Grid());
        g.type(0, 1, "1");
        g.type(0, 3, "8");
        g.click(0, 5);
        g.type(1, 8, "two");
        auto* sel = d->Grid()->selectionModel();
        sel->select(QItemSelection(g.at(0, 3), g.at(1, 5)), QItemSelectionModel::ClearAndSelect);
        g.go(0, 3);
        sel->select(QItemSelection(g.at(0, 3), g.at(1, 5)), QItemSelectionModel::ClearAndSelect);
        QTest::keyClick(d->Grid(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("8\t\tY\n\t\t\n"));

        // A block that fits lands with its first cell on the current one; nothing reaches
        // column N.
        QGuiApplication::clipboard()->setText("a\tb\nd\te\n");
        g.go(28, 7);
        QTest::keyClick(d->Grid(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(g.cell(28, 7), QString("a"));
        QCOMPARE(g.cell(29, 8), QString("e"));
        QCOMPARE(g.cell(0, 7), QString());
        QCOMPARE(g.at(29, 0).data().toInt(), 30);
        QVERIFY(prompts.errors().isEmpty());
        QGuiApplication::clipboard()->setText("b\n");
        g.go(29, 8);
        QTest::keyClick(d->Grid(), Qt::Key_V, Qt::ControlModifier);

        sel->select(QItemSelection(g.at(0, 1), g.at(1, 8)), QItemSelectionModel::ClearAndSelect);
        QTest::keyClick(d->Grid(), Qt::Key_Delete);
        QCOMPARE(d->Frames().row(0), FrameRow(8));
        QCOMPARE(d->Frames().row(1), FrameRow(8));
        QCOMPARE(g.cell(29, 8), QString("b"));
    }

    void typeColumnFromTheKeyboard_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("expected");
        QTest::newRow("A") << "A" << CanType11;
        QTest::newRow("b") << "b" << CanType29;
        QTest::newRow("11") << "11" << CanType11;
        QTest::newRow("29") << "29" << CanType29;
        QTest::newRow("unknown key") << "x"
                                     << "";
    }
    void typeColumnFromTheKeyboard() {
        QFETCH(QString, keys);
        QFETCH(QString, expected);
        auto d = open<TFReceiveCAN>();
        GridDriver g(*d->Grid());
        g.go(3, 2);
        d->Grid()->setFocus();
        GridDriver::keys({keys, "<Tab>"});
        QCOMPARE(g.cell(3, 2), expected);
        QCOMPARE(g.cell(3, 3), QString());
    }

    // Fault: in the Type cell the first Down picked and ended the edit, the second moved to
    // the next row, and the Dimension typed after Tab landed one row lower.
    void typeCellKeysNeverMoveTheRow_data() {
        QTest::addColumn<bool>("receive");
        QTest::addColumn<int>("startColumn");
        QTest::addColumn<QString>("filledType"); // the Type before the keys
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("dim");
        QTest::addColumn<bool>("jump"); // EnableJumpFieldTables: Enter takes and moves right
        const QString a = CanType11, b = CanType29;
        QTest::newRow("rx with the Enter jump: Down, Down, Enter, 4")
            << true << 2 << QString()
            << QStringList{"<Down>", "<Down>", "<Return>", "4", "<Return>"} << b << "4" << true;
        for (const bool receive : {true, false}) {
            const char* list = receive ? "rx" : "tx";
            QTest::addRow("%s tab in from a CobID edit, Down, Down, Tab, 8", list)
                << receive << 1 << QString()
                << QStringList{"100", "<Tab>", "<Down>", "<Down>", "<Tab>", "8", "<Return>"} << b
                << "8" << false;
            QTest::addRow("%s tab in, Down, Down, Tab, 8", list)
                << receive << 1 << QString()
                << QStringList{"<Tab>", "<Down>", "<Down>", "<Tab>", "8", "<Return>"} << b << "8"
                << false;
            QTest::addRow("%s Down, Down, Up, Enter", list)
                << receive << 2 << QString() << QStringList{"<Down>", "<Down>", "<Up>", "<Return>"}
                << a << "" << false;
            QTest::addRow("%s Up on a filled Type, Tab, 3", list)
                << receive << 2 << b << QStringList{"<Up>", "<Up>", "<Tab>", "3", "<Return>"} << a
                << "3" << false;
            QTest::addRow("%s Escape drops the pick", list)
                << receive << 2 << a << QStringList{"<Down>", "<Escape>"} << a << "" << false;
        }
    }
    void typeCellKeysNeverMoveTheRow() {
        QFETCH(bool, jump);
        fx->state.Settings.EnableJumpFieldTables = jump;
        QFETCH(bool, receive);
        QFETCH(int, startColumn);
        QFETCH(QString, filledType);
        QFETCH(QStringList, keys);
        QFETCH(QString, type);
        QFETCH(QString, dim);
        std::unique_ptr<TFrameListDialog> d = openList(receive);
        GridDriver g(*d->Grid());
        if (!filledType.isEmpty()) g.pick(4, 2, filledType == CanType11 ? 0 : 1);
        g.go(4, startColumn);
        GridDriver::keys(keys);
        QCOMPARE(d->Grid()->currentIndex().row(), 4);
        QCOMPARE(g.cell(4, 2), type);
        QCOMPARE(g.cell(4, 3), dim);
        const int fields = receive ? 6 : 8;
        for (const int r : {3, 5})
            QCOMPARE(d->Frames().row(r), FrameRow(std::size_t(fields)));
    }

    // Fault: paste clipped a block at the list's edge and wrote what no cell editor would take,
    // e.g. receive rows into the transmit list put the TimeOut into OnChange.
    void refusedPasteChangesNothing_data() {
        QTest::addColumn<bool>("receive");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QList<int>>("message"); // text IDs; -1: the value that follows
        QTest::addColumn<QStringList>("values");
        const QString rxRows = "0x100\tA\t8\t0\t1000\tMotor\r\n0x101\tB\t8\t0\t0\tPump\r\n";
        QTest::newRow("receive rows into transmit from CobID")
            << false << 0 << 1 << rxRows << QList<int>{1848, -1, 1849, 1821, 1850, -1, 1852}
            << QStringList{"1", "1000"};
        QTest::newRow("receive rows into transmit from SWAP")
            << false << 0 << 4 << rxRows << QList<int>{1844, -1, 1845, -1, 1846}
            << QStringList{"6", "5"};
        QTest::newRow("five rows at row 28")
            << true << 27 << 1 << rxRows + rxRows + "7\tA\t8\t0\t0\t\n"
            << QList<int>{1744, -1, 1747, -1, 1746} << QStringList{"5", "3"};
        QTest::newRow("unknown type in the second row")
            << true << 2 << 1 << "0x100\tA\t8\t0\t0\tm\n0x18FF0999\textended\t8\t0\t0\tx\n"
            << QList<int>{1748, -1, 1749, 1718, 1750, -1, 1751} << QStringList{"4", "extended"};
        QTest::newRow("no yes or no for OnTimer")
            << false << 5 << 5 << "Y\tmaybe\n"
            << QList<int>{1848, -1, 1849, 1822, 1850, -1, 1852} << QStringList{"6", "maybe"};
    }
    void refusedPasteChangesNothing() {
        QFETCH(bool, receive);
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, clipboard);
        QFETCH(QList<int>, message);
        QFETCH(QStringList, values);
        // Column names as the German table has them, so the message shows the header text.
        fx->state.Lang.Set_Text(1718, "Typ");
        fx->state.Lang.Set_Text(1821, "\xC3\x84nderung");
        fx->state.Lang.Set_Text(1822, "Zyklisch");
        if (receive)
            WriteFile(fx->state.Files.RecFramesFile, kThreeFrames);
        else
            WriteFile(fx->state.Files.SendFramesFile,
                      "<Transmit_Frames><row COBID=\"1\" CAN_Type=\"2.0A (11 bits)\" Dim=\"8\" "
                      "SWAP=\"0\" OnChange=\"Y\" OnTimer=\"N\" Time=\"\" Mnemonic=\"m\"/>"
                      "</Transmit_Frames>");
        std::unique_ptr<TFrameListDialog> d = openList(receive);
        const std::vector<FrameRow> before = RowsOf(d->Frames());
        GridDriver g(*d->Grid());
        QGuiApplication::clipboard()->setText(clipboard);
        g.go(row, column);
        QTest::keyClick(d->Grid(), Qt::Key_V, Qt::ControlModifier);
        QString expected;
        for (const int id : message)
            expected += id < 0 ? values.takeFirst() : fx->text(id);
        QCOMPARE(prompts.errors(), QStringList{expected});
        QVERIFY(RowsOf(d->Frames()) == before);
        QCOMPARE(d->Model().undoStack().count(), 0);
        QVERIFY(!d->windowTitle().endsWith('*'));
    }

    void pickListOpensOnF2AndAltDown_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("F2") << int(Qt::Key_F2) << int(Qt::NoModifier);
        QTest::newRow("Alt+Down") << int(Qt::Key_Down) << int(Qt::AltModifier);
    }
    void pickListOpensOnF2AndAltDown() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        auto d = open<TFReceiveCAN>();
        GridDriver g(*d->Grid());
        g.go(3, 2);
        QTest::keyClick(d->Grid(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        auto* combo = d->Grid()->findChild<QComboBox*>("CB_CAN_Type");
        QVERIFY(combo);
        QTRY_VERIFY(combo->view()->isVisible());
        QTest::keyClick(combo->view(), Qt::Key_Down);
        QTest::keyClick(combo->view(), Qt::Key_Return);
        QTRY_COMPARE(g.cell(3, 2), QString(CanType29));
        QCOMPARE(d->Grid()->currentIndex(), g.at(3, 2));
    }

    void ctrlEnterIsOk() {
        auto d = open<TFReceiveCAN>();
        GridDriver g(*d->Grid());
        fillReceive(*d, 0, "1", 0, "9", ""); // Dimension 9: refused
        QTest::keyClick(d->Grid(), Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(prompts.errors(), QStringList{fx->text(1729) + "1" + fx->text(1732)});
        QVERIFY(d->isVisible());
        // From inside a cell editor: the typed text is part of what is saved.
        g.go(0, 3);
        QTest::keyClicks(d->Grid(), "8");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter, Qt::ControlModifier);
        QCOMPARE(prompts.errors().size(), 1);
        QCOMPARE(d->result(), int(QDialog::Accepted));
        QVERIFY(ReadFile(fx->state.Files.RecFramesFile).find("Dim=\"8\"") != std::string::npos);
    }

    void buttonsHaveDistinctAccelerators() {
        auto d = open<TFTransmitCAN>();
        QString used;
        QChar cancel;
        for (const char* name : {"Btn_OK", "Btn_Cancel", "Btn_DelRow", "Btn_InsRow", "Btn_CopyRow",
                                 "Btn_PasteRow", "Btn_CreateSWAP"}) {
            auto* b = d->findChild<QPushButton*>(name);
            const int at = b->text().indexOf('&');
            QVERIFY2(at >= 0 && at + 1 < b->text().size(), name);
            const QChar key = b->text()[at + 1].toUpper();
            QVERIFY2(!used.contains(key), name);
            used += key;
            if (QString(name) == "Btn_Cancel") cancel = key;
            if (QString(name) == "Btn_OK" || QString(name) == "Btn_Cancel")
                continue; // they close the dialog: Cancel is tried last
            QSignalSpy clicked(b, &QPushButton::clicked);
            prompts.confirmAnswers = {false};
            QTest::keyClick(d->Grid(), Qt::Key(key.unicode()), Qt::AltModifier);
            QTRY_COMPARE(clicked.count(), 1); // an accelerator clicks with a short animation
        }
        QTest::keyClick(d->Grid(), Qt::Key(cancel.unicode()), Qt::AltModifier);
        QTRY_VERIFY(!d->isVisible());
        QCOMPARE(d->result(), int(QDialog::Rejected));
    }

    // Fault: a blank-CobID row lost its other fields on OK without a word.
    void blankCobIdRowWithDataIsRefused_data() {
        QTest::addColumn<bool>("receive");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text"); // empty: click the check box
        QTest::newRow("rx mnemonic") << true << 6 << "kept";
        QTest::newRow("tx mnemonic") << false << 8 << "kept";
        QTest::newRow("tx check box") << false << 6 << "";
    }
    void blankCobIdRowWithDataIsRefused() {
        QFETCH(bool, receive);
        QFETCH(int, column);
        QFETCH(QString, text);
        std::unique_ptr<TFrameListDialog> d = openList(receive);
        GridDriver g(*d->Grid());
        if (receive) {
            fillReceive(*d, 0, "1", 0, "8", "");
        } else {
            g.type(0, 1, "1");
            g.type(0, 3, "8");
            g.type(0, 4, "0");
        }
        if (text.isEmpty())
            g.click(1, column);
        else
            g.type(1, column, text);
        press(*d, "Btn_OK");
        QCOMPARE(prompts.errors(), QStringList{fx->text(receive ? 1729 : 1833) + "2" +
                                               fx->text(receive ? 1739 : 1843)});
        QVERIFY(d->isVisible());
    }

    void autoSizeFitsTheWholeTextAndMnemonicShrinks() {
        fx->state.Settings.DoubleClickAutoSize = true;
        auto d = open<TFReceiveCAN>();
        FrameGridView* grid = d->Grid();
        GridDriver g(*grid);
        g.pick(0, 2, 0);
        g.type(0, 6, "ab");
        QHeaderView* header = grid->horizontalHeader();
        const auto dclick = [&](int column) {
            QTest::mouseDClick(
                header->viewport(), Qt::LeftButton, {},
                QPoint(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                       header->height() / 2));
        };
        // The text room a cell leaves: its width less the grid line and the text margins.
        const int margin =
            grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1;
        const auto room = [&](int column) { return grid->columnWidth(column) - 1 - 2 * margin; };
        for (const int column : {2, 3}) {
            dclick(column);
            QVERIFY(header->sectionSizeHint(column) <= grid->columnWidth(column));
        }
        QVERIFY(grid->fontMetrics().horizontalAdvance(CanType11) <= room(2));
        const int wide = grid->columnWidth(6);
        dclick(6);
        QVERIFY(grid->columnWidth(6) < wide);
        QCOMPARE(grid->columnWidth(6),
                 std::max(header->sectionSizeHint(6),
                          grid->fontMetrics().horizontalAdvance("ab") + 1 + 2 * margin));
    }

    // The production questions that throw work away have No as their default button.
    void destructiveQuestionDefaultsToNo() {
        QWidget owner;
        owner.show();
        QtPrompts real(&owner);
        QString defaultButton;
        const auto box1 = WhenModal("", [&](QWidget* modal) { // Qt's message boxes carry no name
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box);
            if (QAbstractButton* b = box->defaultButton())
                defaultButton = b == box->button(QMessageBox::No) ? "No" : "Yes";
            QTest::keyClick(box, Qt::Key_Return);
        });
        QVERIFY(!real.confirmDestructive("Discard?"));
        QCOMPARE(defaultButton, QString("No"));
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
