#include "ProjectFixture.h"
#include "checks/CheckProject.h"
#include "checks/IoMap.h"
#include "lang/LanguageTable.h"
#include "outputs/GsdFile.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <regex>
#include <set>
#include <tuple>

using kt::FindingList;
using kt::Severity;
using kt::test::ProjectDir;

namespace {

kt::LanguageTable English() {
    kt::LanguageTable t;
    t.Load_Default_Texts();
    return t;
}

std::string Rx(const std::string& id, const std::string& type, const std::string& dim,
               const std::string& swap = "0", const std::string& timeOut = "1000",
               const std::string& mnemonic = "") {
    return "<row COBID=\"" + id + "\" CAN_Type=\"" + type + "\" Dim=\"" + dim + "\" SWAP=\"" +
           swap + "\" TimeOut=\"" + timeOut + "\" Mnemonic=\"" + mnemonic + "\"/>";
}

std::string Tx(const std::string& id, const std::string& type, const std::string& dim,
               const std::string& onChange = "Y", const std::string& onTimer = "N",
               const std::string& time = "100", const std::string& swap = "0") {
    return "<row COBID=\"" + id + "\" CAN_Type=\"" + type + "\" Dim=\"" + dim + "\" SWAP=\"" +
           swap + "\" OnChange=\"" + onChange + "\" OnTimer=\"" + onTimer + "\" Time=\"" + time +
           "\" Mnemonic=\"\"/>";
}

const std::string A = "2.0A (11 bits)";
const std::string B = "2.0B (29 bits)";

// `count` frames with identifiers from `first` on.
std::string RxMany(int count, int first, const std::string& dim) {
    std::string rows;
    for (int i = 0; i < count; ++i)
        rows += Rx(std::to_string(first + i), A, dim);
    return rows;
}
std::string TxMany(int count, int first, const std::string& dim) {
    std::string rows;
    for (int i = 0; i < count; ++i)
        rows += Tx(std::to_string(first + i), A, dim);
    return rows;
}

using Key = std::tuple<Severity, std::string, FindingList, int>;

struct CheckCase {
    const char* name;
    std::function<void(const ProjectDir&)> make;
    std::set<Key> expected; // every error and warning; notes are looked at elsewhere
};

void Standard(const ProjectDir& p) {
    p.settings("7", "12", "0");
}

const Severity E = Severity::Error;
const Severity W = Severity::Warning;
const FindingList S = FindingList::Settings, R = FindingList::Receive, T = FindingList::Transmit,
                  P = FindingList::Project;

std::vector<CheckCase> Cases() {
    return {
        {"CleanFullProject",
         [](const ProjectDir& p) {
             Standard(p);
             p.receive(RxMany(30, 0x100, "8"));
             p.transmit(TxMany(30, 0x300, "8"));
         },
         {}},
        {"StationAddress",
         [](const ProjectDir& p) { p.settings("7", "126", "0"); },
         {{E, "station-address", S, 0}}},
        {"BaudIndexOutsideList",
         [](const ProjectDir& p) { p.settings("12", "12", "0"); },
         {{W, "baud-index", S, 0}}},
        {"EveryInvalidRowOfBothLists",
         [](const ProjectDir& p) {
             Standard(p);
             p.receive(Rx("1", A, "8") + Rx("2", A, "9") + Rx("2048", A, "8"));
             p.transmit(Tx("100", A, "8", "Y", "Y", "-1"));
         },
         {{E, "frame-invalid", R, 2}, {E, "frame-invalid", R, 3}, {E, "frame-invalid", T, 1}}},
        {"RowAfterBlankCobId",
         [](const ProjectDir& p) {
             Standard(p);
             p.receive(Rx("1", A, "8") + Rx("", A, "8") + Rx("3", A, "8"));
         },
         // Row 2 ends the list but holds a type and a length, which saving would drop.
         {{E, "frame-invalid", R, 2}, {E, "row-after-blank", R, 3}}},
        {"DuplicateAsTheImageStoresThem",
         [](const ProjectDir& p) {
             Standard(p);
             // Row 2 repeats row 1; a blank type is stored as 11-bit, so row 4 does too.
             // Row 3 is 29-bit: another identifier for the device.
             p.receive(Rx("0x100", A, "8") + Rx("256", A, "8") + Rx("0x100", B, "8") +
                       Rx("0x100", "", "8"));
         },
         {{E, "duplicate-id", R, 2},
          {E, "duplicate-id", R, 4},
          {E, "type-unknown", R, 4},
          {W, "extended-fits-11", R, 3}}},
        // A pasted "extended" reached the device as an 11-bit frame with a 29-bit identifier.
        {"UnknownTypeIsStoredAs11Bit",
         [](const ProjectDir& p) {
             Standard(p);
             p.receive(Rx("0x100", A, "8") + Rx("0x18FF0999", "extended", "8"));
             p.transmit(Tx("0x7FF", " 2.0B (29 bits) ", "8") + Tx("0x7FF", "2.0a (11 bits)", "8"));
         },
         {{E, "frame-invalid", R, 2},
          {E, "type-unknown", R, 2},
          {E, "type-unknown", T, 2},
          {W, "extended-fits-11", T, 1}}},
        // The image keeps 32 frames; the two past the editor's 30 rows are checked as well.
        {"RowsPastTheEditorAreChecked",
         [](const ProjectDir& p) {
             Standard(p);
             p.receive(RxMany(30, 0x100, "1") + Rx("0x18FF0999", "", "1") + Rx("0x7FF", A, "9"));
         },
         {{W, "over-editor-rows", R, 0},
          {E, "frame-invalid", R, 31},
          {E, "type-unknown", R, 31},
          {E, "frame-invalid", R, 32}}},
        {"InputAbove244",
         [](const ProjectDir& p) {
             Standard(p);
             p.receive(RxMany(31, 0x100, "8"));
         },
         {{E, "input-too-long", R, 0}, {W, "over-editor-rows", R, 0}}},
        {"OutputAbove244",
         [](const ProjectDir& p) {
             Standard(p);
             p.transmit(TxMany(31, 0x100, "8"));
         },
         {{E, "output-too-long", T, 0}, {W, "over-editor-rows", T, 0}}},
        {"ConfigurationDataAbove244",
         [](const ProjectDir& p) {
             p.settings("7", "12", "1"); // 32 + 30 modules of 4 bytes: 248
             p.receive(RxMany(32, 0x100, "1"));
             p.transmit(TxMany(30, 0x300, "1"));
         },
         {{E, "config-too-long", P, 0}, {W, "over-editor-rows", R, 0}}},
        {"MoreFramesThanTheImageHolds",
         [](const ProjectDir& p) {
             Standard(p);
             p.receive(RxMany(33, 0x100, "1"));
         },
         {{E, "too-many-frames", R, 0}}},
        {"SameIdentifierInBothLists",
         [](const ProjectDir& p) {
             Standard(p);
             p.receive(Rx("0x10", A, "8") + Rx("0x20", B, "8"));
             p.transmit(Tx("0x30", A, "8") + Tx("0x20", A, "8") + Tx("32", B, "8"));
         },
         {{W, "extended-fits-11", R, 2},
          {W, "id-in-both-lists", T, 3},
          {W, "extended-fits-11", T, 3}}},
        {"NeverSentAndTimerPeriods",
         [](const ProjectDir& p) {
             Standard(p);
             // "y" passes the editor but the image takes only "Y": row 2 is never sent.
             p.transmit(Tx("1", A, "8", "N", "N") + Tx("2", A, "8", "y", "N") +
                        Tx("3", A, "8", "N", "Y", "0") + Tx("4", A, "8", "N", "Y", "9") +
                        Tx("5", A, "8", "N", "Y", "10"));
         },
         {{W, "never-sent", T, 1},
          {W, "never-sent", T, 2},
          {W, "timer-period", T, 3},
          {W, "timer-period", T, 4}}},
        {"SwapBeyondDimension",
         [](const ProjectDir& p) {
             Standard(p);
             // 0x20 joins bytes 3 and 4, inside 4 bytes; 0x10 joins 4 and 5.
             p.receive(Rx("1", A, "4", "0x20") + Rx("2", A, "4", "0x10") + Rx("3", A, "8", "0xFE"));
         },
         {{W, "swap-beyond-dim", R, 2}}},
        {"NoParGen",
         [](const ProjectDir& p) { p.receive(Rx("1", A, "8")); },
         {{W, "no-pargen", S, 0}}},
        {"NoProjectFiles", [](const ProjectDir&) {}, {{W, "no-project-files", P, 0}}},
        {"UnreadableFile",
         [](const ProjectDir& p) {
             Standard(p);
             p.transmit("<row");
         },
         {{E, "file-unreadable", T, 0}}},
        {"MnemonicLongerThanTheEditorsShow",
         [](const ProjectDir& p) {
             Standard(p);
             // 64 characters pass, also when each is two bytes; 65 warn.
             std::string umlauts;
             for (int i = 0; i < 64; ++i)
                 umlauts += "\xC3\xA4";
             p.receive(Rx("1", A, "8", "0", "1000", std::string(64, 'm')) +
                       Rx("2", A, "8", "0", "1000", umlauts) +
                       Rx("3", A, "8", "0", "1000", std::string(65, 'm')) +
                       Rx("4", A, "8", "0", "1000", std::string(100000, 'm')));
         },
         {{W, "long-mnemonic", R, 3}, {W, "long-mnemonic", R, 4}}},
        // Something that is no file under a Project file's name is no missing file.
        {"FolderInPlaceOfAList",
         [](const ProjectDir& p) {
             Standard(p);
             std::filesystem::create_directory(p.files().RecFramesFile);
         },
         {{E, "file-unreadable", R, 0}}},
        {"FolderInPlaceOfParGen",
         [](const ProjectDir& p) {
             std::filesystem::create_directory(p.files().ParGenFile);
             p.receive(Rx("1", A, "8"));
         },
         {{E, "file-unreadable", S, 0}}},
#ifndef _WIN32
        {"LinkToNothingInPlaceOfAList",
         [](const ProjectDir& p) {
             Standard(p);
             std::filesystem::create_symlink(p.files().SendFramesFile.string() + ".gone",
                                             p.files().SendFramesFile);
         },
         {{E, "file-unreadable", T, 0}}},
#endif
        {"BusLoadAboveHalf",
         [](const ProjectDir& p) {
             p.settings("5", "12", "0"); // 125 kbit/s; 5 x 135 bits every 10 ms: 54 %
             std::string rows;
             for (int i = 0; i < 5; ++i)
                 rows += Tx(std::to_string(i + 1), A, "8", "N", "Y", "10");
             p.transmit(rows);
         },
         {{W, "bus-load", P, 0}}},
        {"BusLoadAbove80",
         [](const ProjectDir& p) {
             p.settings("5", "12", "0"); // 8 x 135 bits every 10 ms: 86.4 %
             std::string rows;
             for (int i = 0; i < 8; ++i)
                 rows += Tx(std::to_string(i + 1), A, "8", "N", "Y", "10");
             p.transmit(rows);
         },
         {{E, "bus-load", P, 0}}},
    };
}

class CheckProjectTable : public testing::TestWithParam<CheckCase> {};

TEST_P(CheckProjectTable, GivesItsFindings) {
    const ProjectDir project;
    GetParam().make(project);
    const kt::ProjectCheck check = kt::CheckProject(project.files(), English());
    std::set<Key> got;
    for (const kt::Finding& f : check.findings) {
        EXPECT_FALSE(f.message.empty()) << f.code;
        if (f.severity != Severity::Note) got.insert({f.severity, f.code, f.list, f.row});
    }
    EXPECT_EQ(got, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Projects, CheckProjectTable, testing::ValuesIn(Cases()),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(CheckProject, MessagesComeFromTheTablesAndErrorsComeFirst) {
    const ProjectDir project;
    project.settings("7", "0", "0");
    project.receive(Rx("5", A, "8", "0", "0") + Rx("5", A, "8"));
    const kt::ProjectCheck check = kt::CheckProject(project.files(), English());
    std::vector<std::tuple<std::string, int, std::string>> got;
    for (const kt::Finding& f : check.findings)
        got.emplace_back(f.code, f.row, f.message);
    const std::vector<std::tuple<std::string, int, std::string>> expected = {
        {"station-address", 0, "Error PROFIBUS!! ID Device must be between 1 and 125"},
        {"duplicate-id", 2, "Identifier and type already used in row 1"},
        {"no-timeout", 1, "Receive frame without time-out: a silent sender goes unnoticed"},
        // 135 bits once a second at 500 kbit/s: 0.027 %
        {"bus-load", 0,
         "Estimated CAN bus load 0.0 % at 500 kbit/s (transmit 0.0 %, receive at least 0.0 %)"},
    };
    EXPECT_EQ(got, expected);
    EXPECT_EQ(check.count(Severity::Error), 2);
    EXPECT_EQ(check.count(Severity::Note), 2);
}

// Findings name a column by its header in the current language, and name the row.
TEST(CheckProject, MessagesNameColumnsByTheirHeaders) {
    const ProjectDir project;
    project.settings("7", "12", "0");
    project.receive(Rx("0x100", "extended", "1", "0x80"));
    project.transmit(Tx("1", A, "8", "N", "N") + Tx("2", A, "8", "N", "Y", "0") +
                     Tx("3", A, "8", "N", "Y", "5"));
    kt::LanguageTable texts = English();
    texts.Set_Text(1718, "Typ");
    texts.Set_Text(1719, "L\xC3\xA4nge");
    texts.Set_Text(1720, "Tausch");
    texts.Set_Text(1821, "\xC3\x84nderung");
    texts.Set_Text(1822, "Zyklisch");
    const kt::ProjectCheck check = kt::CheckProject(project.files(), texts);
    std::set<std::tuple<std::string, int, std::string>> got;
    for (const kt::Finding& f : check.findings)
        if (f.code != "bus-load" && f.code != "no-timeout") got.emplace(f.code, f.row, f.message);
    const std::set<std::tuple<std::string, int, std::string>> expected = {
        {"type-unknown", 1,
         "Typ \"extended\" is neither 2.0A (11 bits) nor 2.0B (29 bits): the device gets an "
         "11-bit frame"},
        {"swap-beyond-dim", 1, "Tausch joins bytes beyond the frame's L\xC3\xA4nge"},
        {"never-sent", 1, "Never sent: \xC3\x84nderung and Zyklisch are both off"},
        {"timer-period", 2, "Zyklisch: on with a period of 0 ms"},
        {"timer-period", 3, "Zyklisch: period of 5 ms is below 10 ms"},
    };
    EXPECT_EQ(got, expected);
}

TEST(BusLoad, FrameBitsWithWorstCaseStuffing) {
    // 11-bit: 47 + 8n + (34 + 8n - 1) / 4; 29-bit: 67 + 8n + (54 + 8n - 1) / 4.
    const std::vector<std::tuple<bool, int, int>> cases = {{false, 0, 55},  {false, 1, 65},
                                                           {false, 8, 135}, {true, 0, 80},
                                                           {true, 1, 90},   {true, 8, 160}};
    for (const auto& [extended, n, bits] : cases)
        EXPECT_EQ(kt::FrameBits(extended, n), bits) << extended << " " << n;
}

TEST(BusLoad, PeriodicTransmitAndReceiveLowerBound) {
    const ProjectDir project;
    project.settings("5", "12", "0"); // 125000 bit/s
    // Transmit: 135 bits every 10 ms = 13500 bit/s = 10.8 %; 80 bits (29-bit, 0 bytes) every
    // 1000 ms = 0.064 %; the OnChange-only frame and the period 0 count nothing.
    project.transmit(Tx("1", A, "8", "N", "Y", "10") + Tx("0x1000", B, "0", "N", "Y", "1000") +
                     Tx("3", A, "8", "Y", "N", "10") + Tx("4", A, "8", "N", "Y", "0"));
    // Receive: 160 bits every 100 ms = 1600 bit/s = 1.28 %; time-out 0 counts nothing.
    project.receive(Rx("0x1000", B, "8", "0", "100") + Rx("2", A, "8", "0", "0"));
    const kt::BusLoad load = kt::CheckProject(project.files(), English()).busLoad;
    EXPECT_EQ(load.bitRate, 125000u);
    EXPECT_NEAR(load.transmitPercent, 10.864, 1e-9);
    EXPECT_NEAR(load.receivePercent, 1.28, 1e-9);
    EXPECT_NEAR(load.totalPercent(), 12.144, 1e-9);
}

TEST(BusLoad, BitRateAsTheImageHoldsIt) {
    for (const auto& [make, rate] :
         std::vector<std::pair<std::function<void(const ProjectDir&)>, std::uint32_t>>{
             {[](const ProjectDir& p) { p.settings("3", "12", "0"); }, 62500},
             {[](const ProjectDir& p) { p.settings("-1", "12", "0"); }, 1000000},
             {[](const ProjectDir& p) { p.receive(Rx("1", A, "8")); }, 125000}}) {
        const ProjectDir project;
        make(project);
        EXPECT_EQ(kt::CheckProject(project.files(), English()).busLoad.bitRate, rate);
    }
}

using Row = std::tuple<int, int, int, std::string, int, std::uint32_t, bool, int, int, int>;
std::vector<Row> Rows(const std::vector<kt::IoMapRow>& rows) {
    std::vector<Row> out;
    for (const auto& r : rows)
        out.emplace_back(r.byteOffset, r.module, r.moduleOffset, r.identifier, r.listRow, r.cobId,
                         r.extended, r.canByte, r.swapFirst, r.swapLast);
    return out;
}

TEST(IoMap, OneModulePerFrameWithASwapGroup) {
    const ProjectDir project;
    project.settings("7", "12", "1");
    // Row 2: links 2-3 and 3-4 (bits 6 and 5) make bytes 2..4 one group.
    project.receive(Rx("0x123", A, "3", "0", "1000", "pump") +
                    Rx("0x18FF0001", B, "4", "0x60", "1000", "valve"));
    project.transmit(Tx("0x200", A, "2"));
    kt::IoMap map;
    ASSERT_TRUE(kt::BuildIoMap(project.files(), map));
    const std::string m1 = "0x42,0x02,0x00,0x01", m2 = "0x42,0x03,0x00,0x02";
    const std::vector<Row> inputs = {
        {0, 1, 0, m1, 1, 0x123, false, 1, 0, 0},     {1, 1, 1, m1, 1, 0x123, false, 2, 0, 0},
        {2, 1, 2, m1, 1, 0x123, false, 3, 0, 0},     {3, 2, 0, m2, 2, 0x18FF0001, true, 1, 0, 0},
        {4, 2, 1, m2, 2, 0x18FF0001, true, 4, 2, 4}, {5, 2, 2, m2, 2, 0x18FF0001, true, 3, 2, 4},
        {6, 2, 3, m2, 2, 0x18FF0001, true, 2, 2, 4}};
    EXPECT_EQ(Rows(map.inputs), inputs);
    const std::string m3 = "0x82,0x01,0x00,0x03";
    const std::vector<Row> outputs = {{0, 3, 0, m3, 1, 0x200, false, 1, 0, 0},
                                      {1, 3, 1, m3, 1, 0x200, false, 2, 0, 0}};
    EXPECT_EQ(Rows(map.outputs), outputs);
    EXPECT_EQ(map.inputs[0].mnemonic, "pump");
    EXPECT_EQ(map.inputs[6].mnemonic, "valve");
}

TEST(IoMap, SixtyFourByteModulesAcrossTheBoundary) {
    const ProjectDir project;
    project.settings("7", "12", "0");
    // Nine frames of 8 bytes: 72 input bytes, modules of 64 and 8; frame 8 ends the first.
    project.receive(RxMany(8, 0x100, "8") + Rx("0x200", A, "8", "0x80"));
    project.transmit(Tx("0x300", A, "2"));
    kt::IoMap map;
    ASSERT_TRUE(kt::BuildIoMap(project.files(), map));
    ASSERT_EQ(map.inputs.size(), 72u);
    ASSERT_EQ(map.outputs.size(), 2u);
    const std::string m1 = "0x42,0x3F,0x00,0x01", m2 = "0x42,0x07,0x00,0x02";
    // Byte 64 is CAN byte 1 of row 9, whose link 1-2 (bit 7) swaps it with byte 2.
    const std::vector<Row> around = {{63, 1, 63, m1, 8, 0x107, false, 8, 0, 0},
                                     {64, 2, 0, m2, 9, 0x200, false, 2, 1, 2},
                                     {65, 2, 1, m2, 9, 0x200, false, 1, 1, 2},
                                     {66, 2, 2, m2, 9, 0x200, false, 3, 0, 0}};
    EXPECT_EQ(Rows({map.inputs[63], map.inputs[64], map.inputs[65], map.inputs[66]}), around);
    EXPECT_EQ(Rows({map.outputs[0]}),
              (std::vector<Row>{{0, 3, 0, "0x82,0x01,0x00,0x03", 1, 0x300, false, 1, 0, 0}}));
}

// Each module of the GSD text holds exactly the bytes the map gives it, in both modes.
TEST(IoMap, AgreesWithTheGsdModules) {
    for (const char* mapping : {"0", "1"}) {
        const ProjectDir project;
        project.settings("7", "12", mapping);
        project.receive(RxMany(20, 0x100, "7") + RxMany(10, 0x200, "3"));
        project.transmit(TxMany(25, 0x300, "5"));
        kt::IoMap map;
        ASSERT_TRUE(kt::BuildIoMap(project.files(), map));
        std::map<std::string, int> mapBytes;
        for (const auto* rows : {&map.inputs, &map.outputs})
            for (const kt::IoMapRow& r : *rows)
                ++mapBytes[r.identifier];

        const kt::Result<kt::GSD_Data> data = kt::Read_GSD_Data(project.files());
        ASSERT_TRUE(data.ok());
        const kt::Result<std::string> composed =
            kt::ComposeGsdText(data.value, kt::LanguageTable::English());
        ASSERT_TRUE(composed.ok());
        const std::string& gsd = composed.value;
        std::map<std::string, int> gsdBytes;
        const std::regex module(
            R"(Module="D[IO]  \(PORT\d+\)    " (0x[48]2,0x([0-9A-F]{2}),0x00,0x[0-9A-F]+)\r)");
        for (auto it = std::sregex_iterator(gsd.begin(), gsd.end(), module);
             it != std::sregex_iterator(); ++it)
            gsdBytes[(*it)[1]] = std::stoi((*it)[2], nullptr, 16) + 1;
        EXPECT_FALSE(gsdBytes.empty());
        EXPECT_EQ(mapBytes, gsdBytes) << "mapping " << mapping;
    }
}

TEST(IoMap, UnreadableFileFails) {
    const ProjectDir project;
    project.settings("7", "12", "0");
    project.receive("<row");
    kt::IoMap map;
    const kt::Status s = kt::BuildIoMap(project.files(), map);
    EXPECT_FALSE(s);
    EXPECT_NE(s.message.find("CAN_Rec_Frames.xml"), std::string::npos);
}

TEST(IoMap, CsvWithHeaderQuotesAndCrLf) {
    kt::IoMapRow r{4, 2, 1, "0x42,0x03,0x00,0x02", 2, 0x18FF0001, true, 4, "valve; \"main\"", 2, 4};
    EXPECT_EQ(kt::IoMapCsv({r}, English()),
              "\xEF\xBB\xBF"
              "PROFIBUS byte;Module;Module byte;Module identifier;CAN row;CobID;Type;CAN byte;"
              "Mnemonic;Swap\r\n"
              "4;2;1;\"0x42,0x03,0x00,0x02\";2;0x18FF0001;2.0B (29 bits);4;\"valve; "
              "\"\"main\"\"\";2-4\r\n");
}

// Severity, list, row, message, code; a message with ',' or an outer blank is quoted.
TEST(CheckProject, FindingsCsv) {
    kt::ProjectCheck check;
    check.findings = {{Severity::Error, "duplicate-id", FindingList::Receive, 2, "row 1, again"},
                      {Severity::Note, "x", FindingList::Project, 0, " L\xC3\xA4nge"}};
    EXPECT_EQ(kt::FindingsCsv(check, English()),
              "\xEF\xBB\xBF"
              "Severity;List;Row;Message;Code\r\n"
              "Error;Receive frames;2;\"row 1, again\";duplicate-id\r\n"
              "Note;Project;;\" L\xC3\xA4nge\";x\r\n");
}

TEST(CheckProject, JsonForScripts) {
    kt::ProjectCheck check;
    check.findings = {{Severity::Error, "duplicate-id", FindingList::Receive, 2, "a \"b\"\n"}};
    check.busLoad = {500000, 10.86, 1.25};
    EXPECT_EQ(
        kt::FindingsJson(check),
        "{\"findings\":[{\"severity\":\"error\",\"code\":\"duplicate-id\",\"list\":\"receive\","
        "\"row\":2,\"message\":\"a \\\"b\\\"\\u000a\"}],\"busLoad\":{\"bitRate\":500000,"
        "\"transmitPercent\":10.9,\"receivePercent\":1.3,\"totalPercent\":12.1},"
        "\"errors\":1,\"warnings\":0,\"notes\":0}\n");
}

} // namespace
