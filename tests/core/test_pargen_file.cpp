#include "TempDir.h"
#include "lang/LanguageTable.h"
#include "project/ParGenFile.h"

#include <gtest/gtest.h>

using kt::ParGen;
using kt::test::TempDir;

namespace {

ParGen Read(const TempDir& dir, bool* found = nullptr) {
    const kt::Result<ParGen> r = kt::ReadParGen(dir / "ParGen.xml");
    // A missing file is no failure: the defaults.
    EXPECT_TRUE(r.ok() || r.status.notFound()) << r.status.message;
    if (found) *found = !r.status.notFound();
    return r.value;
}

TEST(ParGenFile, MissingFileGivesDefaultsAndWritesThemExactly) {
    TempDir dir;
    bool found = true;
    const ParGen p = Read(dir, &found);
    EXPECT_FALSE(found);
    EXPECT_EQ(p, ParGen{});
    ASSERT_TRUE(kt::WriteParGen(dir / "ParGen.xml", p).ok());
    EXPECT_EQ(TempDir::read(dir / "ParGen.xml"),
              "<Par_Gen><CAN_BAUDRATE>9</CAN_BAUDRATE><PROFIBUS_ID_Device>10</PROFIBUS_ID_Device>"
              "<PROFIBUS_GDS_CAN_Mapping>0</PROFIBUS_GDS_CAN_Mapping></Par_Gen>"
              "<!--SW_VERSION = 1.000-->");
}

TEST(ParGenFile, AddressIsStoredAsTypedAndReadBack) {
    TempDir dir;
    const ParGen p{4, "  0x7D", true};
    ASSERT_TRUE(kt::WriteParGen(dir / "ParGen.xml", p).ok());
    EXPECT_EQ(
        TempDir::read(dir / "ParGen.xml"),
        "<Par_Gen><CAN_BAUDRATE>4</CAN_BAUDRATE><PROFIBUS_ID_Device>  0x7D</PROFIBUS_ID_Device>"
        "<PROFIBUS_GDS_CAN_Mapping>1</PROFIBUS_GDS_CAN_Mapping></Par_Gen>"
        "<!--SW_VERSION = 1.000-->");
    EXPECT_EQ(Read(dir), p);
}

TEST(ParGenFile, RoundTripKeepsSpecialCharacters) {
    TempDir dir;
    const ParGen p{0, "<&\"'> ü ", false};
    ASSERT_TRUE(kt::WriteParGen(dir / "ParGen.xml", p).ok());
    EXPECT_EQ(Read(dir), p);
}

TEST(ParGenFile, BaudIndexOutsideListIsStoredAsDefault) {
    TempDir dir;
    ASSERT_TRUE(kt::WriteParGen(dir / "ParGen.xml", ParGen{12, "10", false}).ok());
    EXPECT_EQ(Read(dir).CanBaudIndex, 9);
}

struct ReadCase {
    const char* name;
    const char* xml;
    ParGen expected;
};

class ParGenRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ParGenRead, Case) {
    TempDir dir;
    dir.write("ParGen.xml", GetParam().xml);
    bool found = false;
    EXPECT_EQ(Read(dir, &found), GetParam().expected);
    EXPECT_TRUE(found);
}

