#include "TempDir.h"
#include "lang/LanguageTable.h"
#include "project/FrameList.h"

#include <gtest/gtest.h>

#include <stdexcept>

using kt::FrameKind;
using kt::FrameList;
using kt::ReceiveFrame;
using kt::TransmitFrame;
using kt::test::TempDir;

namespace {

const ReceiveFrame kRx{"291", "2.0A (11 bits)", "8", "0", "1000", "pump"};
const TransmitFrame kTx{"0x18FF0001", "2.0B (29 bits)", "4", "0x0F", "Y", "N", "", "valve"};

FrameList Receive(std::initializer_list<ReceiveFrame> rows) {
    FrameList l(FrameKind::Receive);
    int r = 0;
    for (const auto& f : rows)
        l.setReceiveFrame(r++, f);
    return l;
}

FrameList Transmit(std::initializer_list<TransmitFrame> rows) {
    FrameList l(FrameKind::Transmit);
    int r = 0;
    for (const auto& f : rows)
        l.setTransmitFrame(r++, f);
    return l;
}

FrameList Loaded(FrameKind kind, const std::string& xml) {
    TempDir dir;
    const auto file = dir.write("list.xml", xml);
    FrameList l(kind);
    EXPECT_TRUE(l.Load_Frames(file).ok());
    return l;
}

TEST(FrameList, StartsWithThirtyEmptyRows) {
    const FrameList tx(FrameKind::Transmit);
    EXPECT_EQ(tx.fieldCount(), 8);
    EXPECT_EQ(FrameList(FrameKind::Receive).fieldCount(), 6);
    for (int r = 0; r < FrameList::Rows; ++r)
        EXPECT_EQ(tx.row(r), kt::FrameRow(8));
    EXPECT_EQ(tx.FrameCount(), 0);
}

TEST(FrameList, RowAccessRejectsBadIndicesAndSizes) {
    FrameList l(FrameKind::Receive);
    EXPECT_THROW((void)l.field(30, 0), std::out_of_range);
    EXPECT_THROW((void)l.field(-1, 0), std::out_of_range);
    EXPECT_THROW((void)l.field(0, 6), std::out_of_range);
    EXPECT_THROW(l.setRow(0, kt::FrameRow(8)), std::invalid_argument);
    EXPECT_THROW((void)l.transmitFrame(0), std::logic_error);
    l.setField(29, kt::RxMnemonic, "last");
    EXPECT_EQ(l.receiveFrame(29).Mnemonic, "last");
}

TEST(FrameList, MissingFileIsAnEmptyList) {
    TempDir dir;
    FrameList l = Receive({kRx});
    EXPECT_TRUE(l.Load_Frames(dir / "CAN_Rec_Frames.xml").ok());
    EXPECT_EQ(l.row(0), kt::FrameRow(6));
}

TEST(FrameList, LoadFillsMissingAttributesWithDefaults) {
    const FrameList rx = Loaded(FrameKind::Receive, "<Receive_Frames><row COBID=\"5\" Dim=\"2\"/>"
                                                    "</Receive_Frames>");
    EXPECT_EQ(rx.receiveFrame(0), (ReceiveFrame{"5", "", "2", "", "0", ""}));
    const FrameList tx =
        Loaded(FrameKind::Transmit, "<Transmit_Frames><row COBID=\"5\"/></Transmit_Frames>");
    EXPECT_EQ(tx.transmitFrame(0), (TransmitFrame{"5", "", "", "", "N", "N", "", ""}));
    EXPECT_EQ(tx.transmitFrame(1), TransmitFrame{});
}

TEST(FrameList, LoadReadsAnyChildAndIgnoresLayoutWhitespace) {
    // Indented, with a declaration and comments; a child of another name is a frame too, a text
    // child is a frame of defaults.
    const FrameList rx = Loaded(
        FrameKind::Receive,
        "<?xml version=\"1.0\"?>\n<!-- by hand -->\n<Whatever>\n  <row COBID=\" 1\" "
        "TimeOut=\"\"/>\n"
        "  <!-- note -->\n  <frame COBID=\"2\"/>\n  text\n  <row COBID=\"3\"/>\n</Whatever>\n");
    EXPECT_EQ(rx.receiveFrame(0), (ReceiveFrame{" 1", "", "", "", "", ""}));
    EXPECT_EQ(rx.field(1, kt::RxCOBID), "2");
    EXPECT_EQ(rx.receiveFrame(2), (ReceiveFrame{"", "", "", "", "0", ""}));
    EXPECT_EQ(rx.field(3, kt::RxCOBID), "3");
    EXPECT_EQ(rx.FrameCount(), 2);
}

TEST(FrameList, IndentedEmptyListHasNoFrames) {
    const FrameList rx = Loaded(FrameKind::Receive, "<Receive_Frames>\n  \n</Receive_Frames>");
    EXPECT_EQ(rx.receiveFrame(0), ReceiveFrame{});
}

TEST(FrameList, LoadKeepsThirtyRowsAndSaveDropsTheRest) {
    TempDir dir;
    std::string xml = "<Receive_Frames>";
    for (int i = 1; i <= 31; ++i)
        xml += "<row COBID=\"" + std::to_string(i) + "\"/>";
    const auto file = dir.write("CAN_Rec_Frames.xml", xml + "</Receive_Frames>");
    FrameList l(FrameKind::Receive);
    ASSERT_TRUE(l.Load_Frames(file).ok());
    EXPECT_EQ(l.field(29, kt::RxCOBID), "30");
    ASSERT_TRUE(l.Save_Frames(file).ok());
    const std::string saved = TempDir::read(file);
    EXPECT_NE(saved.find("COBID=\"30\""), std::string::npos);
    EXPECT_EQ(saved.find("COBID=\"31\""), std::string::npos);
}

TEST(FrameList, MalformedFileFailsAndLeavesRowsEmpty) {
    TempDir dir;
    const auto file = dir.write("CAN_Send_Frames.xml", "<Transmit_Frames><row COBID=\"1\">");
    FrameList l = Transmit({kTx});
    const kt::Status s = l.Load_Frames(file);
    EXPECT_FALSE(s.ok());
    EXPECT_NE(s.message.find("CAN_Send_Frames.xml"), std::string::npos) << s.message;
    EXPECT_NE(s.message.find("Start-end tags mismatch"), std::string::npos) << s.message;
    EXPECT_EQ(l.transmitFrame(0), TransmitFrame{});
}

TEST(FrameList, SaveWritesAttributesInOrderAndStopsAtBlankCobId) {
    TempDir dir;
    FrameList tx = Transmit({kTx, {" 7", "", "1", "", "", "", "", ""}});
    tx.setTransmitFrame(3, kTx); // after the blank COBID of row 3: not saved
    ASSERT_TRUE(tx.Save_Frames(dir / "CAN_Send_Frames.xml").ok());
    EXPECT_EQ(TempDir::read(dir / "CAN_Send_Frames.xml"),
              "<Transmit_Frames><row COBID=\"0x18FF0001\" CAN_Type=\"2.0B (29 bits)\" Dim=\"4\" "
              "SWAP=\"0x0F\" OnChange=\"Y\" OnTimer=\"N\" Time=\"\" Mnemonic=\"valve\"/>"
              "<row COBID=\" 7\" CAN_Type=\"\" Dim=\"1\" SWAP=\"\" OnChange=\"\" OnTimer=\"\" "
              "Time=\"\" Mnemonic=\"\"/></Transmit_Frames><!--SW_VERSION = 1.000-->");
}

TEST(FrameList, EmptyListIsSavedAsBareRoot) {
    TempDir dir;
    ASSERT_TRUE(FrameList(FrameKind::Receive).Save_Frames(dir / "r.xml").ok());
    EXPECT_EQ(TempDir::read(dir / "r.xml"), "<Receive_Frames/><!--SW_VERSION = 1.000-->");
}

TEST(FrameList, FieldTextsRoundTripByteForByte) {
    TempDir dir;
    const ReceiveFrame odd{"  0x7FF", "2.0A (11 bits)",    "8", "\"q\" & <t>",
                           "0",       "a\r\nb\tc\nd 'ü€' "};
    const FrameList l = Receive({odd});
    ASSERT_TRUE(l.Save_Frames(dir / "r.xml").ok());
    // CR, LF and TAB become character references, so a reader cannot fold them into blanks.
    EXPECT_EQ(TempDir::read(dir / "r.xml"),
              "<Receive_Frames><row COBID=\"  0x7FF\" CAN_Type=\"2.0A (11 bits)\" Dim=\"8\" "
              "SWAP=\"&quot;q&quot; &amp; &lt;t>\" TimeOut=\"0\" "
              "Mnemonic=\"a&#13;&#10;b&#09;c&#10;d '\xC3\xBC\xE2\x82\xAC' \"/>"
              "</Receive_Frames><!--SW_VERSION = 1.000-->");
    FrameList back(FrameKind::Receive);
    ASSERT_TRUE(back.Load_Frames(dir / "r.xml").ok());
    EXPECT_EQ(back.receiveFrame(0), odd);
}

struct CheckCase {
    const char* name;
    FrameList list;
    std::string expected;
};

FrameList RxRow(const ReceiveFrame& f, int row = 0) {
    FrameList l = Receive({kRx, kRx, kRx});
    l.setReceiveFrame(row, f);
    return l;
}
FrameList TxRow(const TransmitFrame& f, int row = 0) {
    FrameList l = Transmit({kTx, kTx, kTx});
    l.setTransmitFrame(row, f);
    return l;
}

class Validation : public ::testing::TestWithParam<CheckCase> {};

TEST_P(Validation, Message) {
    const kt::LanguageTable texts = kt::LanguageTable::English();
    EXPECT_EQ(GetParam().list.Controllo_dati(texts), GetParam().expected);
}

const std::string kLost =
    "!! Row is after an empty CobID and would be lost: fill or delete the empty row";

const CheckCase kChecks[] = {
    {"EmptyListPasses", FrameList(FrameKind::Receive), ""},
    {"ValidRows", Receive({kRx, kRx}), ""},
    {"Cob11Max", RxRow({"2047", "2.0A (11 bits)", "1", "0", "0", ""}), ""},
    {"Cob11Above", RxRow({"2048", "2.0A (11 bits)", "1", "0", "0", ""}, 1),
     "Error row 2!! CobID must be between 0 and 2047"},
    {"Cob11TypeTrimmed", RxRow({"2048", " 2.0A (11 bits) ", "1", "0", "0", ""}),
     "Error row 1!! CobID must be between 0 and 2047"},
    {"Cob29AllowsAbove2047", RxRow({"2048", "2.0B (29 bits)", "1", "0", "0", ""}), ""},
    // The image stores every Type but the 2.0B entry as 11-bit: so does the validation.
    {"EmptyTypeUses11Bits", RxRow({"5000", "", "1", "0", "0", ""}),
     "Error row 1!! CobID must be between 0 and 2047"},
    {"UnknownTypeUses11Bits", RxRow({"0x18FF0999", "extended", "8", "0", "0", ""}),
     "Error row 1!! CobID must be between 0 and 2047"},
    {"EmptyTypeFitsIn11Bits", RxRow({"0x7FF", "", "1", "0", "0", ""}), ""},
    {"Cob29TypeTrimmed", RxRow({"5000", " 2.0B (29 bits)\t", "1", "0", "0", ""}), ""},
    {"TxUnknownTypeUses11Bits", TxRow({"0x800", "29 bits", "1", "0", "", "", "", ""}),
     "Error row 1!! CobID must be between 0 and 2047"},
    {"Cob11Hex", RxRow({"0x7FF", "2.0A (11 bits)", "1", "0", "0", ""}), ""},
    {"CobTrailingBlank", RxRow({"5 ", "2.0A (11 bits)", "1", "0", "0", ""}),
     "Error row 1!! CobID must be between 0 and 2047"},
    {"Cob29Max", RxRow({"0x1FFFFFFF", "2.0B (29 bits)", "1", "0", "0", ""}), ""},
    {"Cob29Above", RxRow({"0x20000000", "2.0B (29 bits)", "1", "0", "0", ""}, 2),
     "Error row 3!! CobID must be between 0x00000000 and 0x1FFFFFFF"},
    {"Cob29AllOnes", RxRow({"0xFFFFFFFF", "2.0B (29 bits)", "1", "0", "0", ""}),
     "Error row 1!! CobID must be between 0x00000000 and 0x1FFFFFFF"},
    {"DimZero", RxRow({"1", "", "0", "0", "0", ""}),
     "Error row 1!! Dimension must be between 1 and 8"},
    {"DimNine", RxRow({"1", "", "9", "0", "0", ""}),
     "Error row 1!! Dimension must be between 1 and 8"},
    {"DimEmpty", RxRow({"1", "", "", "0", "0", ""}),
     "Error row 1!! Dimension must be between 1 and 8"},
    {"SwapAbove", RxRow({"1", "", "8", "256", "0", ""}),
     "Error row 1!! SWAP must be between 0 and 255"},
    {"TimeOutAbove", RxRow({"1", "", "8", "0", "100000001", ""}),
     "Error row 1!! TimeOut must be between 0 and 100000000 milliseconds"},
    {"TimeOutEmpty", RxRow({"1", "", "8", "0", "", ""}),
     "Error row 1!! TimeOut must be between 0 and 100000000 milliseconds"},
    {"FirstFailureWins", RxRow({"x", "", "0", "999", "", ""}),
     "Error row 1!! CobID must be between 0 and 2047"},
    {"TxCob11Above", TxRow({"2048", "2.0A (11 bits)", "1", "0", "", "", "", ""}),
     "Error row 1!! CobID must be between 0 and 2047"},
    {"TxDimZero", TxRow({"1", "", "0", "0", "", "", "", ""}, 1),
     "Error row 2!! Dimension must be between 1 and 8"},
    {"TxSwapAbove", TxRow({"1", "", "8", "256", "", "", "", ""}),
     "Error row 1!! SWAP must be between 0 and 255"},
    {"TxTimerWithoutTime", TxRow({"1", "", "8", "0", "", "y", "", ""}),
     "Error row 1!! Time must be between 0 and 100000000 milliseconds"},
    {"TxTimerOffSkipsTime", TxRow({"1", "", "8", "0", "", "N", "", ""}), ""},
    {"TxTimerWithTime", TxRow({"1", "", "8", "0", "", " Y ", "100000000", ""}), ""},
    {"RowAfterBlankCobIdIsRefused", RxRow({"", "", "", "", "", ""}, 1), "Error row 3" + kLost},
    {"BlankCobIdRowWithDataIsRefused", RxRow({" ", "", "8", "", "", ""}, 2),
     "Error row 3!! Row has an empty CobID and its other fields would be lost: fill the CobID or "
     "empty the row"},
    {"BlankCobIdRowWithMnemonicOnly", RxRow({"", "", "", "", "", "m"}, 2),
     "Error row 3!! Row has an empty CobID and its other fields would be lost: fill the CobID or "
     "empty the row"},
    {"TxBlankCobIdRowWithCheckedBox", TxRow({"", "", "", "", "N", "Y", "", ""}, 2),
     "Error row 3!! Row has an empty CobID and its other fields would be lost: fill the CobID or "
     "empty the row"},
    {"TxBlankCobIdRowWithUncheckedBoxes", TxRow({"", "", "", "", "N", "N", "", ""}, 2), ""},
    {"BlanksAfterEmptyRowAreFine",
     [] {
         FrameList l = Receive({kRx});
         l.setReceiveFrame(5, {"", " ", "", "", "\t", ""});
         return l;
     }(),
     ""},
    {"TxLaterRowWithMnemonicOnly",
     [] {
         FrameList l = Transmit({kTx});
         l.setTransmitFrame(29, {"", "", "", "", "N", "N", "", "kept?"});
         return l;
     }(),
     "Error row 30!! Row is after an empty CobID and would be lost: fill or delete the empty row"},
    {"TxUncheckedBoxesAreNoData",
     [] {
         FrameList l = Transmit({kTx});
         l.setTransmitFrame(4, {"", "", "", "", "N", "N", "", ""});
         return l;
     }(),
     ""},
    {"TxCheckedBoxIsData",
     [] {
         FrameList l = Transmit({kTx});
         l.setTransmitFrame(4, {"", "", "", "", "Y", "N", "", ""});
         return l;
     }(),
     "Error row 5" + kLost},
    {"EarlierFailureBeforeLostRow",
     [] {
         FrameList l = RxRow({"1", "", "9", "0", "0", ""});
         l.setReceiveFrame(10, kRx);
         return l;
     }(),
     "Error row 1!! Dimension must be between 1 and 8"},
};

INSTANTIATE_TEST_SUITE_P(All, Validation, ::testing::ValuesIn(kChecks),
                         [](const auto& row) { return std::string(row.param.name); });

} // namespace
