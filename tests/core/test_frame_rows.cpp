#include "editors/FrameRows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using kt::FrameKind;
using kt::FrameList;
using kt::PasteCheck;

// A receive list whose row r holds COBID "r+1" and Mnemonic "m<r+1>".
FrameList Numbered() {
    FrameList list(FrameKind::Receive);
    for (int r = 0; r < FrameList::Rows; ++r)
        list.setRow(
            r, {std::to_string(r + 1), kt::CanType11, "8", "0", "0", "m" + std::to_string(r + 1)});
    return list;
}

std::vector<std::string> Column0(const FrameList& list) {
    std::vector<std::string> out;
    for (int r = 0; r < FrameList::Rows; ++r)
        out.push_back(list.field(r, 0));
    return out;
}

TEST(FrameRows, DeleteShiftsUpAndEmptiesTheLastRow) {
    FrameList list = Numbered();
    kt::Grid_Delete_Row(list, 0);
    EXPECT_EQ(list.field(0, 0), "2");
    EXPECT_EQ(list.field(28, 5), "m30");
    EXPECT_EQ(list.row(29), kt::FrameRow(6));

    FrameList last = Numbered();
    kt::Grid_Delete_Row(last, 29);
    EXPECT_EQ(last.field(28, 0), "29");
    EXPECT_EQ(last.row(29), kt::FrameRow(6));
}

TEST(FrameRows, InsertShiftsDownAndDropsTheLastRow) {
    FrameList list = Numbered();
    kt::Grid_Insert_Row(list, 0);
    std::vector<std::string> expected{""};
    for (int i = 1; i < FrameList::Rows; ++i)
        expected.push_back(std::to_string(i));
    EXPECT_EQ(Column0(list), expected);
    EXPECT_EQ(list.row(0), kt::FrameRow(6));

    FrameList last = Numbered();
    kt::Grid_Insert_Row(last, 29);
    EXPECT_EQ(last.field(28, 0), "29");
    EXPECT_EQ(last.row(29), kt::FrameRow(6));
}

TEST(FrameRows, InsertDropsLastRowOnlyWhenItHoldsSomething) {
    FrameList list(FrameKind::Transmit);
    EXPECT_FALSE(kt::InsertDropsLastRow(list));
    list.setField(29, kt::TxCOBID, "  ");
    EXPECT_FALSE(kt::InsertDropsLastRow(list));
    list.setField(29, kt::TxMnemonic, "kept note");
    EXPECT_TRUE(kt::InsertDropsLastRow(list));
    list.setField(29, kt::TxMnemonic, "");
    list.setField(29, kt::TxOnTimer, "N");
    EXPECT_FALSE(kt::InsertDropsLastRow(list));
    list.setField(29, kt::TxOnTimer, "Y");
    EXPECT_TRUE(kt::InsertDropsLastRow(list));
}

TEST(FrameRows, CopyTakesEveryFieldEmptyOnesIncluded) {
    FrameList list(FrameKind::Transmit);
    list.setRow(3, {"5", kt::CanType29, "", "0x10", "Y", "", "100", "x"});
    EXPECT_EQ(kt::Grid_Copy_Row(list, 3),
              (std::vector<std::string>{"5", kt::CanType29, "", "0x10", "Y", "", "100", "x"}));
}

struct PasteCase {
    const char* name;
    FrameKind kind;
    bool copied;
    std::size_t bufferSize;
    int field; // field of the target row to fill, -1 none
    const char* text;
    PasteCheck expected;
};

class Paste : public testing::TestWithParam<PasteCase> {};