const ReadCase kReadCases[] = {
    {"BaudNotANumber", "<Par_Gen><CAN_BAUDRATE>abc</CAN_BAUDRATE></Par_Gen>", {9, "10", false}},
    {"BaudFour", "<Par_Gen><CAN_BAUDRATE>4</CAN_BAUDRATE></Par_Gen>", {4, "10", false}},
    {"BaudOutOfList", "<Par_Gen><CAN_BAUDRATE>12</CAN_BAUDRATE></Par_Gen>", {12, "10", false}},
    {"OnlyAddressMissing",
     "<Par_Gen><CAN_BAUDRATE>2</CAN_BAUDRATE><PROFIBUS_GDS_CAN_Mapping>1</PROFIBUS_GDS_CAN_Mapping>"
     "</Par_Gen>",
     {2, "10", true}},
    {"AddressOfBlanksKept",
     "<Par_Gen><PROFIBUS_ID_Device>   </PROFIBUS_ID_Device></Par_Gen>",
     {9, "   ", false}},
    {"EmptyAddressElement", "<Par_Gen><PROFIBUS_ID_Device/></Par_Gen>", {9, "", false}},
    {"MappingBlankOne",
     "<Par_Gen><PROFIBUS_GDS_CAN_Mapping> 1</PROFIBUS_GDS_CAN_Mapping></Par_Gen>",
     {9, "10", false}},
    {"MappingYes",
     "<Par_Gen><PROFIBUS_GDS_CAN_Mapping>yes</PROFIBUS_GDS_CAN_Mapping></Par_Gen>",
     {9, "10", false}},
    {"NamesAreCaseSensitive",
     "<Par_Gen><can_baudrate>3</can_baudrate></Par_Gen>",
     {9, "10", false}},
    {"FirstMatchWins",
     "<Par_Gen><CAN_BAUDRATE>1</CAN_BAUDRATE><CAN_BAUDRATE>2</CAN_BAUDRATE></Par_Gen>",
     {1, "10", false}},
    {"RootNameNotChecked", "<Other><CAN_BAUDRATE>5</CAN_BAUDRATE></Other>", {5, "10", false}},
    {"IndentedWithDeclarationAndComment",
     "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- saved by hand -->\n<Par_Gen>\n"
     "  <CAN_BAUDRATE>7</CAN_BAUDRATE>\n  <PROFIBUS_ID_Device>12</PROFIBUS_ID_Device>\n"
     "  <PROFIBUS_GDS_CAN_Mapping>1</PROFIBUS_GDS_CAN_Mapping>\n</Par_Gen>\n",
     {7, "12", true}},
};

INSTANTIATE_TEST_SUITE_P(All, ParGenRead, ::testing::ValuesIn(kReadCases),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(ParGenFile, MalformedXmlFailsWithParserMessageAndFileName) {
    TempDir dir;
    dir.write("ParGen.xml", "<Par_Gen><CAN_BAUDRATE>4</Par_Gen>");
    const kt::Result<ParGen> r = kt::ReadParGen(dir / "ParGen.xml");
    const kt::Status& s = r.status;
    const ParGen& p = r.value;
    EXPECT_FALSE(s.ok());
    EXPECT_NE(s.message.find("ParGen.xml"), std::string::npos) << s.message;
    EXPECT_NE(s.message.find("mismatch"), std::string::npos) << s.message;
    EXPECT_EQ(p, ParGen{});
}

TEST(ParGenFile, WriteFailureLeavesOldFileAndSaysWhy) {
    TempDir dir;
    const auto missing = dir / "no-such-folder" / "ParGen.xml";
    const kt::Status s = kt::WriteParGen(missing, ParGen{});
    EXPECT_FALSE(s.ok());
    EXPECT_NE(s.message.find("No such file"), std::string::npos) << s.message;
}

struct AddressCase {
    const char* name;
    const char* address;
    bool valid;
};

class StationAddress : public ::testing::TestWithParam<AddressCase> {};

TEST_P(StationAddress, Rule) {
    const kt::LanguageTable texts = kt::LanguageTable::English();
    const std::string msg = kt::Controllo_Dati(ParGen{9, GetParam().address, false}, texts);
    EXPECT_EQ(msg, GetParam().valid ? "" : "Error PROFIBUS!! ID Device must be between 1 and 125");
}

const AddressCase kAddressCases[] = {
    {"Zero", "0", false},      {"Above125", "126", false},     {"Empty", "", false},
    {"Letters", "abc", false}, {"TrailingBlank", "5 ", false}, {"Negative", "-1", false},
    {"One", "1", true},        {"Max", "125", true},           {"LeadingBlanks", "  5", true},
    {"HexMax", "0x7D", true},  {"HexAbove", "0x7E", false},
};

INSTANTIATE_TEST_SUITE_P(All, StationAddress, ::testing::ValuesIn(kAddressCases),
                         [](const auto& row) { return std::string(row.param.name); });

} // namespace
