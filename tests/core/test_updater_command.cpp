#include "base/TextUtil.h"
#include "update/UpdaterCommand.h"

#include <gtest/gtest.h>

#include <algorithm>

using kt::UpdateOption;

namespace {

struct CodesCase {
    const char* name;
    UpdateOption option;
    bool readBack;
    const char* codes;
};

class UpdateCodes : public testing::TestWithParam<CodesCase> {};

TEST_P(UpdateCodes, AppendsFourTokens) {
    EXPECT_EQ(kt::Update_Options("X ", GetParam().option, GetParam().readBack),
              std::string("X ") + GetParam().codes);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UpdateCodes,
    testing::Values(
        CodesCase{"BothReadBack", UpdateOption::FirmwareAndConfiguration, true, "FW FR PW PR "},
        CodesCase{"BothNoReadBack", UpdateOption::FirmwareAndConfiguration, false, "FW NO PW NO "},
        CodesCase{"FirmwareReadBack", UpdateOption::Firmware, true, "FW FR NO NO "},
        CodesCase{"FirmwareNoReadBack", UpdateOption::Firmware, false, "FW NO NO NO "},
        CodesCase{"ConfigurationReadBack", UpdateOption::Configuration, true, "NO NO PW PR "},
        CodesCase{"ConfigurationNoReadBack", UpdateOption::Configuration, false, "NO NO PW NO "}),
    [](const auto& row) { return std::string(row.param.name); });

// The separator is a wchar_t on Windows; both of its values are ASCII.
constexpr char kSepChar = static_cast<char>(std::filesystem::path::preferred_separator);
const std::filesystem::path kSep(std::string(1, kSepChar));

std::string Native(const std::string& slashed) {
    std::string s = slashed;
    std::replace(s.begin(), s.end(), '/', kSepChar);
    return s;
}

TEST(UpdaterCommandLine, IsBuiltCharacterForCharacter) {
    kt::UpdaterRequest r;
    r.port = "COM3";
    r.baudIndex = 0;
    r.masterDir = Native("/opt/my tools/MASTER");
    r.projectDir = Native("/opt/my tools/PROJECTS/Plant 1");
    EXPECT_EQ(kt::UpdaterCommandLine(r),
              "COM3 0 FW FR PW PR \"" + Native("/opt/my tools/MASTER/sim52903.sim") + "\" \"" +
                  Native("/opt/my tools/PROJECTS/Plant 1/bin/bank1.bin") + "\"");
}

TEST(UpdaterCommandLine, CarriesIndexOptionsAndEmptyPort) {
    kt::UpdaterRequest r;
    r.port = "";
    r.baudIndex = 11;
    r.option = UpdateOption::Configuration;
    r.readBack = false;
    r.masterDir = Native("/m");
    r.projectDir = Native("/p");
    EXPECT_EQ(kt::UpdaterCommandLine(r), " 11 NO NO PW NO \"" + Native("/m/sim52903.sim") +
                                             "\" \"" + Native("/p/bin/bank1.bin") + "\"");
}

TEST(UpdaterCommandLine, SplitsBackIntoItsArgumentsWithBlanksInPaths) {
    kt::UpdaterRequest r;
    r.port = "/dev/ttyUSB0";
    r.baudIndex = 7;
    r.option = UpdateOption::Firmware;
    r.masterDir = Native("/a b/MASTER");
    r.projectDir = Native("/a b/PROJECTS/x  y");
    const std::vector<std::string> expected = {"/dev/ttyUSB0",
                                               "7",
                                               "FW",
                                               "FR",
                                               "NO",
                                               "NO",
                                               Native("/a b/MASTER/sim52903.sim"),
                                               Native("/a b/PROJECTS/x  y/bin/bank1.bin")};
    EXPECT_EQ(kt::SplitCommandLine(kt::UpdaterCommandLine(r)), expected);
}

struct SplitCase {
    const char* name;
    const char* line;
    std::vector<std::string> args;
};

class Split : public testing::TestWithParam<SplitCase> {};

TEST_P(Split, ReadsLikeTheWindowsRuntime) {
    EXPECT_EQ(kt::SplitCommandLine(GetParam().line), GetParam().args);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Split,
    testing::Values(SplitCase{"Empty", "", {}}, SplitCase{"OnlyBlanks", "  \t ", {}},
                    SplitCase{"LeadingBlankDropsEmptyPort", " 0 FW", {"0", "FW"}},
                    SplitCase{"RunsOfBlanks", "a  \tb", {"a", "b"}},
                    SplitCase{
                        "QuotedKeepsBlanks", "\"C:\\My Dir\\f.bin\" x", {"C:\\My Dir\\f.bin", "x"}},
                    SplitCase{"QuoteInsideWord", "ab\"c d\"e", {"abc de"}},
                    SplitCase{"EmptyQuotedArgument", "a \"\" b", {"a", "", "b"}},
                    SplitCase{"BackslashesWithoutQuoteAreLiteral", "a\\\\b\\c", {"a\\\\b\\c"}},
                    SplitCase{"EscapedQuote", "a\\\"b", {"a\"b"}},
                    SplitCase{"EvenBackslashesBeforeQuote", "\"a\\\\\" b", {"a\\", "b"}},
                    SplitCase{"DoubledQuoteInsideQuotes", "\"a\"\"b\"", {"a\"b"}},
                    SplitCase{"UnclosedQuoteRunsToEnd", "\"a b", {"a b"}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(NaturalLess, OrdersPortNamesByTheirNumbers) {
    std::vector<std::string> ports = {"COM12",   "ttyUSB10", "COM3",  "ttyUSB2", "ttyACM0",
                                      "ttyUSB0", "COM1",     "ttyS0", "COM003"};
    std::sort(ports.begin(), ports.end(),
              [](const std::string& a, const std::string& b) { return kt::NaturalLess(a, b); });
    const std::vector<std::string> expected = {"COM1",  "COM3",    "COM003",  "COM12",   "ttyACM0",
                                               "ttyS0", "ttyUSB0", "ttyUSB2", "ttyUSB10"};
    EXPECT_EQ(ports, expected);
}

TEST(BaudRates, ListsSearchThenElevenRates) {
    const auto& e = kt::CanBaudRateEntries();
    ASSERT_EQ(e.size(), 12u);
    EXPECT_EQ(e[0], "Search Baudrate");
    EXPECT_EQ(e[1], "5000");
    EXPECT_EQ(e[5], "62500");
    EXPECT_EQ(e[11], "1000000");
}

} // namespace
