#include "TempDir.h"
#include "base/FileUtil.h"
#include "base/Settings.h"
#include "base/Workspace.h"

#include <gtest/gtest.h>

using kt::AppSettings;
using kt::test::TempDir;

namespace {

constexpr const char* kDefaultsXml =
    "<Conf_Settings><lastproj><projectname></projectname></lastproj>"
    "<lastipadd><ipaddress>192.168.2.205</ipaddress></lastipadd>"
    "<lastlang><language>English</language></lastlang>"
    "<lastinternet><enable_internet>0</enable_internet><enable_update>0</enable_update>"
    "<enable_jump_field_tables>0</enable_jump_field_tables>"
    "<Double_Click_Auto_Size>0</Double_Click_Auto_Size></lastinternet></Conf_Settings>";

TEST(Settings, DefaultsAreWrittenExactly) {
    TempDir dir;
    ASSERT_TRUE(kt::WriteSettings(dir / "Korvel.xml", AppSettings{}).ok());
    EXPECT_EQ(TempDir::read(dir / "Korvel.xml"), kDefaultsXml);
}

TEST(Settings, MissingFileGivesDefaults) {
    TempDir dir;
    EXPECT_EQ(kt::ReadSettings(dir / "Korvel.xml").value, AppSettings{});
}

TEST(Settings, RoundTripKeepsEveryValue) {
    TempDir dir;
    AppSettings s;
    s.ProjectName = "Plant 1 <&> \"ü\"";
    s.IpAddress = " 10.0.0.1 ";
    s.LanguageName = "Deutsch";
    s.EnableInternet = true;
    s.EnableUpdate = false;
    s.EnableJumpFieldTables = true;
    s.DoubleClickAutoSize = true;
    ASSERT_TRUE(kt::WriteSettings(dir / "Korvel.xml", s).ok());
    EXPECT_EQ(kt::ReadSettings(dir / "Korvel.xml").value, s);
}

struct ReadCase {
    const char* name;
    const char* xml;
    AppSettings expected;
};

AppSettings With(void (*f)(AppSettings&)) {
    AppSettings s;
    f(s);
    return s;
}

class SettingsRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(SettingsRead, Case) {
    TempDir dir;
    const auto file = dir.write("Korvel.xml", GetParam().xml);
    EXPECT_EQ(kt::ReadSettings(file).value, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingsRead,
    ::testing::Values(
        ReadCase{"FlagWithBlankIsFalse",
                 "<a><lastinternet><enable_internet> 1</enable_internet>"
                 "<enable_update>1</enable_update></lastinternet></a>",
                 With([](AppSettings& s) { s.EnableUpdate = true; })},
        ReadCase{"MissingGroupGivesFalseFlagsKeepsOthers",
                 "<a><lastproj><projectname>A</projectname></lastproj>"
                 "<lastlang><language>Italiano</language></lastlang></a>",
                 With([](AppSettings& s) {
                     s.ProjectName = "A";
                     s.LanguageName = "Italiano";
                 })},
        ReadCase{"EmptyIpAddressStaysEmpty",
                 "<a><lastipadd><ipaddress></ipaddress></lastipadd></a>",
                 With([](AppSettings& s) { s.IpAddress = ""; })},
        ReadCase{"EmptyLanguageStaysEmpty", "<a><lastlang><language/></lastlang></a>",
                 With([](AppSettings& s) { s.LanguageName = ""; })},
        ReadCase{
            "NamesAreCaseSensitive",
            "<a><LastProj><projectname>X</projectname></LastProj>"
            "<lastinternet><double_click_auto_size>1</double_click_auto_size></lastinternet></a>",
            AppSettings{}},
        ReadCase{"FirstOfTwoElementsWins",
                 "<a><lastproj><projectname>first</projectname>"
                 "<projectname>second</projectname></lastproj></a>",
                 With([](AppSettings& s) { s.ProjectName = "first"; })},
        ReadCase{"TextIsNotTrimmed", "<a><lastproj><projectname> P </projectname></lastproj></a>",
                 With([](AppSettings& s) { s.ProjectName = " P "; })},
        ReadCase{"DeclarationAndCommentBeforeRoot",
                 "<?xml version=\"1.0\"?>\n<!-- saved by hand -->\n<Conf_Settings>\n"
                 "  <lastproj>\n    <projectname>B</projectname>\n  </lastproj>\n"
                 "  <lastinternet><Double_Click_Auto_Size>1</Double_Click_Auto_Size>"
                 "</lastinternet>\n</Conf_Settings>\n",
                 With([](AppSettings& s) {
                     s.ProjectName = "B";
                     s.DoubleClickAutoSize = true;
                 })},
        ReadCase{"MalformedCountsAsAbsent", "<Conf_Settings><lastproj><projectname>A",
                 AppSettings{}},
        ReadCase{"EmptyFileCountsAsAbsent", "", AppSettings{}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(Settings, SaveReplacesWholeFileDroppingExtras) {
    TempDir dir;
    const auto file =
        dir.write("Korvel.xml", "<Conf_Settings><extra>x</extra><lastproj><projectname>A"
                                "</projectname></lastproj></Conf_Settings>");
    AppSettings s = kt::ReadSettings(file).value;
    ASSERT_TRUE(kt::WriteSettings(file, s).ok());
    const std::string text = TempDir::read(file);
    EXPECT_EQ(text.find("extra"), std::string::npos);
    EXPECT_NE(text.find("<projectname>A</projectname>"), std::string::npos);
}

TEST(Settings, FailedSaveLeavesOldFileAndSaysWhy) {
    TempDir dir;
    const auto file = dir / "missing-folder" / "Korvel.xml";
    const kt::Status s = kt::WriteSettings(file, AppSettings{});
    EXPECT_FALSE(s.ok());
    EXPECT_NE(s.message.find("Korvel.xml"), std::string::npos);
    EXPECT_NE(s.message.find("No such file"), std::string::npos);
}

TEST(Workspace, FirstStartCreatesTheThreeFolders) {
    TempDir dir;
    const kt::WorkspacePaths ws = kt::MakeWorkspacePaths(dir.path());
    kt::CreateWorkspaceDirs(ws);
    for (const char* sub : {"MASTER", "PROJECTS", "LANGUAGE"})
        EXPECT_TRUE(std::filesystem::is_directory(dir / sub)) << sub;
    EXPECT_EQ(kt::SettingsFile(ws), dir / "Korvel.xml");
}

TEST(Workspace, WritableWorkspacePassesAndKeepsNoProbe) {
    TempDir dir;
    const kt::WorkspacePaths ws = kt::MakeWorkspacePaths(dir.path());
    kt::CreateWorkspaceDirs(ws);
    EXPECT_TRUE(kt::CheckWorkspaceWritable(ws).ok());
    for (const auto& root : {dir.path(), ws.ProjectsDir})
        for (const auto& e : std::filesystem::directory_iterator(root))
            EXPECT_TRUE(e.is_directory()) << e.path();
}

// A plain file where a folder should be cannot take files, even for an administrator.
TEST(Workspace, UnwritableFolderIsNamedWithTheReason) {
    for (const std::string blocked : {"ws", "ws/PROJECTS"}) {
        TempDir dir;
        dir.write(blocked, "not a folder");
        const kt::WorkspacePaths ws = kt::MakeWorkspacePaths(dir / "ws");
        kt::CreateWorkspaceDirs(ws);
        const kt::Status st = kt::CheckWorkspaceWritable(ws);
        EXPECT_FALSE(st.ok()) << blocked;
        const std::string folder = kt::PathToUtf8(blocked == "ws" ? ws.ExeDir : ws.ProjectsDir);
        EXPECT_NE(st.message.find(folder), std::string::npos) << st.message;
        EXPECT_NE(st.message.find(": "), std::string::npos) << st.message;
    }
}

TEST(Workspace, ProjectFilesFollowTheProjectFolder) {
    const kt::ProjectFiles f = kt::MakeProjectFiles(std::filesystem::path("P") / "A");
    EXPECT_EQ(f.ParGenFile, std::filesystem::path("P") / "A" / "ParGen.xml");
    EXPECT_EQ(f.RecFramesFile, std::filesystem::path("P") / "A" / "CAN_Rec_Frames.xml");
    EXPECT_EQ(f.SendFramesFile, std::filesystem::path("P") / "A" / "CAN_Send_Frames.xml");
}

} // namespace
