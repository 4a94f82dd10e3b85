#include "ProjectFixture.h"
#include "base/Identity.h"
#include "lang/LanguageTable.h"
#include "outputs/GsdFile.h"

#include <gtest/gtest.h>

#include <fstream>

using kt::GSD_Data;
using kt::test::ProjectDir;
using kt::test::TempDir;

namespace {

const kt::LanguageTable& English() {
    static const kt::LanguageTable table = [] {
        kt::LanguageTable t;
        t.Load_Default_Texts();
        return t;
    }();
    return table;
}

// Every line of a GSD file ends with CR LF; the texts below are written with LF only.
std::string Crlf(const std::string& lf) {
    std::string out;
    for (char c : lf) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

// Header lines 5 to 11: the maker's details from the build's options, each value from
// column 14, the line padded with blanks so that "*" is the 85th character.
std::string VendorLines() {
    const auto boxed = [](const std::string& body) {
        std::string line = ";*" + body;
        line.resize(84, ' ');
        return line + "*\n";
    };
    const std::string indent(11, ' ');
    std::string out = boxed(std::string(" Vendor:   ") + kt::VendorLegalName);
    for (const char* l : kt::VendorAddress)
        out += boxed(indent + l);
    out += boxed(indent + "Tel. : " + kt::VendorPhone);
    out += boxed(indent + "FAX. : " + kt::VendorFax);
    out += boxed(indent + "eMail: " + kt::VendorMail);
    return out;
}

// From the first line to "Modular_Station=1".
const std::string kHead =
    R"gsd(;
;*********************** CAN / PROFIBUS Slave - Converter ***************************
;* ================================================================================ *
;*                                                                                  *
)gsd" +
    VendorLines() +
    R"gsd(;*                                                                                  *
;* ================================================================================ *
;*                                                                                  *
;* Function:       CAN / PROFIBUS Slave - Converter                                 *
;*                                                                                  *
;*                                                                                  *
;* Order Number : GX52903                                                           *
;*                                                                                  *
;*                                                                                  *
;************************************************************************************


#Profibus_DP


;====================================================================================
;==== Prm-Text-Def-List =============================================================
;====================================================================================

PrmText=1
Text(0)="disable"
Text(1)="enable"
EndPrmText

PrmText  = 2
Text(0)  = "clock up"
Text(1)  = "clock down"
EndPrmText

PrmText  = 3
Text(1)  = "10"
Text(2)  = "20"
Text(3)  = "30"
Text(4)  = "40"
Text(5)  = "50"
EndPrmText


;=====================================================================================
;==== Ext-User-Prm-Data-Def-List =====================================================
;=====================================================================================

ExtUserPrmData=1 "[SlotNumber]"
Unsigned8 0 0-32
EndExtUserPrmData

ExtUserPrmData=2 "Diagnostic Alarm"
Bit(0) 0 0-1
Prm_Text_Ref=1
EndExtUserPrmData

ExtUserPrmData=3 "Process Alarm"
Bit(1) 0 0-1
Prm_Text_Ref=1
EndExtUserPrmData

ExtUserPrmData=4 "Counter mode"
Unsigned8 0 0-1
Prm_Text_Ref=2
EndExtUserPrmData

ExtUserPrmData=5 "Counter timebase (ms)"
Unsigned8 1 1-5
Prm_Text_Ref=3
EndExtUserPrmData

ExtUserPrmData=6 "Counter high-limit"
Unsigned16 65535 0-65535
EndExtUserPrmData

ExtUserPrmData=7 "Counter low-limit"
Unsigned16 0 0-65535
EndExtUserPrmData


;=====================================================================================
;==== General DP Keywords ============================================================
;=====================================================================================

GSD_Revision = 5
Vendor_Name = "Tarvix"
Model_Name = "GX52903"
Revision = "1.00"
Ident_Number = 0x7C31
Protocol_Ident = 0
Station_Type = 0
FMS_supp = 0
Hardware_Release = "V1.00"
Software_Release = "V1.00"
Redundancy = 0
Repeater_Ctrl_Sig = 2
24V_Pins = 0


;==============================================================================
;==== Supported baudrates =====================================================
;==============================================================================

9.6_supp = 1
19.2_supp = 1
45.45_supp = 1
93.75_supp = 1
187.5_supp = 1
500_supp = 1
1.5M_supp = 1
3M_supp = 1
6M_supp = 1
12M_supp = 1

MaxTsdr_9.6=15
MaxTsdr_19.2=15
MaxTsdr_45.45=15
MaxTsdr_93.75=15
MaxTsdr_187.5=15
MaxTsdr_500=15
MaxTsdr_1.5M=20
MaxTsdr_3M=35
MaxTsdr_6M=50
MaxTsdr_12M=95


;==============================================================================
;==== Slave specific values ===================================================
;==============================================================================

OrderNumber="GX52903"
Slave_Family = 9@Tarvix@GX52903
Implementation_Type = "VPC3+"
Info_Text="Tarvix: CAN / PROFIBUS Slave - Converter"
Bitmap_Device = "DPV0_1N"
Bitmap_SF="DPV0_1S"

Freeze_Mode_supp=1
Sync_Mode_supp=1
Fail_Safe=1
Auto_Baud_supp=1
Set_Slave_Add_supp=0

Min_Slave_Intervall=6

Modular_Station=1
)gsd";

