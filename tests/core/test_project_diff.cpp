// Two Projects compared: settings, frames matched by identifier and type, device outputs.

#include "TempDir.h"
#include "checks/ProjectDiff.h"
#include "lang/LanguageTable.h"

#include <gtest/gtest.h>

#include <fstream>
#include <ostream>

using namespace kt;
using kt::test::TempDir;

namespace kt {
// Readable failures.
void PrintTo(const DiffEntry& e, std::ostream* os) {
    *os << "{" << static_cast<int>(e.section) << "," << static_cast<int>(e.kind) << "," << e.rowA
        << "," << e.rowB << ",'" << e.item << "','" << e.field << "','" << e.a << "','" << e.b
        << "'}";
}
} // namespace kt

namespace {

const char* kParGen = "<Par_Gen><CAN_BAUDRATE>7</CAN_BAUDRATE><PROFIBUS_ID_Device>12"
                      "</PROFIBUS_ID_Device><PROFIBUS_GDS_CAN_Mapping>1</PROFIBUS_GDS_CAN_Mapping>"
                      "</Par_Gen>";

std::string Rx(const std::string& cobId, const std::string& dim, const std::string& name,
               const std::string& type = "2.0A (11 bits)") {
    return "<row COBID=\"" + cobId + "\" CAN_Type=\"" + type + "\" Dim=\"" + dim +
           "\" SWAP=\"0\" TimeOut=\"0\" Mnemonic=\"" + name + "\"/>";
}

void Write(const std::filesystem::path& file, const std::string& text) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
}

struct Pair {
    TempDir dir;
    std::filesystem::path a = dir / "A", b = dir / "B";
    Pair(const std::string& parA, const std::string& rowsA, const std::string& parB,
         const std::string& rowsB) {
        for (const auto& [p, par, rows] :
             {std::tuple{a, parA, rowsA}, std::tuple{b, parB, rowsB}}) {
            std::filesystem::create_directories(p);
            if (!par.empty()) Write(p / "ParGen.xml", par);
            Write(p / "CAN_Rec_Frames.xml", "<Receive_Frames>" + rows + "</Receive_Frames>");
        }
    }
    ProjectDiff diff() const {
        ProjectDiff d;
        const Status s = DiffProjects(a, b, d);
        EXPECT_TRUE(s.ok()) << s.message;
        return d;
    }
};

const std::string kRows = Rx("0x100", "8", "one") + Rx("0x101", "2", "two") +
                          Rx("0x102", "4", "three") + Rx("0x103", "1", "four");

DiffEntry Frame(DiffKind kind, int rowA, int rowB, const std::string& item,
                const std::string& field = {}, const std::string& a = {},
                const std::string& b = {}) {
    return {DiffSection::Receive, kind, rowA, rowB, item, field, a, b};
}

std::vector<DiffEntry> FrameEntries(const ProjectDiff& d) {
    std::vector<DiffEntry> out;
    for (const DiffEntry& e : d.entries)
        if (e.section == DiffSection::Receive) out.push_back(e);
    return out;
}

} // namespace

TEST(ProjectDiff, EqualProjects) {
    const Pair p(kParGen, kRows, kParGen, kRows);
    const ProjectDiff d = p.diff();
    EXPECT_TRUE(d.equal());
    LanguageTable t;
    t.Load_Default_Texts();
    EXPECT_EQ(DiffReport(d, t, "a", "b"), "The Projects are equal\n");
    EXPECT_EQ(DiffJson(d, "a", "b"),
              "{\"a\":\"a\",\"b\":\"b\",\"equal\":true,\"differences\":[]}\n");
}

