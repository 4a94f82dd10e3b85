#include "lang/LanguageFile.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using kt::LangLine;
using kt::LangLineSkip;
using kt::LanguageTable;
using kt::test::TempDir;

const std::string P = "\xC2\xB6"; // pilcrow U+00B6 in UTF-8

// A byte string that may hold NULs.
template <std::size_t N> std::string Bytes(const char (&s)[N]) {
    return std::string(s, N - 1);
}

LanguageTable Defaults() {
    return LanguageTable::English();
}

// ---- one line ------------------------------------------------------------------------------

struct LineCase {
    const char* name;
    std::string line;
    LangLineSkip skip;
    int id = -1;
    std::string text;
};

void PrintTo(const LineCase& c, std::ostream* os) {
    *os << c.name;
}

LineCase Sets(const char* name, std::string line, int id, std::string text) {
    return {name, std::move(line), LangLineSkip::None, id, std::move(text)};
}
LineCase Skip(const char* name, std::string line, LangLineSkip why) {
    return {name, std::move(line), why, -1, {}};
}

class LangLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(LangLineTest, FollowsTheTextLineRules) {
    const LineCase& c = GetParam();
    const LangLine r = kt::ParseLangLine(c.line);
    EXPECT_EQ(r.skip, c.skip) << kt::LangLineSkipName(r.skip);
    if (c.skip == LangLineSkip::None) {
        EXPECT_EQ(r.id, c.id);
        EXPECT_EQ(r.text, c.text);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rules, LangLineTest,
    ::testing::Values(
        Sets("Plain", "STR0005 = Hello", 5, "Hello"),
        Sets("BlanksAroundIdAndLine", " \t STR 0012  = x y \t", 12, "x y"),
        Sets("TabBeforeEquals", "STR7\t=x", 7, "x"),
        Sets("IdAgainstEqualsLosesLastDigit", "STR12=abc", 1, "abc"),
        Skip("SingleDigitAgainstEquals", "STR5=abc", LangLineSkip::BadId),
        Sets("MultiByteCharacterBeforeEqualsDropped", "STR12\xC3\xA9= x", 12, "x"),
        Sets("LaterEqualsBelongToText", "STR5 = a=b == c", 5, "a=b == c"),
        Skip("EmptyLine", "", LangLineSkip::NoStr), Skip("BlankLine", "  \t ", LangLineSkip::NoStr),
        Skip("FreeText", "Italiano - translated by someone", LangLineSkip::NoStr),
        Skip("LowerCaseStr", "str5 = abc", LangLineSkip::NoStr),
        Skip("CommentLine", "/#/ STR5 = abc", LangLineSkip::NoStr),
        Skip("NoEquals", "STR5 abc", LangLineSkip::NoEquals),
        Skip("NothingForId", "STR = abc", LangLineSkip::BadId),
        Skip("EqualsRightAfterStr", "STR=abc", LangLineSkip::BadId),
        Skip("LettersInId", "STR5a  = abc", LangLineSkip::BadId),
        Skip("HexId", "STR0x1F = abc", LangLineSkip::BadId),
        Skip("BlankInsideId", "STR1 2 = abc", LangLineSkip::BadId),
        Skip("NegativeId", "STR-1 = abc", LangLineSkip::IdOutOfRange),
        Skip("IdEqualToSize", "STR2000 = abc", LangLineSkip::IdOutOfRange),
        Skip("IdFarOutside", "STR5000 = abc", LangLineSkip::IdOutOfRange),
        Skip("IdOverflowing", "STR99999999999999999999999 = abc", LangLineSkip::IdOutOfRange),
        Sets("LastId", "STR1999 = abc", 1999, "abc"),
        Skip("EmptyText", "STR5 =  \t ", LangLineSkip::EmptyText),
        Skip("CommentOnly", "STR5 = /#/ remark", LangLineSkip::CommentOnly),
        Sets("TextThenComment", "STR5 = abc  /#/ remark", 5, "abc"),
        Sets("PilcrowsKeepBlanks", "STR0317 = " + P + " to " + P + " /#/ remark", 317, " to "),
        Sets("BlanksLostWithoutPilcrows", "STR0317 =  to  ", 317, "to"),
        Sets("CommentBeforeClosingPilcrow", "STR5 = " + P + " a /#/ b" + P, 5, " a"),
        Sets("TwoPilcrowsGiveEmptyText", "STR5 = " + P + P, 5, ""),
        Sets("LonePilcrowGivesEmptyText", "STR5 = " + P, 5, ""),
        Sets("OpeningPilcrowOnly", "STR5 = " + P + "  abc", 5, "  abc"),
        Sets("TextAfterClosingPilcrowDropped", "STR5 = " + P + "ab" + P + "cd", 5, "ab"),
        Sets("PilcrowInsideTextEndsIt", "STR5 = ab" + P + "cd", 5, "ab"),
        Sets("ControlCharactersTrimmed",
             "STR5 = \x01"
             "abc\x7F\x02",
             5, "abc")),
    [](const auto& row) { return std::string(row.param.name); });

TEST(LangLine, TableSizeBoundsTheIds) {
    EXPECT_EQ(kt::ParseLangLine("STR9 = x", 10).skip, LangLineSkip::None);
    EXPECT_EQ(kt::ParseLangLine("STR10 = x", 10).skip, LangLineSkip::IdOutOfRange);
}

TEST(LangLine, FlagsANonBlankDroppedBeforeEquals) {
    EXPECT_TRUE(kt::ParseLangLine("STR12=x").droppedNonBlank);
    EXPECT_FALSE(kt::ParseLangLine("STR12 =x").droppedNonBlank);
}

// ---- bytes and lines -----------------------------------------------------------------------

struct DecodeCase {
    const char* name;
    std::string bytes;
    std::string utf8;
};

void PrintTo(const DecodeCase& c, std::ostream* os) {
    *os << c.name;
}

class DecodeTest : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeTest, GivesUtf8) {
    EXPECT_EQ(kt::DecodeLanguageBytes(GetParam().bytes), GetParam().utf8);
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, DecodeTest,
    ::testing::Values(
        DecodeCase{"Utf8Bom",
                   "\xEF\xBB\xBF"
                   "a\xC3\xA9\xE2\x82\xAC",
                   "a\xC3\xA9\xE2\x82\xAC"},
        DecodeCase{"Utf8BomMalformedBytesReplaced",
                   "\xEF\xBB\xBF"
                   "a\xFF"
                   "b\xC3",
                   "a\xEF\xBF\xBD"
                   "b\xEF\xBF\xBD"},
        DecodeCase{"Utf8BomEncodedSurrogateReplaced", "\xEF\xBB\xBF\xED\xA0\x80",
                   "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
        DecodeCase{"Utf16LeBom",
                   std::string("\xFF\xFE"
                               "a\x00\xE9\x00\xAC\x20\x3D\xD8\x00\xDE",
                               12),
                   "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"},
        DecodeCase{"Utf16BeBom",
                   std::string("\xFE\xFF\x00"
                               "a\x00\xE9\x20\xAC\xD8\x3D\xDE\x00",
                               12),
                   "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"},
        DecodeCase{"Utf16LoneSurrogateAndOddByte",
                   std::string("\xFF\xFE\x00\xDC"
                               "b\x00"
                               "c",
                               7),
                   "\xEF\xBF\xBD"
                   "b\xEF\xBF\xBD"},
        DecodeCase{"Cp1252Letters", "caf\xE9 \xB6", "caf\xC3\xA9 \xC2\xB6"},
        DecodeCase{"Cp1252EuroAndQuotes", "\x80\x93\x9F", "\xE2\x82\xAC\xE2\x80\x9C\xC5\xB8"},
        DecodeCase{"Cp1252UndefinedByteKeepsItsValue", "\x81", "\xC2\x81"},
        DecodeCase{"PlainAscii", "STR5 = x", "STR5 = x"},
        DecodeCase{"Utf8WithoutBom", "STR5 = \xC2\xB6Gr\xC3\xBC\xC3\x9F\xC2\xB6",
                   "STR5 = \xC2\xB6Gr\xC3\xBC\xC3\x9F\xC2\xB6"},
        DecodeCase{"Cp1252PairThatIsNoUtf8", "\xC3\xA9\xE9", "\xC3\x83\xC2\xA9\xC3\xA9"}),
    [](const auto& row) { return std::string(row.param.name); });

struct SplitCase {
    const char* name;
    std::string text;
    std::vector<std::string> lines;
};

void PrintTo(const SplitCase& c, std::ostream* os) {
    *os << c.name;
}

class SplitTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitTest, SplitsAtEveryLineEndStyle) {
    EXPECT_EQ(kt::SplitLanguageLines(GetParam().text), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(LineEnds, SplitTest,
                         ::testing::Values(SplitCase{"CrLf", "a\r\nb\r\nc", {"a", "b", "c"}},
                                           SplitCase{"Lf", "a\nb\nc\n", {"a", "b", "c"}},
                                           SplitCase{"Cr", "a\rb\rc\r", {"a", "b", "c"}},
                                           SplitCase{"Mixed", "a\r\nb\nc\rd", {"a", "b", "c", "d"}},
                                           SplitCase{"EmptyLinesKept",
                                                     "a\r\n\r\nb\r\rc\n\nd",
                                                     {"a", "", "b", "", "c", "", "d"}},
                                           SplitCase{"LfCrIsTwoEnds", "a\n\rb", {"a", "", "b"}},
                                           SplitCase{"Empty", "", {}}),
                         [](const auto& row) { return std::string(row.param.name); });

// ---- files ---------------------------------------------------------------------------------

TEST(ReadLangFile, EncodingsAndLineEndsReachTheTable) {
    TempDir dir;
    struct FileCase {
        const char* name;
        std::string bytes;
    };
    const FileCase cases[] = {
        {"bom-crlf.lng", "\xEF\xBB\xBF"
                         "STR1 = \xC3\xA9t\xC3\xA9\r\nSTR2 = \xE2\x82\xAC\r\n"},
        {"cp1252-lf.lng", "STR1 = \xE9t\xE9\nSTR2 = \x80\n"},
        {"utf8-no-bom.lng", "STR1 = \xC3\xA9t\xC3\xA9\r\nSTR2 = \xE2\x82\xAC\r\n"},
        {"cp1252-cr.lng", "STR1 = \xE9t\xE9\rSTR2 = \x80"},
        {"utf16le.lng", Bytes("\xFF\xFE"
                              "S\0T\0R\0"
                              "1\0 \0=\0 \0\xE9\0t\0\xE9\0\r\0\n\0"
                              "S\0T\0R\0"
                              "2\0 \0=\0\xAC\x20")},
        {"utf16be.lng", Bytes("\xFE\xFF"
                              "\0S\0T\0R\0"
                              "1\0 \0=\0 \0\xE9\0t\0\xE9\0\r"
                              "\0S\0T\0R\0"
                              "2\0 \0=\x20\xAC")},
    };
    for (const FileCase& c : cases) {
        SCOPED_TRACE(c.name);
        LanguageTable t = Defaults();
        ASSERT_TRUE(kt::Read_Lang_File(dir.write(c.name, c.bytes), t).ok());
        EXPECT_EQ(t.Get_Text(1), "\xC3\xA9t\xC3\xA9");
        EXPECT_EQ(t.Get_Text(2), "\xE2\x82\xAC");
        EXPECT_EQ(t.Get_Text(3), "Step 3");
    }
}

TEST(ReadLangFile, AppliesOverCurrentTextsAndLastLineWins) {
    TempDir dir;
    LanguageTable t = Defaults();
    t.Set_Text(7, "kept");
    const auto file = dir.write("It.lng", "Italiano\r\n"
                                          "STR0005 = primo\r\n"
                                          "STR5000 = fuori\r\n"
                                          "STR0005 = secondo\r\n"
                                          "str0006 = ignorato\r\n"
                                          "STR0008 = /#/ solo commento\r\n");
    ASSERT_TRUE(kt::Read_Lang_File(file, t).ok());
    EXPECT_EQ(t.Get_Text(5), "secondo");
    EXPECT_EQ(t.Get_Text(6), "Step 6");
    EXPECT_EQ(t.Get_Text(7), "kept");
    EXPECT_EQ(t.Get_Text(8), "Step 8");
    EXPECT_EQ(t.size(), 2000);
}

TEST(ReadLangFile, MissingFileFailsWithTheReasonAndChangesNothing) {
    TempDir dir;
    LanguageTable t = Defaults();
    const kt::Status st = kt::Read_Lang_File(dir / "None.lng", t);
    EXPECT_FALSE(st.ok());
    EXPECT_NE(st.message.find("None.lng"), std::string::npos) << st.message;
    EXPECT_NE(st.message.find("No such file"), std::string::npos) << st.message;
    EXPECT_EQ(t.Get_Text(0), "Begin");
}

// ---- loading a language --------------------------------------------------------------------

TEST(LoadLanguage, OwnFileOverDefaults) {
    TempDir dir;
    dir.write("Italiano.lng", "STR0017 = Aggiorna\r\n");
    LanguageTable t;
    std::string name = "Italiano";
    ASSERT_TRUE(kt::Load_Language(dir.path(), name, t).ok());
    EXPECT_EQ(name, "Italiano");
    EXPECT_EQ(t.Get_Text(17), "Aggiorna");
    EXPECT_EQ(t.Get_Text(16), "Open Configuration");
}

TEST(LoadLanguage, EnglishAfterAnotherLanguageRestoresDefaults) {
    TempDir dir;
    dir.write("Italiano.lng", "STR0017 = Aggiorna\r\n");
    LanguageTable t;
    std::string name = "Italiano";
    ASSERT_TRUE(kt::Load_Language(dir.path(), name, t).ok());
    name = "English";
    ASSERT_TRUE(kt::Load_Language(dir.path(), name, t).ok());
    EXPECT_EQ(t.Get_Text(17), "Update Device");
    EXPECT_EQ(t.size(), 2000);
}

struct FallbackCase {
    const char* name;
    std::string languageName;
    bool withEnglishFile;
    std::string text17; // expected text 17 afterwards
};

void PrintTo(const FallbackCase& c, std::ostream* os) {
    *os << c.name;
}

class LoadLanguageFallback : public ::testing::TestWithParam<FallbackCase> {};

TEST_P(LoadLanguageFallback, MissingFileMeansEnglish) {
    const FallbackCase& c = GetParam();
    TempDir dir;
    dir.write("Italiano.lng", "STR0017 = Aggiorna\r\n");
    fs::create_directory(dir / "Folder.lng");
    if (c.withEnglishFile) dir.write("English.lng", "STR0017 = Update the Device\r\n");
    LanguageTable t = Defaults();
    t.Set_Text(17, "left over");
    std::string name = c.languageName;
    ASSERT_TRUE(kt::Load_Language(dir.path(), name, t).ok());
    EXPECT_EQ(name, "English");
    EXPECT_EQ(t.Get_Text(17), c.text17);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LoadLanguageFallback,
    ::testing::Values(FallbackCase{"MissingWithEnglishFile", "Francais", true, "Update the Device"},
                      FallbackCase{"MissingWithoutEnglishFile", "Francais", false, "Update Device"},
                      FallbackCase{"EmptyName", "", false, "Update Device"},
                      FallbackCase{"FolderIsNotAFile", "Folder", false, "Update Device"},
                      FallbackCase{"NameLeadingOutOfTheFolder", "../Italiano", true,
                                   "Update the Device"}),
    [](const auto& row) { return std::string(row.param.name); });

// The name finds its file as the file system finds names: with case on Linux, without on Windows.
TEST(LoadLanguage, NameCaseFollowsTheFileSystem) {
    TempDir dir;
    dir.write("Italiano.lng", "STR0017 = Aggiorna\r\n");
    LanguageTable t = Defaults();
    std::string name = "italiano";
    ASSERT_TRUE(kt::Load_Language(dir.path(), name, t).ok());
#ifdef _WIN32
    EXPECT_EQ(name, "italiano");
    EXPECT_EQ(t.Get_Text(17), "Aggiorna");
#else
    EXPECT_EQ(name, "English");
    EXPECT_EQ(t.Get_Text(17), "Update Device");
#endif
}

TEST(LoadLanguage, EmptyNameUsesTheFileNamedDotLng) {
    TempDir dir;
    dir.write(".lng", "STR0017 = Nameless\r\n");
    LanguageTable t;
    std::string name;
    ASSERT_TRUE(kt::Load_Language(dir.path(), name, t).ok());
    EXPECT_EQ(name, "");
    EXPECT_EQ(t.Get_Text(17), "Nameless");
}

#ifdef __linux__
TEST(LoadLanguage, UnreadableFileLeavesDefaultsAndSaysWhy) {
    // Reading /proc/self/mem from its start fails for everyone, root included.
    TempDir dir;
    fs::create_symlink("/proc/self/mem", dir / "Broken.lng");
    LanguageTable t = Defaults();
    t.Set_Text(17, "left over");
    std::string name = "Broken";
    const kt::Status st = kt::Load_Language(dir.path(), name, t);
    EXPECT_FALSE(st.ok());
    EXPECT_NE(st.message.find("Broken.lng"), std::string::npos) << st.message;
    EXPECT_NE(st.message.find("Input/output error"), std::string::npos) << st.message;
    EXPECT_EQ(name, "Broken");
    EXPECT_EQ(t.Get_Text(17), "Update Device");
    EXPECT_EQ(t.size(), 2000);
}
#endif

// ---- listing and flags ---------------------------------------------------------------------

TEST(ListLanguageFiles, OffersWritableLngFilesSortedWithoutCase) {
    TempDir dir;
    for (const char* f : {"b.lng", "C.lng", "A.lng", "notes.txt", "old.lng.bak", "ro.lng"})
        dir.write(f, "STR0 = x\r\n");
    fs::permissions(dir / "ro.lng",
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    fs::create_directory(dir / "folder.lng");
    const std::vector<std::string> expected = {"A.lng", "b.lng", "C.lng"};
    EXPECT_EQ(kt::ListLanguageFiles(dir.path()), expected);
}

TEST(ListLanguageFiles, MissingOrEmptyFolderGivesEmptyList) {
    TempDir dir;
    EXPECT_TRUE(kt::ListLanguageFiles(dir.path()).empty());
    EXPECT_TRUE(kt::ListLanguageFiles(dir / "absent").empty());
}

TEST(FlagPicture, OwnThenDefaultThenNone) {
    TempDir dir;
    dir.write("French.lng", "");
    EXPECT_FALSE(kt::FlagPicture(dir.path(), "French").has_value());
    dir.write("DefaultFlag.bmp", "BM");
    EXPECT_EQ(kt::FlagPicture(dir.path(), "French"), dir / "DefaultFlag.bmp");
    dir.write("French.bmp", "BM");
    EXPECT_EQ(kt::FlagPicture(dir.path(), "French"), dir / "French.bmp");
    EXPECT_EQ(kt::FlagPicture(dir.path(), "German"), dir / "DefaultFlag.bmp");
}

// ---- template and check --------------------------------------------------------------------

TEST(LanguageTemplate, HoldsEveryTextBetweenPilcrows) {
    const std::string tpl = kt::LanguageTemplate(Defaults());
    EXPECT_EQ(tpl.substr(0, 3), "\xEF\xBB\xBF");
    // Shown texts name their window; the others carry no comment.
    for (const char* line :
         {"\r\nSTR0000 = \xC2\xB6"
          "Begin\xC2\xB6 /#/ main window: step labels\r\n",
          "\r\nSTR0009 = \xC2\xB6None Configuration Opened \xC2\xB6 /#/ main window: "
          "configuration banner\r\n",
          "\r\nSTR0021 = \xC2\xB6LoRaWAN Access\xC2\xB6\r\n",
          "\r\nSTR0111 = \xC2\xB6"
          "A name may not contain \\ / : * ? \" < > | or end with a dot or "
          "blank, and may not be a device name such as CON\xC2\xB6 /#/ New Configuration dialog: "
          "error box, second line\r\n",
          "\r\nSTR0306 = \xC2\xB6 / \xC2\xB6 /#/ Software Options dialog\r\n",
          "\r\nSTR1505 = \xC2\xB6"
          "File already exists. Do you want to overwrite?\xC2\xB6\r\n",
          "\r\nSTR1999 = \xC2\xB6 \xC2\xB6\r\n"})
        EXPECT_NE(tpl.find(line), std::string::npos) << line;
}

TEST(LanguageTemplate, ReadingItBackReproducesTheTable) {
    LanguageTable source = Defaults();
    for (int id = 0; id < source.size(); ++id) {
        // A pilcrow, a line break or "/#/" could not survive a language file.
        ASSERT_EQ(source.Get_Text(id).find(P), std::string::npos) << id;
        ASSERT_EQ(source.Get_Text(id).find_first_of("\r\n"), std::string::npos) << id;
        ASSERT_EQ(source.Get_Text(id).find("/#/"), std::string::npos) << id;
    }
    source.Set_Text(5, "");
    source.Set_Text(6, "  \t=both ends=\t  ");

    TempDir dir;
    const auto file = dir.write("Template.lng", kt::LanguageTemplate(source));
    LanguageTable back = Defaults();
    for (int id = 0; id < back.size(); ++id)
        back.Set_Text(id, "unset");
    ASSERT_TRUE(kt::Read_Lang_File(file, back).ok());
    for (int id = 0; id < source.size(); ++id)
        ASSERT_EQ(back.Get_Text(id), source.Get_Text(id)) << id;
}

TEST(LanguageTemplate, RefusesTextsNoLineCanCarry) {
    for (const std::string& bad : {"a" + P + "b", std::string("a\nb"), std::string("a /#/ b")}) {
        LanguageTable t = Defaults();
        t.Set_Text(3, bad);
        EXPECT_THROW((void)kt::LanguageTemplate(t), std::invalid_argument) << bad;
    }
}

TEST(CheckLanguageFile, ReportsEveryLine) {
    TempDir dir;
    const auto file = dir.write("Check.lng", "Deutsch\n"
                                             "\n"
                                             "STR0005 = eins\n"
                                             "STR12=zwei\n"
                                             "STR0005 = drei\n"
                                             "STR5=x\n"
                                             "STR9999 = x\n"
                                             "STR0007 =\n"
                                             "STR0008 = /#/ nur\n"
                                             "STR0009 x\n"
                                             "STR 99999999999999 = x\n");
    const kt::Result<kt::LanguageCheckReport> checked = kt::CheckLanguageFile(file);
    ASSERT_TRUE(checked.ok());
    const kt::LanguageCheckReport& report = checked.value;
    ASSERT_EQ(report.lines.size(), 11u);
    const LangLineSkip expected[] = {
        LangLineSkip::NoStr,        LangLineSkip::NoStr,       LangLineSkip::None,
        LangLineSkip::None,         LangLineSkip::None,        LangLineSkip::BadId,
        LangLineSkip::IdOutOfRange, LangLineSkip::EmptyText,   LangLineSkip::CommentOnly,
        LangLineSkip::NoEquals,     LangLineSkip::IdOutOfRange};
    for (std::size_t i = 0; i < report.lines.size(); ++i) {
        EXPECT_EQ(report.lines[i].lineNumber, static_cast<int>(i + 1));
        EXPECT_EQ(report.lines[i].result.skip, expected[i]) << "line " << i + 1;
    }
    EXPECT_EQ(report.lines[3].result.id, 1);
    EXPECT_TRUE(report.lines[3].result.droppedNonBlank);
    EXPECT_EQ(report.lines[4].result.text, "drei");
    EXPECT_EQ(report.lines[4].replacesLine, 3);
    EXPECT_EQ(report.lines[2].replacesLine, 0);
    EXPECT_EQ(report.setTexts, 3);
    EXPECT_EQ(report.distinctIds, 2);
    // The ID as written, not as far as an integer reaches; "STR5=" lost its only digit.
    EXPECT_EQ(report.lines[10].result.idText, "99999999999999");
    EXPECT_EQ(report.lines[6].result.idText, "9999");
    EXPECT_TRUE(report.lines[5].result.droppedNonBlank);
    EXPECT_EQ(report.skippedTextLines, 6);
    EXPECT_EQ(report.otherLines, 2);
}

TEST(CheckLanguageFile, UnreadableFileFails) {
    TempDir dir;
    EXPECT_FALSE(kt::CheckLanguageFile(dir / "absent.lng").ok());
    EXPECT_FALSE(kt::CheckLanguageFile(dir.path()).ok());
}

} // namespace
