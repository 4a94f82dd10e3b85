#include "lang/LanguageTable.h"
#include "lang/TextIds.h"
#include "lang/TextUses.h"

#include <gtest/gtest.h>

#include <map>
#include <stdexcept>
#include <string>

namespace {

using kt::LanguageTable;

LanguageTable Defaults() {
    LanguageTable t;
    t.Load_Default_Texts();
    return t;
}

struct TextCase {
    const char* name;
    int id;
    const char* text;
};

class DefaultTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(DefaultTextTest, HoldsTheEnglishDefault) {
    const LanguageTable t = Defaults();
    EXPECT_EQ(t.Get_Text(GetParam().id), GetParam().text);
    EXPECT_STREQ(kt::DefaultText(GetParam().id), GetParam().text);
}

// A sample of every block, with the blanks that callers rely on spelled out.
INSTANTIATE_TEST_SUITE_P(
    Blocks, DefaultTextTest,
    ::testing::Values(
        TextCase{"Begin", 0, "Begin"}, TextCase{"Step8", 8, "Step 8"},
        TextCase{"NoneOpenedTrailingBlank", 9, "None Configuration Opened "},
        TextCase{"OpenedTrailingBlank", 11, "Opened Configuration of the Converter : "},
        TextCase{"ProjectNotValid", 18, "Error! Project not Valid"},
        TextCase{"NewVersionMain", 19, "New Version Available. Click Here for more Details"},
        TextCase{"UnusedLoRaWAN", 21, "LoRaWAN Access"},
        TextCase{"UpdateHintSlash", 26,
                 "Update the actual Firmware and/or Configuration in the device"},
        TextCase{"GsdHint", 82, "Create the GSD File for PROFIBUS"},
        TextCase{"MainBlockEnd", 85, " "}, TextCase{"MainBlockLast", 99, " "},
        TextCase{"NewCaption", 100, "Create New Configuration"},
        TextCase{"NewDescSameText", 101, "Create New Configuration"},
        TextCase{"NewDirExists", 106,
                 "Error! Name project is not valid because directory already exists"},
        TextCase{"NewEmptyNameCapitalP", 107, "Error! Name Project is not valid"},
        TextCase{"NewBlockEnd", 112, " "}, TextCase{"OpenCaption", 200, "Open Configuration"},
        TextCase{"OpenListTypo", 202, "List of Avaliable Configurations"},
        TextCase{"OpenBlockEnd", 208, " "},
        TextCase{"SelectedLanguage", 304, "Selected Language : "},
        TextCase{"PageTrailingBlank", 305, "Page "}, TextCase{"PageSeparator", 306, " / "},
        TextCase{"NewVersionOptions", 314, "New Version Available. Click Here for more Details"},
        TextCase{"ChangeLanguageFrom", 316, "Do you want to change the Language from "},
        TextCase{"ChangeLanguageTo", 317, " to "}, TextCase{"QuestionMark", 318, "?"},
        TextCase{"DoubleClick", 321, "Enable Auto Size of Table Columns by Double Click"},
        TextCase{"OptionsBlockEnd", 322, " "}, TextCase{"ParGenCaption", 400, "Set Communication"},
        TextCase{"GdsMapping", 415,
                 "Enable/Disable the possibility to create the PROFIBUS GDS File with the CAN "
                 "MApping"},
        TextCase{"StationRange", 416, "Error PROFIBUS!! ID Device must be between 1 and 125"},
        TextCase{"ExitWithoutSaving", 417, "Do you want to exit without saving changes?"},
        TextCase{"UnusedRangeStart", 418, " "}, TextCase{"UnusedRangeMiddle", 1000, " "},
        TextCase{"UnusedRangeEnd", 1499, " "},
        TextCase{"RowAlreadyUsed", 1500, "Row Already used. Do you want to overwrite the values?"},
        TextCase{"GsdNeedsParGen", 1504,
                 "Error! Please set the Set Communication Parameter before to create the GSD "
                 "file"},
        TextCase{"SharedBlockEnd", 1514, " "},
        TextCase{"UpdateFirstUnused", 1600, "Update Device by Serial"},
        TextCase{"FirmwarePlusConfig", 1615, "Firmware + Configuration"},
        TextCase{"UsbToCan", 1638, "Select the COM Port (USB to CAN) for the Update"},
        TextCase{"UpdaterNotStarted", 1644, "Error! The updater could not be started: "},
        TextCase{"UpdateBlockEnd", 1649, " "},
        TextCase{"TypeHintOpenParen", 1724,
                 "Select the Type of CAN for each CAN Frame (2.0A 11 bits of CobID or 2.0B 29 "
                 "bits of CobID"},
        TextCase{"ErrorRowReceive", 1729, "Error row "},
        TextCase{"Cob29Receive", 1731, "!! CobID must be between 0x00000000 and 0x1FFFFFFF"},
        TextCase{"TimeOutReceive", 1734, "!! TimeOut must be between 0 and 100000000 milliseconds"},
        TextCase{"DeleteRowReceive", 1735, "Are you sure to delete the Row number "},
        TextCase{"GapRowReceive", 1736,
                 "!! Row is after an empty CobID and would be lost: fill or delete the empty row"},
        TextCase{"LastRowLostReceive", 1737,
                 "The last row holds a frame that will be lost. Insert anyway?"},
        TextCase{"DiscardReceive", 1738, "Discard the changes to this list?"},
        TextCase{"EmptyCobIdRowReceive", 1739,
                 "!! Row has an empty CobID and its other fields would be lost: fill the CobID or "
                 "empty the row"},
        TextCase{"ReceiveBlockEnd", 1740, " "}, TextCase{"TransmitOnTimer", 1822, "OnTimer"},
        TextCase{"ErrorRowTransmit", 1833, "Error row "},
        TextCase{"TimeTransmit", 1838, "!! Time must be between 0 and 100000000 milliseconds"},
        TextCase{"GapRowTransmit", 1840,
                 "!! Row is after an empty CobID and would be lost: fill or delete the empty row"},
        TextCase{"LastRowLostTransmit", 1841,
                 "The last row holds a frame that will be lost. Insert anyway?"},
        TextCase{"DiscardTransmit", 1842, "Discard the changes to this list?"},
        TextCase{"EmptyCobIdRowTransmit", 1843,
                 "!! Row has an empty CobID and its other fields would be lost: fill the CobID or "
                 "empty the row"},
        TextCase{"ReceivePasteTooWide", 1744, "Paste refused: the block has "},
        TextCase{"ReceiveNoCheckBoxes", 1752, " "}, TextCase{"ReceiveBlockLast", 1754, " "},
        TextCase{"TransmitNotACheckBox", 1852,
                 "\" is not one of Y, N, yes, no, true, false. Nothing was pasted."},
        TextCase{"TransmitBlockEnd", 1854, " "},
        TextCase{"SwapCaption", 1900, "Receive CAN Frames Set Access"},
        TextCase{"SwapValue", 1906, "SWAP VALUE : "}, TextCase{"Byte8", 1914, "BYTE8"},
        TextCase{"LastChange", 1922, "CHANGE"}, TextCase{"SwapBlockEnd", 1923, " "},
        TextCase{"LastEntry", 1999, " "}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(LanguageTable, DefaultsHoldExactly2000Entries) {
    LanguageTable t;
    EXPECT_EQ(t.size(), 0);
    t.Load_Default_Texts();
    EXPECT_EQ(t.size(), 2000);
}

TEST(LanguageTable, EveryEntryIsNonEmpty) {
    const LanguageTable t = Defaults();
    for (int id = 0; id < t.size(); ++id)
        ASSERT_FALSE(t.Get_Text(id).empty()) << id;
}

// Texts of the table that no window of this configurator shows (other protocols, other ways
// of updating): users' language files carry them, so their defaults stay.
struct IdRange {
    int first, last;
};
constexpr IdRange kInheritedTexts[] = {{21, 21},     {25, 25},     {27, 32},
                                       {37, 80},     {1505, 1505}, {1600, 1613},
                                       {1621, 1626}, {1628, 1631}, {1636, 1638}};

enum class Kind { Shown, Retired, Inherited };
struct Entry {
    Kind kind;
    std::string name;
};

// Every text the code names, each retired one and each inherited one, by number; fails on a
// number named twice.
std::map<int, Entry> ClassifiedTexts() {
    std::map<int, Entry> texts;
    const auto add = [&](int id, Kind kind, std::string name) {
        EXPECT_TRUE(id >= 0 && id < LanguageTable::DefaultSize) << name << " = " << id;
        const auto [at, added] = texts.emplace(id, Entry{kind, name});
        EXPECT_TRUE(added) << id << " is both " << at->second.name << " and " << name;
    };
#define KT_ADD_SHOWN(name, id) add(id, Kind::Shown, #name);
#define KT_ADD_RETIRED(name, id) add(id, Kind::Retired, #name);
    KT_SHOWN_TEXTS(KT_ADD_SHOWN)
    KT_RETIRED_TEXTS(KT_ADD_RETIRED)
#undef KT_ADD_SHOWN
#undef KT_ADD_RETIRED
    for (const IdRange& r : kInheritedTexts)
        for (int id = r.first; id <= r.last; ++id)
            add(id, Kind::Inherited, "inherited text " + std::to_string(id));
    return texts;
}

// A text the code shows has a name, an English default and a use note for translators; a
// retired one keeps its default for users' language files; a default that is neither named nor
// inherited, or a use note without a name, is a text added halfway.
TEST(TextIds, EachTextHasItsNameDefaultAndUseNote) {
    const std::map<int, Entry> texts = ClassifiedTexts();
    for (int id = 0; id < LanguageTable::DefaultSize; ++id) {
        const bool blank = std::string(kt::DefaultText(id)) == " ";
        const char* use = kt::TextUse(id);
        const auto it = texts.find(id);
        if (it == texts.end()) {
            EXPECT_TRUE(blank) << id << " has an English default but no name in TextIds.h";
            EXPECT_EQ(use, nullptr) << id << " has a use note but no name in TextIds.h";
            continue;
        }
        const Entry& e = it->second;
        EXPECT_FALSE(blank) << e.name << " (" << id << ") has no English default";
        if (e.kind == Kind::Shown) {
            EXPECT_NE(use, nullptr) << e.name << " (" << id << ") has no use note in TextUses.cpp";
        } else if (e.kind == Kind::Inherited) {
            EXPECT_EQ(use, nullptr) << id << " is inherited but has a use note";
        }
    }
}

TEST(TextIds, NamesStandForTheirNumbers) {
    EXPECT_EQ(kt::TextNumber(kt::TextId::MainBegin), 0);
    EXPECT_EQ(kt::TextNumber(kt::TextId::GsdNeedsParGen), 1504);
    EXPECT_EQ(kt::TextNumber(kt::TextId::RetiredCompareRemoved), 760);
    EXPECT_EQ(kt::NthText(kt::TextId::SwapByte1, 7), kt::TextId::SwapByte8);
    const LanguageTable t = Defaults();
    EXPECT_EQ(&t.Get_Text(kt::TextId::ReceiveErrorRow), &t.Get_Text(1729));
}

TEST(LanguageTable, LoadingTwiceKeepsSizeAndUndoesChanges) {
    LanguageTable t = Defaults();
    t.Set_Text(17, "Aggiorna");
    t.Set_Text(1999, "");
    t.Load_Default_Texts();
    EXPECT_EQ(t.size(), 2000);
    EXPECT_EQ(t.Get_Text(17), "Update Device");
    EXPECT_EQ(t.Get_Text(1999), " ");
}

TEST(LanguageTable, EntriesWithTheSameTextAreSeparate) {
    LanguageTable t = Defaults();
    t.Set_Text(19, "Nuova versione");
    EXPECT_EQ(t.Get_Text(314), "New Version Available. Click Here for more Details");
    t.Set_Text(100, "Nuova");
    EXPECT_EQ(t.Get_Text(101), "Create New Configuration");
}

TEST(LanguageTable, SetTextAcceptsTheEmptyText) {
    LanguageTable t = Defaults();
    t.Set_Text(5, "");
    EXPECT_EQ(t.Get_Text(5), "");
}

TEST(LanguageTable, IdsOutsideTheTableThrow) {
    LanguageTable t = Defaults();
    EXPECT_THROW((void)t.Get_Text(-1), std::out_of_range);
    EXPECT_THROW((void)t.Get_Text(2000), std::out_of_range);
    EXPECT_THROW(t.Set_Text(2000, "x"), std::out_of_range);
    EXPECT_THROW((void)kt::DefaultText(2000), std::out_of_range);
    const LanguageTable empty;
    EXPECT_THROW((void)empty.Get_Text(0), std::out_of_range);
}

} // namespace