TEST(ProjectDiff, EachKindOfFrameDifference) {
    const std::string t11 = " 2.0A (11 bits)";
    struct Case {
        const char* name;
        std::string rowsB;
        std::vector<DiffEntry> want;
    } cases[] = {
        {"added at the end",
         kRows + Rx("0x200", "8", "new"),
         {Frame(DiffKind::Added, 0, 5, "0x200" + t11)}},
        {"removed in the middle: the rows after only shift",
         Rx("0x100", "8", "one") + Rx("0x102", "4", "three") + Rx("0x103", "1", "four"),
         {Frame(DiffKind::Removed, 2, 0, "0x101" + t11)}},
        {"changed field by field",
         Rx("0x100", "8", "one") + Rx("0x101", "3", "TWO") + Rx("0x102", "4", "three") +
             Rx("0x103", "1", "four"),
         {Frame(DiffKind::Changed, 2, 2, "0x101" + t11, "Dim", "2", "3"),
          Frame(DiffKind::Changed, 2, 2, "0x101" + t11, "Mnemonic", "two", "TWO")}},
        {"moved",
         Rx("0x100", "8", "one") + Rx("0x102", "4", "three") + Rx("0x103", "1", "four") +
             Rx("0x101", "2", "two"),
         {Frame(DiffKind::Moved, 2, 4, "0x101" + t11)}},
        {"another type is another frame",
         Rx("0x100", "8", "one") + Rx("0x101", "2", "two", "2.0B (29 bits)") +
             Rx("0x102", "4", "three") + Rx("0x103", "1", "four"),
         {Frame(DiffKind::Removed, 2, 0, "0x101" + t11),
          Frame(DiffKind::Added, 0, 2, "0x101 2.0B (29 bits)")}},
        {"same identifier written in decimal",
         Rx("256", "8", "one") + Rx("0x101", "2", "two") + Rx("0x102", "4", "three") +
             Rx("0x103", "1", "four"),
         {Frame(DiffKind::Changed, 1, 1, "256" + t11, "COBID", "0x100", "256")}},
    };
    for (const Case& c : cases) {
        const Pair p(kParGen, kRows, kParGen, c.rowsB);
        EXPECT_EQ(FrameEntries(p.diff()), c.want) << c.name;
    }
}

TEST(ProjectDiff, SettingsAndDeviceEffects) {
    const std::string parB = "<Par_Gen><CAN_BAUDRATE>6</CAN_BAUDRATE><PROFIBUS_ID_Device>12"
                             "</PROFIBUS_ID_Device><PROFIBUS_GDS_CAN_Mapping>1"
                             "</PROFIBUS_GDS_CAN_Mapping></Par_Gen>";
    const std::string rowsB = Rx("0x100", "8", "one") + Rx("0x101", "2", "two") +
                              Rx("0x102", "4", "three") + Rx("0x103", "2", "four");
    const Pair p(kParGen, kRows, parB, rowsB);
    const ProjectDiff d = p.diff();
    ASSERT_EQ(d.entries.size(), 5u);
    EXPECT_EQ(d.entries[0], (DiffEntry{DiffSection::Communication,
                                       DiffKind::Changed,
                                       0,
                                       0,
                                       {},
                                       "CAN_BAUDRATE",
                                       "500K",
                                       "250K"}));
    EXPECT_EQ(d.entries[1].field, "Dim");
    EXPECT_EQ(d.entries[2], (DiffEntry{DiffSection::Device,
                                       DiffKind::Changed,
                                       0,
                                       0,
                                       {},
                                       "GSD modules",
                                       "DI 8, DI 2, DI 4, DI 1",
                                       "DI 8, DI 2, DI 4, DI 2"}));
    EXPECT_EQ(d.entries[3].field, "image checksum");
    EXPECT_NE(d.entries[3].a, d.entries[3].b);
    // Bit rate 20 A1 07 -> 90 D0 03, one DataLen, RecDataBytes 15 -> 16, and the low two
    // bytes of the checksum (+156).
    EXPECT_EQ(
        d.entries[4],
        (DiffEntry{DiffSection::Device, DiffKind::Differing, 0, 0, {}, "image bytes", "7", {}}));
    LanguageTable t;
    t.Load_Default_Texts();
    const std::string report = DiffReport(d, t, "PROJECTS/A", "B");
    EXPECT_EQ(report.substr(0, 22), "A: PROJECTS/A\nB: B\nCom");
    EXPECT_NE(report.find("Communication settings: changed CAN_BAUDRATE: 500K -> 250K\n"),
              std::string::npos);
    EXPECT_NE(report.find("Receive frames: changed row 4 0x103 2.0A (11 bits) Dim: 1 -> 2\n"),
              std::string::npos)
        << report;
    EXPECT_NE(report.find("Device: differing image bytes: 7\n"), std::string::npos) << report;
    const std::string json = DiffJson(d, "PROJECTS/A", "B");
    EXPECT_EQ(json.substr(0, 35), "{\"a\":\"PROJECTS/A\",\"b\":\"B\",\"equal\":f");
    EXPECT_NE(json.find("{\"section\":\"receive\",\"kind\":\"changed\",\"in\":\"AB\",\"rowA\":4,"
                        "\"rowB\":4,\"item\":\"0x103 2.0A (11 bits)\",\"field\":\"Dim\","
                        "\"a\":\"1\",\"b\":\"2\"}"),
              std::string::npos);
    EXPECT_NE(
        json.find("{\"section\":\"device\",\"kind\":\"differing\",\"in\":\"AB\",\"rowA\":0,"
                  "\"rowB\":0,\"item\":\"\",\"field\":\"image bytes\",\"a\":\"7\",\"b\":\"\"}"),
        std::string::npos)
        << json;
}