TEST_P(Paste, RefusesOrAsksAsTheRowRequires) {
    const PasteCase& c = GetParam();
    FrameList list(c.kind);
    if (c.field >= 0) list.setField(4, c.field, c.text);
    const std::vector<std::string> buffer(c.bufferSize, "v");
    EXPECT_EQ(kt::CheckPaste(list, 4, c.copied, buffer), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, Paste,
                         testing::Values(PasteCase{"NothingCopied", FrameKind::Receive, false, 6,
                                                   -1, "", PasteCheck::NothingCopied},
                                         PasteCase{"TransmitRowIntoReceive", FrameKind::Receive,
                                                   true, 8, -1, "", PasteCheck::WrongShape},
                                         PasteCase{"ReceiveRowIntoTransmit", FrameKind::Transmit,
                                                   true, 6, -1, "", PasteCheck::WrongShape},
                                         PasteCase{"EmptyTarget", FrameKind::Receive, true, 6, -1,
                                                   "", PasteCheck::Free},
                                         PasteCase{"BlanksOnly", FrameKind::Receive, true, 6,
                                                   kt::RxMnemonic, "   ", PasteCheck::Free},
                                         PasteCase{"MnemonicInUse", FrameKind::Receive, true, 6,
                                                   kt::RxMnemonic, "a", PasteCheck::RowInUse},
                                         PasteCase{"CheckBoxesOnly", FrameKind::Transmit, true, 8,
                                                   kt::TxOnChange, "Y", PasteCheck::Free},
                                         PasteCase{"TimeInUse", FrameKind::Transmit, true, 8,
                                                   kt::TxTime, "5", PasteCheck::RowInUse}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(FrameRows, PasteWritesCheckBoxFieldsToo) {
    FrameList list(FrameKind::Transmit);
    list.setField(0, kt::TxOnChange, "N");
    const std::vector<std::string> buffer{"1", kt::CanType11, "2", "0", "Y", "Y", "10", "m"};
    kt::Grid_Paste_Row(list, 0, buffer);
    EXPECT_EQ(list.row(0), buffer);
}

struct SwapCase {
    const char* name;
    const char* cobId;
    const char* type;
    const char* dim;
    bool allowed;
};

class CreateSwap : public testing::TestWithParam<SwapCase> {};

TEST_P(CreateSwap, NeedsAFilledRowWithNumbers) {
    const SwapCase& c = GetParam();
    FrameList list(FrameKind::Receive);
    list.setField(2, kt::RxCOBID, c.cobId);
    list.setField(2, kt::RxCAN_Type, c.type);
    list.setField(2, kt::RxDim, c.dim);
    EXPECT_EQ(kt::CanCreateSwap(list, 2), c.allowed);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CreateSwap,
    testing::Values(SwapCase{"Filled", "0x123", kt::CanType11, "8", true},
                    SwapCase{"ZeroIdAndLength", "0", kt::CanType29, "0", true},
                    SwapCase{"BlankTypeCountsAsFilled", "1", " ", "4", true},
                    SwapCase{"NoDimension", "1", kt::CanType11, "", false},
                    SwapCase{"NoType", "1", "", "8", false},
                    SwapCase{"NoCobId", "", kt::CanType11, "8", false},
                    SwapCase{"CobIdNotANumber", "abc", kt::CanType11, "8", false},
                    SwapCase{"NegativeDimension", "1", kt::CanType11, "-1", false},
                    SwapCase{"CobIdReadsNegative", "0xFFFFFFFF", kt::CanType29, "8", false}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(FrameRows, CreateSwapNeedsADataRow) {
    FrameList list(FrameKind::Receive);
    EXPECT_FALSE(kt::CanCreateSwap(list, -1));
    EXPECT_FALSE(kt::CanCreateSwap(list, 30));
}

TEST(FrameRows, SwapCellIsReducedToEightBits) {
    EXPECT_EQ(kt::SwapFromCell("300"), 44);
    EXPECT_EQ(kt::SwapFromCell("0x2C"), 0x2C);
    EXPECT_EQ(kt::SwapFromCell(""), 0);
    EXPECT_EQ(kt::SwapFromCell("abc"), 0);
    EXPECT_EQ(kt::SwapFromCell("-1"), 0xFF);
}

TEST(FrameRows, EnterJumpMovesRightThenWraps) {
    using kt::GridCell;
    EXPECT_EQ(kt::NextJumpCell({1, 1}, 30, 6), (GridCell{1, 2}));
    EXPECT_EQ(kt::NextJumpCell({5, 6}, 30, 6), (GridCell{6, 1}));
    EXPECT_EQ(kt::NextJumpCell({30, 8}, 30, 8), (GridCell{1, 1}));
    EXPECT_EQ(kt::NextJumpCell({30, 7}, 30, 8), (GridCell{30, 8}));
    EXPECT_EQ(kt::NextJumpCell({4, 0}, 30, 6), (GridCell{4, 0}));
}

TEST(FrameRows, ShiftTabMovesLeftThenWrapsBack) {
    using kt::GridCell;
    EXPECT_EQ(kt::PreviousJumpCell({3, 4}, 30, 6), (GridCell{3, 3}));
    EXPECT_EQ(kt::PreviousJumpCell({3, 1}, 30, 6), (GridCell{2, 6}));
    EXPECT_EQ(kt::PreviousJumpCell({1, 1}, 30, 8), (GridCell{30, 8}));
    EXPECT_EQ(kt::PreviousJumpCell({4, 0}, 30, 6), (GridCell{4, 0}));
}

struct TypeCase {
    const char* text;
    bool typing;
    const char* expected; // nullptr: no entry
};
class CanTypeFor : public ::testing::TestWithParam<TypeCase> {};
TEST_P(CanTypeFor, Picks) {
    const char* got = kt::CanTypeFor(GetParam().text, GetParam().typing);
    if (!GetParam().expected)
        EXPECT_EQ(got, nullptr);
    else
        EXPECT_STREQ(got, GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(
    Keys, CanTypeFor,
    ::testing::Values(TypeCase{"A", false, kt::CanType11}, TypeCase{"b", false, kt::CanType29},
                      TypeCase{" 11 ", false, kt::CanType11}, TypeCase{"29", false, kt::CanType29},
                      TypeCase{"2.0b (29 BITS)", false, kt::CanType29},
                      TypeCase{"1", false, nullptr}, TypeCase{"1", true, kt::CanType11},
                      TypeCase{"2", true, nullptr}, TypeCase{"2.0B", true, kt::CanType29},
                      TypeCase{"", true, nullptr}, TypeCase{"C", true, nullptr},
                      TypeCase{"111", true, nullptr}));

TEST(FrameClipboard, CopyWritesTabsAndLineEndsAndQuotesWhatNeedsIt) {
    FrameList list(FrameKind::Receive);
    list.setRow(0, {"1", "", "8", "0", "0", "a\tb"});
    list.setRow(1, {"2", "", "4", "0", "0", "say \"hi\""});
    EXPECT_EQ(kt::CopyCells(list, 0, 2, 1, 5), "8\t0\t0\t\"a\tb\"\n4\t0\t0\t\"say \"\"hi\"\"\"\n");
    EXPECT_EQ(kt::CopyCells(list, 1, 0, 1, 0), "2\n");
}

TEST(FrameClipboard, ParseReadsSpreadsheetText) {
    using Rows = std::vector<std::vector<std::string>>;
    EXPECT_EQ(kt::ParseCells("1\t2\r\n3\t4\r\n"), (Rows{{"1", "2"}, {"3", "4"}}));
    EXPECT_EQ(kt::ParseCells("1\t\n\t4"), (Rows{{"1", ""}, {"", "4"}}));
    EXPECT_EQ(kt::ParseCells("\"a\tb\r\nc\"\"d\"\tx\n"), (Rows{{"a\tb\r\nc\"d", "x"}}));
    EXPECT_EQ(kt::ParseCells(""), Rows{});
    EXPECT_EQ(kt::ParseCells("only"), (Rows{{"only"}}));
}

TEST(FrameClipboard, PasteReadsTypesAndBoxesAsTypingDoes) {
    FrameList list(FrameKind::Transmit);
    const auto v = kt::PasteCells(list, 28, 1,
                                  {
                                      {"B", "8", "0", " yes ", "FALSE", "10", "m"},
                                      {"11", "1", "0", "", "y", "", ""},
                                  });
    EXPECT_EQ(v, kt::PasteVerdict{});
    EXPECT_EQ(list.row(28), (kt::FrameRow{"", kt::CanType29, "8", "0", "Y", "N", "10", "m"}));
    EXPECT_EQ(list.row(29), (kt::FrameRow{"", kt::CanType11, "1", "0", "", "Y", "", ""}));
    kt::PasteCells(list, 0, 1, {{" "}});
    EXPECT_EQ(list.field(0, 1), " ");
}

struct CellPasteCase {
    const char* name;
    FrameKind kind;
    int row, field; // 0-based start cell
    std::vector<std::vector<std::string>> cells;
    kt::PasteVerdict expected;
};

class PasteRefused : public ::testing::TestWithParam<CellPasteCase> {};

// Every refusal leaves the whole list as it was.
TEST_P(PasteRefused, NothingChanges) {
    const CellPasteCase& c = GetParam();
    FrameList list(c.kind);
    for (int r = 0; r < FrameList::Rows; ++r)
        list.setField(r, kt::RxMnemonic, "kept " + std::to_string(r));
    const FrameList before = list;
    EXPECT_EQ(kt::PasteCells(list, c.row, c.field, c.cells), c.expected);
    for (int r = 0; r < FrameList::Rows; ++r)
        EXPECT_EQ(list.row(r), before.row(r)) << "row " << r;
}

using kt::PasteRefusal;
const std::vector<std::string> kRxBlockRow{"0x100", "A", "8", "0", "1000", "Motor"};
INSTANTIATE_TEST_SUITE_P(
    Cases, PasteRefused,
    ::testing::Values(
        // Six receive columns from OnChange on: only four columns are left.
        CellPasteCase{"TooWide",
                      FrameKind::Transmit,
                      0,
                      kt::TxOnChange,
                      {kRxBlockRow},
                      {PasteRefusal::TooWide, 6, 4, -1, -1, ""}},
        CellPasteCase{"RaggedRowTooWide",
                      FrameKind::Receive,
                      3,
                      kt::RxTimeOut,
                      {{"0"}, {"0", "1", "2"}},
                      {PasteRefusal::TooWide, 3, 2, -1, -1, ""}},
        CellPasteCase{"FiveRowsAtRow28",
                      FrameKind::Receive,
                      27,
                      0,
                      {kRxBlockRow, kRxBlockRow, kRxBlockRow, kRxBlockRow, kRxBlockRow},
                      {PasteRefusal::TooLong, 5, 3, -1, -1, ""}},
        CellPasteCase{"UnknownType",
                      FrameKind::Receive,
                      4,
                      0,
                      {kRxBlockRow, {"0x18FF0999", "extended", "8", "0", "1000", "x"}},
                      {PasteRefusal::NotAChoice, 0, 0, 5, kt::RxCAN_Type, "extended"}},
        // Receive rows into the transmit list from its CobID on: TimeOut lands in OnChange.
        CellPasteCase{"NumberInACheckBox",
                      FrameKind::Transmit,
                      0,
                      0,
                      {kRxBlockRow},
                      {PasteRefusal::NotAChoice, 0, 0, 0, kt::TxOnChange, "1000"}},
        CellPasteCase{"OneIsNoYes",
                      FrameKind::Transmit,
                      2,
                      kt::TxOnTimer,
                      {{"1"}},
                      {PasteRefusal::NotAChoice, 0, 0, 2, kt::TxOnTimer, "1"}},
        CellPasteCase{"MaybeIsNoChoice",
                      FrameKind::Transmit,
                      0,
                      kt::TxOnChange,
                      {{"Y", "maybe"}},
                      {PasteRefusal::NotAChoice, 0, 0, 0, kt::TxOnTimer, "maybe"}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(FrameClipboard, CheckBoxSpellings) {
    for (const char* y : {"Y", "y", " yes ", "YES", "true", "True", "Ja", "s\xC3\xAC", "oui"})
        EXPECT_EQ(kt::CheckBoxFor(y), std::optional<std::string>("Y")) << y;
    for (const char* n : {"N", "n", "no", "No", "false", "NEIN", "non"})
        EXPECT_EQ(kt::CheckBoxFor(n), std::optional<std::string>("N")) << n;
    EXPECT_EQ(kt::CheckBoxFor("  "), std::optional<std::string>(""));
    for (const char* other : {"1", "0", "x", "yess", "1000"})
        EXPECT_EQ(kt::CheckBoxFor(other), std::nullopt) << other;
}

} // namespace
