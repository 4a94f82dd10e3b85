#include "ProjectFixture.h"
#include "outputs/ConfigImage.h"
#include "outputs/ConfigImageDump.h"
#include "outputs/GsdFile.h"
#include "project/IntOrDefault.h"

#include <gtest/gtest.h>

#include <fstream>
#include <vector>

using kt::test::HexBytes;
using kt::test::ProjectDir;
using kt::test::TempDir;

namespace {

constexpr std::size_t P = 2048; // file offset of the parameter block

// An unused frame entry: 16 bytes of 0, then 16 bytes of FF.
const std::string kUnused = HexBytes("00000000 00000000 00000000 00 00 00 00 FFFF FFFF FFFF FFFF "
                                     "FFFF FFFF FFFF FFFF");

struct Patch {
    std::size_t at;
    const char* hex;
};

// Unused tables, a zero parameter block with the fixed words, then the case's bytes.
std::string Expected(const std::vector<Patch>& patches) {
    std::string img;
    for (int i = 0; i < 64; ++i)
        img += kUnused;
    img.append(2048, '\0');
    const std::vector<Patch> fixed = {
        {P + 4, "48E80100"}, {P + 8, "80250000"}, {P + 196, "00780600"}, {P + 200, "007C0600"}};
    for (const auto* list : {&fixed, &patches})
        for (const Patch& p : *list) {
            const std::string b = HexBytes(p.hex);
            img.replace(p.at, b.size(), b);
        }
    return img;
}

std::string Bytes(const kt::ConfigImage& img) {
    return {reinterpret_cast<const char*>(img.data()), img.size()};
}

std::string Compiled(const ProjectDir& project) {
    kt::ConfigImage img{};
    const kt::Status s = kt::Compile_Config_Image(project.files(), img);
    EXPECT_TRUE(s.ok()) << s.message;
    return Bytes(img);
}

struct ImageCase {
    const char* name;
    const char* parGen; // the three values baud, address, mapping; nullptr: no ParGen.xml
    std::vector<const char*> settings;
    const char* receive; // rows; nullptr: no file
    const char* transmit;
    std::vector<Patch> patches;
};

class ImageBytes : public ::testing::TestWithParam<ImageCase> {};

TEST_P(ImageBytes, Case) {
    const ImageCase& c = GetParam();
    ProjectDir project;
    if (c.parGen) project.parGen(c.parGen);
    if (!c.settings.empty()) project.settings(c.settings[0], c.settings[1], c.settings[2]);
    if (c.receive) project.receive(c.receive);
    if (c.transmit) project.transmit(c.transmit);
    const std::string got = Compiled(project);
    const std::string want = Expected(c.patches);
    ASSERT_EQ(got.size(), 4096u);
    for (std::size_t i = 0; i < want.size(); ++i)
        ASSERT_EQ(static_cast<unsigned char>(got[i]), static_cast<unsigned char>(want[i]))
            << "first difference at file offset " << i;
}

const ImageCase kImageCases[] = {
    {"NoFiles", nullptr, {}, nullptr, nullptr, {{P, "48E80100"}, {4092, "07040000"}}},
    {"Baud7Address12",
     nullptr,
     {"7", "12", "0"},
     nullptr,
     nullptr,
     {{P, "20A10700"}, {P + 40, "0C000000"}, {4092, "AA030000"}}},
    {"BaudAbove9AddressNotANumber",
     nullptr,
     {"12", "abc", "0"},
     nullptr,
     nullptr,
     {{P, "40420F00"}, {P + 40, "0A000000"}, {4092, "71030000"}}},
    {"BaudNotANumber",
     nullptr,
     {"abc", "10", "0"},
     nullptr,
     nullptr,
     {{P, "40420F00"}, {P + 40, "0A000000"}, {4092, "71030000"}}},
    {"NegativeBaudAddressWithTrailingBlank",
     nullptr,
     {"-1", "10 ", "yes"},
     nullptr,
     nullptr,
     {{P, "40420F00"}, {P + 40, "0A000000"}, {4092, "71030000"}}},
    {"MissingBaudAndAddress",
     "<Par_Gen><PROFIBUS_GDS_CAN_Mapping>1</PROFIBUS_GDS_CAN_Mapping></Par_Gen>",
     {},
     nullptr,
     nullptr,
     {{P, "40420F00"}, {P + 40, "0A000000"}, {P + 156, "01000000"}, {4092, "72030000"}}},
    {"AddressStoredWithoutRangeCheck",
     nullptr,
     {"0", "-1", "1 "},
     nullptr,
     nullptr,
     {{P, "10270000"}, {P + 40, "FFFFFFFF"}, {4092, "09070000"}}},
    {"ReceiveFrame11Bit",
     nullptr,
     {},
     "<row COBID=\"291\" CAN_Type=\"2.0A (11 bits)\" Dim=\"8\" SWAP=\"0\" TimeOut=\"1000\" "
     "Mnemonic=\"m\"/>",
     nullptr,
     {{P, "48E80100"},
      {0, "23010000 00000000 E8030000 00 00 08 00 0000 FFFF FFFF FFFF FFFF FFFF FFFF FFFF"},
      {P + 44, "08000000"},
      {P + 204, "01000000"},
      {4092, "10040000"}}},
    {"ReceiveFrame29BitTypeTrimmed",
     nullptr,
     {},
     "<row COBID=\"291\" CAN_Type=\" 2.0B (29 bits) \" Dim=\"8\" SWAP=\"0\" TimeOut=\"1000\"/>",
     nullptr,
     {{P, "48E80100"},
      {0, "23010080 00000000 E8030000 00 00 08 00 0000 FFFF FFFF FFFF FFFF FFFF FFFF FFFF"},
      {P + 44, "08000000"},
      {P + 204, "01000000"},
      {4092, "10040000"}}},
    {"EmptyTypeIs11BitEmptySwapIsZero",
     nullptr,
     {},
     "<row COBID=\"0x123\" CAN_Type=\"\" Dim=\"1\" SWAP=\"\" TimeOut=\"0\"/>",
     nullptr,
     {{P, "48E80100"},
      {0, "23010000 00000000 00000000 00 00 01 00 0000 FFFF FFFF FFFF FFFF FFFF FFFF FFFF"},
      {P + 44, "01000000"},
      {P + 204, "01000000"},
      {4092, "09040000"}}},
    {"DataOffsetsCountPerTable",
     nullptr,
     {},
     "<row COBID=\"1\" Dim=\"3\"/><row COBID=\"2\" Dim=\"5\"/>",
     "<row COBID=\"3\" Dim=\"2\"/>",
     {{P, "48E80100"},
      {0, "01000000 00000000 00000000 00 00 03 00 0000 FFFF FFFF FFFF FFFF FFFF FFFF FFFF"},
      {32, "02000000 00000000 00000000 00 00 05 00 0300 FFFF FFFF FFFF FFFF FFFF FFFF FFFF"},
      {1024, "03000000 00000000 00000000 00 01 02 00 0000 FFFF FFFF FFFF FFFF FFFF FFFF FFFF"},
      {P + 44, "08000000"},
      {P + 48, "02000000"},
      {P + 204, "02000000"},
      {P + 208, "01000000"},
      {4092, "14040000"}}},
    {"SendFlagsAndTime",
     nullptr,
     {},
     nullptr,
     "<row COBID=\"1\" Dim=\"8\" OnChange=\"Y\" OnTimer=\"N\" Time=\"500\"/>"
     "<row COBID=\"2\" Dim=\"8\" OnChange=\"N\" OnTimer=\"N\"/>"
     "<row COBID=\"3\" Dim=\"8\" OnChange=\"y\" OnTimer=\"N\"/>"
     "<row COBID=\"4\" Dim=\"8\" OnTimer=\"Y\" Time=\"7\"/>",
     {{P, "48E80100"},
      {1024, "01000000 F4010000 00000000 00 03 08 00 0000 FFFF FFFF FFFF FFFF FFFF FFFF FFFF"},
      {1056, "02000000 00000000 00000000 00 01 08 00 0800 FFFF FFFF FFFF FFFF FFFF FFFF FFFF"},
      {1088, "03000000 00000000 00000000 00 01 08 00 1000 FFFF FFFF FFFF FFFF FFFF FFFF FFFF"},
      {1120, "04000000 07000000 00000000 00 05 08 00 1800 FFFF FFFF FFFF FFFF FFFF FFFF FFFF"},
      {P + 48, "20000000"},
      {P + 208, "04000000"},
      {4092, "2B040000"}}},
    {"SendFlagsNeedExactlyY",
     nullptr,
     {},
     nullptr,
     "<row COBID=\"1\" Dim=\"8\" OnChange=\"Y \" OnTimer=\" Y\" Time=\"5\"/>",
     {{P, "48E80100"},
      {1024, "01000000 05000000 00000000 00 01 08 00 0000 FFFF FFFF FFFF FFFF FFFF FFFF FFFF"},
      {P + 48, "08000000"},
      {P + 208, "01000000"},
      {4092, "10040000"}}},
    {"MissingAttributesStillTakeTheirPlace",
     nullptr,
     {},
     "<row/><other CAN_Type=\"2.0B (29 bits)\"/>",
     nullptr,
     {{P, "48E80100"},
      {0, "00000000 00000000 00000000 00 00 08 00 0000 FFFF FFFF FFFF FFFF FFFF FFFF FFFF"},
      {32, "00000080 00000000 00000000 00 00 08 00 0800 FFFF FFFF FFFF FFFF FFFF FFFF FFFF"},
      {P + 44, "10000000"},
      {P + 204, "02000000"},
      {4092, "19040000"}}},
    {"WideValuesKeepTheirLowBits",
     nullptr,
     {},
     "<row COBID=\"0xFFFFFFFF\" CAN_Type=\"2.0B (29 bits)\" Dim=\"260\" SWAP=\"300\" "
     "TimeOut=\"-1\"/>",
     nullptr,
     {{P, "48E80100"},
      {0, "FFFFFFFF 00000000 FFFFFFFF 00 00 04 2C 0000 FFFF FFFF FFFF FFFF FFFF FFFF FFFF"},
      {P + 44, "04000000"},
      {P + 204, "01000000"},
      {4092, "0C040000"}}},
};

INSTANTIATE_TEST_SUITE_P(All, ImageBytes, ::testing::ValuesIn(kImageCases),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(ConfigImage, MoreThan32FramesKeepsTheFirst32) {
    ProjectDir project;
    std::string rows;
    for (int i = 0; i < 40; ++i)
        rows += "<row COBID=\"" + std::to_string(i) + "\" Dim=\"1\"/>";
    project.receive(rows);
    const std::string img = Compiled(project);
    EXPECT_EQ(img.substr(31 * 32, 32),
              HexBytes("1F000000 00000000 00000000 00 00 01 00 1F00 FFFF FFFF FFFF FFFF FFFF FFFF "
                       "FFFF"));
    EXPECT_EQ(img.substr(1024, 32), kUnused); // the send table is untouched
    EXPECT_EQ(img.substr(P + 44, 4), HexBytes("20000000"));
    EXPECT_EQ(img.substr(P + 204, 4), HexBytes("20000000"));
}

// Check Project reads a frame once, as a row, and takes the image's and the GSD's view from
// that row: each must equal what the compiler and the GSD step read from the node itself.
TEST(ConfigImage, FrameFromTheRowEqualsFrameFromTheNode) {
    const char* rows[] = {
        R"x(<row COBID="0x1FFFFFFF" CAN_Type=" 2.0B (29 bits) " Dim="300" SWAP="0xFE" OnChange="Y"
              OnTimer="y" Time="-5" TimeOut="12"/>)x",
        R"x(<row/>)x",
        R"x(<row COBID="" CAN_Type="" Dim="" SWAP="" OnChange="" OnTimer="" Time="" TimeOut=""/>)x",
        R"x(<row COBID="abc" Dim="0" OnTimer="Y" Time="250"/>)x",
        R"x(<row COBID="12" CAN_Type="2.0A (11 bits)" Dim="-1" TimeOut="99999999999"/>)x",
        R"x(text between rows)x",
        R"x(<!-- a comment -->)x",
    };
    for (const char* text : rows) {
        pugi::xml_document doc;
        ASSERT_TRUE(doc.load_string((std::string("<Frames>") + text + "</Frames>").c_str(),
                                    pugi::parse_default | pugi::parse_comments));
        const pugi::xml_node node = doc.first_child().first_child();
        for (kt::FrameKind kind : {kt::FrameKind::Receive, kt::FrameKind::Transmit}) {
            const kt::FrameRow row = kt::ReadFrameRow(node, kind);
            EXPECT_EQ(kt::ReadImageFrame(row, kind), kt::ReadImageFrame(node, kind)) << text;
            EXPECT_EQ(kt::IntOrDefault(row[kt::RxDim], 0), kt::GsdFrameDim(node)) << text;
        }
    }
}

TEST(ConfigImage, IndentedFilesGiveTheSameImage) {
    ProjectDir compact;
    compact.settings("7", "12", "1");
    compact.receive("<row COBID=\"1\" Dim=\"2\"/><row COBID=\"2\" Dim=\"3\"/>");
    ProjectDir indented;
    indented.parGen(
        "<?xml version=\"1.0\"?>\n<!-- c -->\n<Par_Gen>\n  <CAN_BAUDRATE>7</CAN_BAUDRATE>\n"
        "  <PROFIBUS_ID_Device>12</PROFIBUS_ID_Device>\n"
        "  <PROFIBUS_GDS_CAN_Mapping>1</PROFIBUS_GDS_CAN_Mapping>\n</Par_Gen>\n");
    indented.receive(
        "\n  <row COBID=\"1\" Dim=\"2\"/>\n  <!-- x -->\n  <row COBID=\"2\" Dim=\"3\"/>\n");
    EXPECT_EQ(Compiled(indented), Compiled(compact));
}

class MalformedProjectFile : public ::testing::TestWithParam<const char*> {};

TEST_P(MalformedProjectFile, FailsWithFileName) {
    ProjectDir project;
    project.settings("7", "12", "0");
    std::ofstream(project.path() / GetParam(), std::ios::binary) << "<Root><row></Root>";
    kt::ConfigImage img{};
    const kt::Status s = kt::Compile_Config_Image(project.files(), img);
    EXPECT_FALSE(s.ok());
    EXPECT_NE(s.message.find(GetParam()), std::string::npos) << s.message;
    EXPECT_NE(s.message.find("mismatch"), std::string::npos) << s.message;
}

INSTANTIATE_TEST_SUITE_P(All, MalformedProjectFile,
                         ::testing::Values("ParGen.xml", "CAN_Rec_Frames.xml",
                                           "CAN_Send_Frames.xml"),
                         [](const auto& row) {
                             std::string n = row.param;
                             return n.substr(0, n.find('.'));
                         });

TEST(ConfigImage, WriteCreatesMissingBinFolder) {
    ProjectDir project;
    kt::ConfigImage img{};
    ASSERT_TRUE(kt::Compile_Config_Image(project.files(), img).ok());
    const auto file = kt::ConfigImageFile(project.path());
    EXPECT_EQ(file, project.path() / "bin" / "bank1.bin");
    const kt::Status s = kt::Write_Config_Image(file, img);
    ASSERT_TRUE(s.ok()) << s.message;
    EXPECT_EQ(TempDir::read(file), Expected({{P, "48E80100"}, {4092, "07040000"}}));
}

TEST(ConfigImage, VanishedProjectFolderIsNotRecreated) {
    TempDir dir;
    const auto gone = dir / "Removed Project";
    kt::ConfigImage img{};
    ASSERT_TRUE(kt::Compile_Config_Image(kt::MakeProjectFiles(gone), img).ok());
    const kt::Status s = kt::Write_Config_Image(kt::ConfigImageFile(gone), img);
    EXPECT_FALSE(s.ok());
    EXPECT_NE(s.message.find("bin"), std::string::npos) << s.message;
    EXPECT_FALSE(std::filesystem::exists(gone));
}

TEST(ConfigImage, FailedWriteIsReportedAndKeepsTheOldFile) {
    ProjectDir project;
    kt::ConfigImage img{};
    ASSERT_TRUE(kt::Compile_Config_Image(project.files(), img).ok());
    // bin exists as a file: the folder cannot be made.
    std::ofstream(project.path() / "bin") << "x";
    kt::Status s = kt::Write_Config_Image(kt::ConfigImageFile(project.path()), img);
    EXPECT_FALSE(s.ok());
    EXPECT_NE(s.message.find("bin"), std::string::npos) << s.message;

    // The target is a folder: the rename fails, nothing is left behind.
    const auto target = project.path() / "out" / "bank1.bin";
    std::filesystem::create_directories(target / "inner");
    s = kt::Write_Config_Image(target, img);
    EXPECT_FALSE(s.ok());
    EXPECT_NE(s.message.find("bank1.bin"), std::string::npos) << s.message;
    EXPECT_TRUE(std::filesystem::is_directory(target / "inner"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(project.path() / "out"),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(ImageDump, DecodesTablesParametersAndChecksum) {
    ProjectDir project;
    project.settings("7", "12", "1");
    project.receive("<row COBID=\"291\" CAN_Type=\"2.0A (11 bits)\" Dim=\"8\" SWAP=\"0x0F\" "
                    "TimeOut=\"1000\"/>");
    project.transmit("<row COBID=\"0x100\" CAN_Type=\"2.0B (29 bits)\" Dim=\"2\" OnChange=\"Y\" "
                     "OnTimer=\"Y\" Time=\"250\"/>");
    const kt::Result<std::string> dump = kt::DumpConfigImage(Compiled(project));
    ASSERT_TRUE(dump.ok());
    EXPECT_EQ(dump.value, "Receive frames: 1\n"
                          "  1: CobId 0x00000123 11-bit, DataLen 8, DataOffset 0, Swap 0x0F, "
                          "RecTimeOut 1000 ms\n"
                          "Send frames: 1\n"
                          "  1: CobId 0x00000100 29-bit, DataLen 2, DataOffset 0, Swap 0x00, "
                          "SendFlags 0x07 (OnChange Y, OnTimer Y), SendTime 250 ms\n"
                          "Parameters:\n"
                          "  CanBaudRate 500000\n"
                          "  Word4 125000\n"
                          "  Word8 9600\n"
                          "  ProfibusAddress 12\n"
                          "  RecDataBytes 8\n"
                          "  SendDataBytes 2\n"
                          "  GsdCanMapping 1\n"
                          "  RecTableAddr 0x00067800\n"
                          "  SendTableAddr 0x00067C00\n"
                          "  RecFrameCount 1\n"
                          "  SendFrameCount 1\n"
                          "  ParamChecksum 0x000003B7 (matches)\n");
}

TEST(ImageDump, FlagsABadChecksumAndImpossibleCounts) {
    std::string img = Expected({{P, "48E80100"}, {P + 204, "FF000000"}, {4092, "07040000"}});
    const kt::Result<std::string> dump = kt::DumpConfigImage(img);
    ASSERT_TRUE(dump.ok());
    const std::string& text = dump.value;
    EXPECT_NE(text.find("Receive frames: 255 (more than the 32 entries of the table)"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("ParamChecksum 0x00000407 (does not match: computed 0x00000506)"),
              std::string::npos)
        << text;
}

TEST(ImageDump, RejectsWrongSize) {
    for (std::size_t size : {0u, 4095u, 4097u}) {
        const kt::Result<std::string> dump = kt::DumpConfigImage(std::string(size, '\0'));
        const kt::Status& s = dump.status;
        EXPECT_FALSE(s.ok());
        EXPECT_NE(s.message.find(std::to_string(size)), std::string::npos) << s.message;
        EXPECT_EQ(dump.value, "");
    }
}

} // namespace
