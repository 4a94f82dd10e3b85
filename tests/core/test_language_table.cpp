#include "lang/LanguageTable.h"

#include <gtest/gtest.h>

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

TEST(LanguageTable, EveryEntryIsNonEmptyAndTextedIdsAreNotBlank) {
    const LanguageTable t = Defaults();
    int texted = 0;
    for (int id = 0; id < t.size(); ++id) {
        ASSERT_FALSE(t.Get_Text(id).empty()) << id;
        if (t.Get_Text(id) != " ") ++texted;
    }
    // 286 listed texts, the eight row-rule and discard texts of the frame dialogs, the
    // messages of the settings file (2), the unwritable Workspace (5), the New dialog (1), the
    // GSD step (8) and the update (5), the 79 texts of Check Project (500..590), the 65 of the
    // hand-over pack (600..664), the 66 of the DBC import (700-730) and the Project
    // comparison (740-774), the 19 of the frame dialogs' refused paste and Type keys
    // (1744..1753, 1844..1853); then the questions before Update Device (93-95) and the rest
    // of the errors of the question before a step (580-582), and the update dialog's own
    // texts (1644-1648), and the 2 of the long Mnemonic finding (800-801).
    EXPECT_EQ(texted, 315 + 79 + 65 + 66 + 19 + 3 + 3 + 5 + 2);
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