// The five computed lines of the slave section.
std::string Numbers(int modules, int in, int out) {
    return "Max_Module=" + std::to_string(modules) +
           "\nModul_Offset=1\nMax_Input_Len=" + std::to_string(in) +
           "\nMax_Output_Len=" + std::to_string(out) +
           "\nMax_Data_Len=" + std::to_string(in + out) + "\n";
}

// From "Max_Diag_Data_Len=15" to the empty line after the module section's title.
const std::string kMiddle = R"gsd(Max_Diag_Data_Len=15

WD_Base_1ms_supp = 1
Publisher_supp = 1

;==============================================================================
;==== User-Prm-Data ===========================================================
;==============================================================================

Max_User_Prm_Data_Len = 12
Ext_User_Prm_Data_Const(0)= 0x00,0x00,0x00

;==============================================================================
;==== Modulstatus =============================================================
;==============================================================================

Unit_Diag_Area = 24 - 25
Value(1)= "Slot 1: Module error"
Value(2)= "Slot 1: Wrong module"
Value(3)= "Slot 1: No module"
Unit_Diag_Area_End
Unit_Diag_Area = 26 - 27
Value(1)= "Slot 2: Module error"
Value(2)= "Slot 2: Wrong module"
Value(3)= "Slot 2: No module"
Unit_Diag_Area_End


;==============================================================================
;==== Module-Definition-List ==================================================
;==============================================================================

)gsd";

std::string Gsd(int modules, int in, int out, const std::string& moduleLines,
                const std::string& slotLines) {
    return Crlf(kHead + Numbers(modules, in, out) + kMiddle + moduleLines +
                "\n\n\nSlotDefinition\n" + slotLines + "EndSlotDefinition\n\n\n\n\n");
}

std::string Generated(const ProjectDir& project) {
    const kt::Result<GSD_Data> read = kt::Read_GSD_Data(project.files());
    EXPECT_TRUE(read.ok()) << read.status.message;
    EXPECT_FALSE(read.status.notFound());
    const auto file = project.path() / "out.gsd";
    const kt::Status s = kt::Write_GSD_File(file, read.value, English());
    EXPECT_TRUE(s.ok()) << s.message;
    return TempDir::read(file);
}

TEST(GsdFile, HeaderLinesAre85Characters) {
    std::size_t start = 0;
    const std::string text = Crlf(kHead);
    for (int line = 1; line <= 21; ++line) {
        const std::size_t end = text.find("\r\n", start);
        if (line >= 2) {
            EXPECT_EQ(end - start, 85u) << "line " << line;
        }
        start = end + 2;
    }
}

TEST(GsdFile, WorkedExampleWithoutMapping) {
    ProjectDir project;
    project.settings("9", "10", "0");
    std::string rows;
    for (int i = 0; i < 8; ++i)
        rows += "<row COBID=\"1\" Dim=\"8\"/>";
    project.receive(rows + "<row COBID=\"2\" Dim=\"6\"/>"); // 70 bytes in
    project.transmit("<row Dim=\"5\"/><row Dim=\"3\"/>");   // 8 bytes out
    const std::string modules = "Module=\"DI  (PORT1)    \" 0x42,0x3F,0x00,0x01\n1\nEndModule\n"
                                "Module=\"DI  (PORT2)    \" 0x42,0x05,0x00,0x02\n2\nEndModule\n"
                                "Module=\"DO  (PORT3)    \" 0x82,0x07,0x00,0x03\n3\nEndModule\n";
    const std::string slots = "Slot(1) = \"Slot 1\" 1 1\nSlot(2) = \"Slot 2\" 2 2\n"
                              "Slot(3) = \"Slot 3\" 3 3\n";
    EXPECT_EQ(Generated(project), Gsd(3, 70, 8, modules, slots));
}

