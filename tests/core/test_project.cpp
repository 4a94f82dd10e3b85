#include "TempDir.h"
#include "base/FileUtil.h"
#include "project/Project.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using kt::test::TempDir;

namespace {

struct NameCase {
    const char* label;
    std::string name;
    int textId; // 0: created
};

class CreateProjectName : public ::testing::TestWithParam<NameCase> {};

TEST_P(CreateProjectName, Case) {
    TempDir dir;
    const fs::path projects = dir / "PROJECTS";
    fs::create_directory(projects);
    fs::create_directory(projects / "Existing");
    const kt::Status r = kt::CreateProject(projects, GetParam().name);
    EXPECT_EQ(r.textId, GetParam().textId);
    // A refused name creates nothing at all, anywhere.
    int entries = 0;
    for ([[maybe_unused]] const auto& e : fs::recursive_directory_iterator(dir.path()))
        ++entries;
    if (r.ok()) {
        EXPECT_TRUE(fs::is_directory(projects / kt::PathFromUtf8(GetParam().name) / "bin"));
    } else {
        EXPECT_EQ(entries, 2) << "PROJECTS and Existing only";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Names, CreateProjectName,
    ::testing::Values(NameCase{"Plain", "Plant 1", 0}, NameCase{"NonAscii", "Anlage Süd", 0},
                      NameCase{"LeadingBlank", " lead", 0}, NameCase{"Empty", "", 107},
                      NameCase{"Exists", "Existing", 106}, NameCase{"Slash", "a/b", 105},
                      NameCase{"Backslash", "a\\b", 105}, NameCase{"DotDot", "..", 105},
                      NameCase{"Dot", ".", 105}, NameCase{"ParentEscape", "../x", 105},
                      NameCase{"Colon", "C:x", 105}, NameCase{"Star", "a*", 105},
                      NameCase{"Question", "a?", 105}, NameCase{"Quote", "a\"b", 105},
                      NameCase{"Angle", "<a>", 105}, NameCase{"Pipe", "a|b", 105},
                      NameCase{"Control", std::string("a\tb"), 105}, NameCase{"OneBlank", " ", 105},
                      NameCase{"TrailingDot", "name.", 105}, NameCase{"DeviceCon", "CON", 105},
                      NameCase{"DeviceNulExt", "nul.txt", 105}, NameCase{"DeviceCom1", "com1", 105},
                      NameCase{"DeviceLpt9", "LPT9", 105}, NameCase{"NotDeviceCom10", "COM10", 0},
                      NameCase{"ExistsInOtherCase", "EXISTING", 106},
                      NameCase{"ExistsInLowerCase", "existing", 106},
                      NameCase{"Absolute", "/tmp/x", 105}, NameCase{"Rooted", "\\Plant", 105},
                      NameCase{"Drive", "C:\\Plant", 105},
                      NameCase{"NotDeviceConsole", "Console", 0}),
    [](const auto& row) { return std::string(row.param.label); });

TEST(CreateProject, FileOfThatNameIsRefusedWith105) {
    TempDir dir;
    dir.write("PROJECTS/Taken", "x");
    EXPECT_EQ(kt::CreateProject(dir / "PROJECTS", "Taken").textId, 105);
}

TEST(CreateProject, FileOfThatNameInOtherCaseIsRefusedWith105) {
    TempDir dir;
    dir.write("PROJECTS/taken", "x");
    EXPECT_EQ(kt::CreateProject(dir / "PROJECTS", "Taken").textId, 105);
}

#ifndef _WIN32
// Existence comes before the name rules: a hand-made "Old." is reported as existing.
TEST(CreateProject, ExistingUnportableNameGives106) {
    TempDir dir;
    fs::create_directories(dir / "PROJECTS" / "Old.");
    EXPECT_EQ(kt::CreateProject(dir / "PROJECTS", "Old.").textId, 106);
}
#endif

TEST(CreateProject, MissingProjectsFolderIsRefusedWith105) {
    TempDir dir;
    EXPECT_EQ(kt::CreateProject(dir / "PROJECTS", "A").textId, 105);
}

TEST(ListProjects, OffersDirectoriesOnlySortedWithoutCase) {
    TempDir dir;
    const fs::path projects = dir / "PROJECTS";
    for (const char* d : {"beta", "Alpha", "gamma", ".hidden", "Beta2"})
        fs::create_directories(projects / d);
    dir.write("PROJECTS/plain.txt", "x");
    const std::vector<std::string> expected = {"Alpha", "beta", "Beta2", "gamma"};
    EXPECT_EQ(kt::ListProjects(projects), expected);
}

#ifndef _WIN32
// A name the windows could not name again is not offered: not UTF-8, or not portable.
TEST(ListProjects, LeavesOutNamesThatCannotBeWrittenBack) {
    TempDir dir;
    const fs::path projects = dir / "PROJECTS";
    fs::create_directories(projects / "Good");
    fs::create_directories(projects / std::string("Bad\xFF"));
    fs::create_directories(projects / "a\\b");
    fs::create_directories(projects / "Trailing.");
    EXPECT_EQ(kt::ListProjects(projects), std::vector<std::string>{"Good"});
}
#endif

TEST(ExistingProjectDir, OnlyPlainNamesBelowProjects) {
    TempDir dir;
    const fs::path projects = dir / "PROJECTS";
    fs::create_directories(projects / "Plant 1");
    fs::create_directories(dir / "outside");
    EXPECT_EQ(kt::ExistingProjectDir(projects, "Plant 1"), projects / "Plant 1");
    for (const std::string& name :
         {std::string(), std::string("Gone"), (dir / "outside").string(), std::string("../outside"),
          std::string("..\\outside"), std::string("Plant 1/.."), std::string("Bad\xFF")})
        EXPECT_TRUE(kt::ExistingProjectDir(projects, name).empty()) << name;
}

TEST(ListProjects, MissingFolderGivesEmptyList) {
    TempDir dir;
    EXPECT_TRUE(kt::ListProjects(dir / "PROJECTS").empty());
}

TEST(SearchOpenConf, ComparesInUpperCase) {
    const std::vector<std::string> names = {"Alpha", "beta", "BETA"};
    EXPECT_EQ(kt::Search_Open_Conf(names, "Beta"), 1);
    EXPECT_EQ(kt::Search_Open_Conf(names, "BETA"), 2); // exactly equal
    EXPECT_EQ(kt::Search_Open_Conf(names, "alpha"), 0);
    EXPECT_EQ(kt::Search_Open_Conf(names, "gamma"), -1);
    EXPECT_EQ(kt::Search_Open_Conf(names, ""), -1);
    // Only a-z fold: "ü" and "Ü" stay different.
    EXPECT_EQ(kt::Search_Open_Conf({"Süd"}, "SÜD"), -1);
    EXPECT_EQ(kt::Search_Open_Conf({"Süd"}, "SüD"), 0);
    // The exactly equal name wins over an earlier one that differs in case.
    EXPECT_EQ(kt::Search_Open_Conf({"Plant 1", "plant 1"}, "plant 1"), 1);
    EXPECT_EQ(kt::Search_Open_Conf({"Plant 1", "plant 1"}, "PLANT 1"), 0);
}

TEST(OpenProjectName, IsThePartBelowProjects) {
    const fs::path projects = fs::path("W") / "PROJECTS";
    EXPECT_EQ(kt::OpenProjectName(projects, projects / "Plant 1"), "Plant 1");
    EXPECT_EQ(kt::OpenProjectName(projects, fs::path()), "");
}

} // namespace
