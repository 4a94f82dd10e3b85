#include "base/FileUtil.h"
#include "core/Project.h"
#include "TempDir.h"

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
    const kt::CreateResult r = kt::CreateProject(projects, GetParam().name);
    EXPECT_EQ(r.textId, GetParam().textId);
    // A refused name creates nothing at all, anywhere.
    int entries = 0;
    for ([[maybe_unused]] const auto& e : fs::recursive_directory_iterator(dir.path())) ++entries;
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
                      NameCase{"Control", std::string("a\tb"), 105},
                      NameCase{"OneBlank", " ", 105}, NameCase{"TrailingDot", "name.", 105},
                      NameCase{"DeviceCon", "CON", 105}, NameCase{"DeviceNulExt", "nul.txt", 105},
                      NameCase{"DeviceCom1", "com1", 105}, NameCase{"DeviceLpt9", "LPT9", 105},
                      NameCase{"NotDeviceCom10", "COM10", 0},
                      NameCase{"NotDeviceConsole", "Console", 0}),
    [](const auto& row) { return std::string(row.param.label); });

TEST(CreateProject, FileOfThatNameIsRefusedWith105) {
    TempDir dir;
    dir.write("PROJECTS/Taken", "x");
    EXPECT_EQ(kt::CreateProject(dir / "PROJECTS", "Taken").textId, 105);
}

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

TEST(ListProjects, MissingFolderGivesEmptyList) {
    TempDir dir;
    EXPECT_TRUE(kt::ListProjects(dir / "PROJECTS").empty());
}

TEST(SearchOpenConf, ComparesInUpperCase) {
    const std::vector<std::string> names = {"Alpha", "beta", "BETA"};
    EXPECT_EQ(kt::Search_Open_Conf(names, "BETA"), 1);
    EXPECT_EQ(kt::Search_Open_Conf(names, "alpha"), 0);
    EXPECT_EQ(kt::Search_Open_Conf(names, "gamma"), -1);
    EXPECT_EQ(kt::Search_Open_Conf(names, ""), -1);
    // Only a-z fold: "ü" and "Ü" stay different.
    EXPECT_EQ(kt::Search_Open_Conf({"Süd"}, "SÜD"), -1);
    EXPECT_EQ(kt::Search_Open_Conf({"Süd"}, "SüD"), 0);
}

TEST(OpenProjectName, IsThePartBelowProjects) {
    const fs::path projects = fs::path("W") / "PROJECTS";
    EXPECT_EQ(kt::OpenProjectName(projects, projects / "Plant 1"), "Plant 1");
    EXPECT_EQ(kt::OpenProjectName(projects, fs::path()), "");
}

} // namespace