TEST(GsdFile, MappingModeOneModulePerFrame) {
    ProjectDir project;
    project.settings("9", "10", "1");
    project.receive("<row Dim=\"8\"/><row Dim=\"1\"/><row Dim=\"4\"/>");
    const std::string modules = "Module=\"DI  (PORT1)    \" 0x42,0x07,0x00,0x01\n1\nEndModule\n"
                                "Module=\"DI  (PORT2)    \" 0x42,0x00,0x00,0x02\n2\nEndModule\n"
                                "Module=\"DI  (PORT3)    \" 0x42,0x03,0x00,0x03\n3\nEndModule\n";
    const std::string slots = "Slot(1) = \"Slot 1\" 1 1\nSlot(2) = \"Slot 2\" 2 2\n"
                              "Slot(3) = \"Slot 3\" 3 3\n";
    EXPECT_EQ(Generated(project), Gsd(3, 13, 0, modules, slots));
}

TEST(GsdFile, NoFramesGivesNoModulesOrSlots) {
    ProjectDir project;
    project.settings("9", "10", "0");
    EXPECT_EQ(Generated(project), Gsd(0, 0, 0, "", ""));
}

struct ModuleCase {
    const char* name;
    const char* mapping;
    std::string receive; // rows; empty: no file
    std::string transmit;
    std::string moduleLines; // the first line of each module, LF separated
    int inLen, outLen;
};

class GsdModules : public ::testing::TestWithParam<ModuleCase> {};