// Two frames of equal length trade places: the image bytes differ but their sum, the
// checksum, does not. Only what differs is listed.
TEST(ProjectDiff, OnlyRealDeviceDifferences) {
    const Pair p(kParGen, Rx("0x100", "2", "one") + Rx("0x101", "2", "two"), kParGen,
                 Rx("0x101", "2", "two") + Rx("0x100", "2", "one"));
    const ProjectDiff d = p.diff();
    std::vector<DiffEntry> device;
    for (const DiffEntry& e : d.entries)
        if (e.section == DiffSection::Device) device.push_back(e);
    // The identifiers 0x100 and 0x101 sit in swapped places: their low bytes differ.
    EXPECT_EQ(device,
              (std::vector<DiffEntry>{
                  {DiffSection::Device, DiffKind::Differing, 0, 0, {}, "image bytes", "2", {}}}));
    for (const DiffEntry& e : d.entries)
        if (e.kind == DiffKind::Changed) {
            EXPECT_NE(e.a, e.b) << e.field;
        }
}

// Added and removed frames name the Project that holds them, in the window and the command line.
TEST(ProjectDiff, OnlyInNamesTheProject) {
    const Pair p(kParGen, kRows + Rx("0x300", "1", "old"), kParGen,
                 kRows + Rx("0x301", "1", "new"));
    LanguageTable t;
    t.Load_Default_Texts();
    const std::string report = DiffReport(p.diff(), t, "x/A", "y/B");
    EXPECT_NE(report.find("Receive frames: only in B row 5 0x301 2.0A (11 bits)\n"),
              std::string::npos)
        << report;
    EXPECT_NE(report.find("Receive frames: only in A row 5 0x300 2.0A (11 bits)\n"),
              std::string::npos)
        << report;
    EXPECT_EQ(DiffKindText(DiffKind::Added, t), "only in the other Project");
    EXPECT_EQ(DiffKindText(DiffKind::Removed, t), "only in this Project");
    const std::string json = DiffJson(p.diff(), "x/A", "y/B");
    EXPECT_NE(json.find("\"kind\":\"added\",\"in\":\"B\",\"rowA\":0,\"rowB\":5"), std::string::npos)
        << json;
    EXPECT_NE(json.find("\"kind\":\"removed\",\"in\":\"A\",\"rowA\":5,\"rowB\":0"),
              std::string::npos)
        << json;
}

// A folder without any Project file is no Project: compared, it would lose every frame.
TEST(ProjectDiff, HoldsProjectFiles) {
    TempDir dir;
    std::filesystem::create_directories(dir / "empty");
    EXPECT_FALSE(HoldsProjectFiles(dir / "empty"));
    EXPECT_FALSE(HoldsProjectFiles(dir / "none"));
    Write(dir / "p" / "CAN_Send_Frames.xml", "<Transmit_Frames/>");
    EXPECT_TRUE(HoldsProjectFiles(dir / "p"));
    ProjectDiff d;
    const Status s = DiffProjects(dir / "p", dir / "empty", d);
    EXPECT_FALSE(s.ok());
    EXPECT_NE(s.message.find("empty: not a Project folder"), std::string::npos) << s.message;
}

TEST(ProjectDiff, MissingSettingsFileAndErrors) {
    const Pair p(kParGen, kRows, "", kRows);
    const ProjectDiff d = p.diff();
    ASSERT_FALSE(d.entries.empty());
    EXPECT_EQ(d.entries[0].kind, DiffKind::Removed);
    EXPECT_EQ(d.entries[0].field, "ParGen.xml");

    ProjectDiff out;
    EXPECT_FALSE(DiffProjects(p.a, p.dir / "none", out).ok());
    Write(p.b / "CAN_Send_Frames.xml", "<Transmit_Frames><row");
    const Status broken = DiffProjects(p.a, p.b, out);
    EXPECT_FALSE(broken.ok());
    EXPECT_NE(broken.message.find("CAN_Send_Frames.xml"), std::string::npos);
}