TEST_P(GsdModules, Case) {
    const ModuleCase& c = GetParam();
    ProjectDir project;
    project.settings("9", "10", c.mapping);
    if (!c.receive.empty()) project.receive(c.receive);
    if (!c.transmit.empty()) project.transmit(c.transmit);
    const std::string text = Generated(project);
    std::string got;
    for (std::size_t p = text.find("Module=\""); p != std::string::npos;
         p = text.find("Module=\"", p + 1))
        got += text.substr(p, text.find("\r\n", p) - p) + "\n";
    EXPECT_EQ(got, c.moduleLines);
    EXPECT_NE(text.find("\r\nMax_Input_Len=" + std::to_string(c.inLen) + "\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("\r\nMax_Output_Len=" + std::to_string(c.outLen) + "\r\n"),
              std::string::npos);
}

std::string Dims(const char* dim, int n) {
    std::string s;
    for (int i = 0; i < n; ++i)
        s += std::string("<row Dim=\"") + dim + "\"/>";
    return s;
}

const ModuleCase kModuleCases[] = {
    {"Exactly64", "0", Dims("8", 8), "", "Module=\"DI  (PORT1)    \" 0x42,0x3F,0x00,0x01\n", 64, 0},
    {"Sixty5", "0", Dims("8", 8) + Dims("1", 1), "",
     "Module=\"DI  (PORT1)    \" 0x42,0x3F,0x00,0x01\n"
     "Module=\"DI  (PORT2)    \" 0x42,0x00,0x00,0x02\n",
     65, 0},
    {"UnreadableDimCountsZero", "0", "<row Dim=\"abc\"/><row/><row Dim=\"2\"/>", "",
     "Module=\"DI  (PORT1)    \" 0x42,0x01,0x00,0x01\n", 2, 0},
    {"OutputsNumberedAfterInputs", "1", "<row Dim=\"1\"/>", Dims("2", 16),
     [] {
         std::string s = "Module=\"DI  (PORT1)    \" 0x42,0x00,0x00,0x01\n";
         for (int m = 2; m <= 17; ++m) {
             char buf[80];
             std::snprintf(buf, sizeof buf, "Module=\"DO  (PORT%d)    \" 0x82,0x01,0x00,0x%02X\n",
                           m, m);
             s += buf;
         }
         return s;
     }(),
     1, 32},
    {"MappingNineAndSixtyFourBytes", "1", "<row Dim=\"9\"/><row Dim=\"64\"/>", "",
     "Module=\"DI  (PORT1)    \" 0x42,0x08,0x00,0x01\n"
     "Module=\"DI  (PORT2)    \" 0x42,0x3F,0x00,0x02\n",
     73, 0},
};

INSTANTIATE_TEST_SUITE_P(All, GsdModules, ::testing::ValuesIn(kModuleCases),
                         [](const auto& row) { return std::string(row.param.name); });

struct RefusedCase {
    const char* name;
    const char* mapping;
    const char* receive; // rows
    const char* transmit;
    const char* message;
};

class GsdRefused : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(GsdRefused, NothingWritten) {
    const RefusedCase& c = GetParam();
    ProjectDir project;
    project.settings("9", "10", c.mapping);
    project.receive(c.receive);
    project.transmit(c.transmit);
    const kt::Result<GSD_Data> read = kt::Read_GSD_Data(project.files());
    ASSERT_TRUE(read.ok());
    const auto file = project.path() / "out.gsd";
    const kt::Status s = kt::Write_GSD_File(file, read.value, English());
    EXPECT_FALSE(s.ok());
    EXPECT_EQ(s.message, c.message);
    EXPECT_FALSE(std::filesystem::exists(file));
}

const RefusedCase kRefusedCases[] = {
    {"MappingZeroLength", "1", "<row Dim=\"8\"/><row Dim=\"0\"/>", "",
     "Error! Receive frame 2 has the length 0: a module per frame needs 1 to 64 bytes"},
    {"MappingMissingDim", "1", "", "<row Dim=\"2\"/><row Dim=\"3\"/><row/>",
     "Error! Send frame 3 has the length 0: a module per frame needs 1 to 64 bytes"},
    {"MappingAbove64", "1", "<row Dim=\"65\"/>", "",
     "Error! Receive frame 1 has the length 65: a module per frame needs 1 to 64 bytes"},
    {"MappingNegative", "1", "", "<row Dim=\"-1\"/>",
     "Error! Send frame 1 has the length -1: a module per frame needs 1 to 64 bytes"},
    {"NegativeWithoutMapping", "0", "<row Dim=\"8\"/><row Dim=\"-3\"/>", "<row Dim=\"1\"/>",
     "Error! Receive frame 2 has the length -3: a length cannot be negative"},
};

INSTANTIATE_TEST_SUITE_P(All, GsdRefused, ::testing::ValuesIn(kRefusedCases),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(GsdFile, WithoutParGenTheStepStops) {
    ProjectDir project;
    project.receive("<row Dim=\"8\"/>");
    const kt::Result<GSD_Data> read = kt::Read_GSD_Data(project.files());
    EXPECT_EQ(read.status.code, kt::StatusCode::NotFound);
    EXPECT_EQ(read.value, GSD_Data{});
}

struct MappingCase {
    const char* name;
    const char* parGen;
    bool mapFrames;
};

class GsdMapping : public ::testing::TestWithParam<MappingCase> {};

TEST_P(GsdMapping, OnlyExactlyOne) {
    ProjectDir project;
    project.parGen(GetParam().parGen);
    const kt::Result<GSD_Data> read = kt::Read_GSD_Data(project.files());
    ASSERT_TRUE(read.ok());
    EXPECT_FALSE(read.status.notFound());
    EXPECT_EQ(read.value.Map_Frames, GetParam().mapFrames);
}

const MappingCase kMappingCases[] = {
    {"One", "<Par_Gen><PROFIBUS_GDS_CAN_Mapping>1</PROFIBUS_GDS_CAN_Mapping></Par_Gen>", true},
    {"RootNameNotChecked", "<X><PROFIBUS_GDS_CAN_Mapping>1</PROFIBUS_GDS_CAN_Mapping></X>", true},
    {"BlankBefore", "<Par_Gen><PROFIBUS_GDS_CAN_Mapping> 1</PROFIBUS_GDS_CAN_Mapping></Par_Gen>",
     false},
    {"BlankAfter", "<Par_Gen><PROFIBUS_GDS_CAN_Mapping>1 </PROFIBUS_GDS_CAN_Mapping></Par_Gen>",
     false},
    {"True", "<Par_Gen><PROFIBUS_GDS_CAN_Mapping>true</PROFIBUS_GDS_CAN_Mapping></Par_Gen>", false},
    {"Empty", "<Par_Gen><PROFIBUS_GDS_CAN_Mapping/></Par_Gen>", false},
    {"Missing", "<Par_Gen><CAN_BAUDRATE>1</CAN_BAUDRATE></Par_Gen>", false},
    {"NameCaseSensitive",
     "<Par_Gen><profibus_gds_can_mapping>1</profibus_gds_can_mapping></Par_Gen>", false},
};

INSTANTIATE_TEST_SUITE_P(All, GsdMapping, ::testing::ValuesIn(kMappingCases),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(GsdFile, ReadsDataFromIndentedFiles) {
    ProjectDir project;
    project.parGen("<?xml version=\"1.0\"?>\n<!-- x -->\n<Par_Gen>\n  <PROFIBUS_GDS_CAN_Mapping>1"
                   "</PROFIBUS_GDS_CAN_Mapping>\n</Par_Gen>\n");
    project.receive("\n  <row Dim=\"3\"/>\n  <row Dim=\"2\"/>\n");
    project.transmit("\n  \n");
    const kt::Result<GSD_Data> read = kt::Read_GSD_Data(project.files());
    ASSERT_TRUE(read.ok());
    const GSD_Data& data = read.value;
    GSD_Data want;
    want.Map_Frames = true;
    want.In_Dim = {3, 2};
    want.In_Len = 5;
    want.In_Modules = 2;
    EXPECT_EQ(data, want);
}

class GsdMalformed : public ::testing::TestWithParam<const char*> {};

TEST_P(GsdMalformed, FailsWithFileNameAndWritesNothing) {
    ProjectDir project;
    project.settings("9", "10", "0");
    std::ofstream(project.path() / GetParam(), std::ios::binary) << "<a><b></a>";
    const kt::Status s = kt::Read_GSD_Data(project.files()).status;
    EXPECT_FALSE(s.ok());
    EXPECT_NE(s.message.find(GetParam()), std::string::npos) << s.message;
}

INSTANTIATE_TEST_SUITE_P(All, GsdMalformed,
                         ::testing::Values("ParGen.xml", "CAN_Rec_Frames.xml",
                                           "CAN_Send_Frames.xml"),
                         [](const auto& row) {
                             std::string n = row.param;
                             return n.substr(0, n.find('.'));
                         });

TEST(GsdFile, LengthsBeyondTheFormatAreRefused) {
    TempDir dir;
    GSD_Data huge;
    huge.In_Dim = {2147483647, 1};
    EXPECT_EQ(kt::Write_GSD_File(dir / "a.gsd", huge, English()).message,
              "Error! The frame lists declare more data bytes than a GSD file can hold");
    GSD_Data many;
    many.In_Dim = {100000000};
    EXPECT_FALSE(kt::Write_GSD_File(dir / "a.gsd", many, English()).ok());
    GSD_Data modules;
    modules.Map_Frames = true;
    modules.In_Dim.assign(65536, 1);
    EXPECT_EQ(kt::Write_GSD_File(dir / "a.gsd", modules, English()).message,
              "Error! The frame lists give 65536 modules, more than a GSD file can hold");
    EXPECT_FALSE(std::filesystem::exists(dir / "a.gsd"));
}

TEST(GsdFile, RefusalsSpeakTheLoadedLanguage) {
    kt::LanguageTable german = English();
    german.Set_Text(1507, "Fehler! Sende-Frame ");
    german.Set_Text(1508, " hat die L\xC3\xA4nge ");
    german.Set_Text(1509, ": eine L\xC3\xA4nge kann nicht negativ sein");
    GSD_Data data;
    data.Out_Dim = {4, -2};
    EXPECT_EQ(
        kt::ComposeGsdText(data, german).status.message,
        "Fehler! Sende-Frame 2 hat die L\xC3\xA4nge -2: eine L\xC3\xA4nge kann nicht negativ sein");
}

TEST(GsdFile, NameGetsExtensionUnlessItHasOne) {
    EXPECT_EQ(kt::WithGsdExtension("Plant.GSD"), "Plant.GSD");
    EXPECT_EQ(kt::WithGsdExtension("plant"), "plant.gsd");
    EXPECT_EQ(kt::WithGsdExtension("plant.gsd.txt"), "plant.gsd.txt.gsd");
    EXPECT_EQ(kt::WithGsdExtension(".gsd"), ".gsd");
    EXPECT_EQ(kt::WithGsdExtension("gsd"), "gsd.gsd");
}

} // namespace
