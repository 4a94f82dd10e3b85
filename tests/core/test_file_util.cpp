// The file layer: exclusive temporary files, leftovers of killed runs, size limits, messages.

#include "TempDir.h"
#include "base/FileUtil.h"
#include "base/TextUtil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace kt {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

#ifndef _WIN32
// The id of a process that has ended.
std::uint64_t DeadProcessId() {
    const pid_t child = fork();
    if (child == 0) _exit(0);
    int status = 0;
    waitpid(child, &status, 0);
    return static_cast<std::uint64_t>(child);
}

// Plants a link to the victim at the first temporary name a write picks.
fs::path g_victim;
int g_planted = 0;
int PlantLinkAtFirstName(FileStep step, const fs::path& p) {
    if (step == FileStep::Create && g_planted++ == 0) fs::create_symlink(g_victim, p);
    return 0;
}

TEST(WriteFileAtomic, NeverWritesThroughALinkAtTheTemporaryName) {
    TempDir t;
    g_victim = t.write("victim.txt", "precious");
    g_planted = 0;
    const fs::path target = t.write("list.xml", "old");
    SetFileStepHook(PlantLinkAtFirstName);
    const Status s = WriteFileAtomic(target, "new");
    SetFileStepHook(nullptr);
    ASSERT_TRUE(s.ok()) << s.message;
    EXPECT_EQ(g_planted, 2); // the clash was seen and another name taken
    EXPECT_EQ(TempDir::read(g_victim), "precious");
    EXPECT_FALSE(fs::is_symlink(fs::symlink_status(target)));
    EXPECT_EQ(TempDir::read(target), "new");
}
#endif

TEST(WriteFileAtomic, TemporaryNamesAreOursAndUnpredictable) {
    const fs::path a = TemporaryName("/x/list.xml", "tmp");
    const fs::path b = TemporaryName("/x/list.xml", "tmp");
    EXPECT_NE(a, b);
    EXPECT_EQ(a.parent_path(), fs::path("/x"));
    const auto parsed = ParseTemporaryName(a);
    ASSERT_TRUE(parsed.has_value()) << a;
    EXPECT_EQ(parsed->base, "list.xml");
    EXPECT_EQ(parsed->kind, "tmp");
    EXPECT_TRUE(ProcessRunning(parsed->pid));
    for (const char* other :
         {".list.xml.tmp123", "list.xml", ".a.kt52903-tmp-12-xyz",
          ".a.kt52903-tmp-x1-0123456789abcdef", ".kt52903-tmp-1-0123456789abcdef"})
        EXPECT_FALSE(ParseTemporaryName(other).has_value()) << other;
}

#ifndef _WIN32
TEST(WriteFileAtomic, RemovesTheTemporaryFilesOfEndedProcesses) {
    TempDir t;
    const std::string dead = std::to_string(DeadProcessId());
    const std::string alive = std::to_string(getpid());
    t.write(".list.xml.kt52903-tmp-" + dead + "-0123456789abcdef", "left by a kill");
    t.write(".other.xml.kt52903-tmp-" + dead + "-fedcba9876543210", "left by a kill");
    t.write(".list.xml.kt52903-tmp-" + alive + "-0123456789abcdef", "being written");
    t.write(".list.xml.tmp123", "not recognisably ours");
    ASSERT_TRUE(WriteFileAtomic(t / "list.xml", "x").ok());
    EXPECT_EQ(TempDir::names(t.path()),
              (std::vector<std::string>{".list.xml.kt52903-tmp-" + alive + "-0123456789abcdef",
                                        ".list.xml.tmp123", "list.xml"}));
}

// A full disk: the old file stays, no temporary file is left, the message names the file.
int DiskFull(FileStep step, const fs::path&) {
    return step == FileStep::Write ? ENOSPC : 0;
}

TEST(WriteFileAtomic, FullDiskKeepsTheOldFile) {
    TempDir t;
    const fs::path target = t.write("list.xml", "old");
    SetFileStepHook(DiskFull);
    const Status s = WriteFileAtomic(target, "new");
    SetFileStepHook(nullptr);
    EXPECT_FALSE(s.ok());
    EXPECT_NE(s.message.find(target.string()), std::string::npos) << s.message;
    EXPECT_NE(s.message.find(std::strerror(ENOSPC)), std::string::npos) << s.message;
    EXPECT_EQ(TempDir::names(t.path()), std::vector<std::string>{"list.xml"});
    EXPECT_EQ(TempDir::read(target), "old");
}

// A write that skips the wait for the disk (the Workspace probe) is just as atomic.
TEST(WriteFileAtomic, WithoutFlushReplacesOrKeepsTheOldFile) {
    for (const bool full : {false, true}) {
        TempDir t;
        const fs::path target = t.write("probe", "old");
        SetFileStepHook(full ? DiskFull : nullptr);
        const Status s = WriteFileAtomic(target, "new", Flush::No);
        SetFileStepHook(nullptr);
        EXPECT_EQ(s.ok(), !full) << s.message;
        EXPECT_EQ(TempDir::read(target), full ? "old" : "new");
        EXPECT_EQ(TempDir::names(t.path()), std::vector<std::string>{"probe"});
    }
}
#endif

TEST(WriteFileAtomic, AFileWhereAFolderIsNeededIsNamed) {
    TempDir t;
    t.write("afile", "x");
    for (const char* below : {"afile/x.bin", "afile/sub/x.bin"}) {
        const Status s = WriteFileAtomic(t / below, "y");
        EXPECT_FALSE(s.ok()) << below;
        EXPECT_NE(
            s.message.find("\"" + (t / "afile").string() + "\" is a file where a folder is needed"),
            std::string::npos)
            << s.message;
    }
    EXPECT_EQ(FileInPlaceOfFolder(t / "afile/sub"), t / "afile");
    EXPECT_EQ(FileInPlaceOfFolder(t / "nothing/sub"), fs::path());
    EXPECT_EQ(FileInPlaceOfFolder(t.path()), fs::path());
}

TEST(ReadFileBytes, RefusesWhatIsNoFileOfThatKind) {
    TempDir t;
    t.write("big.xml", std::string(2001, 'x'));
    t.write("fits.xml", std::string(2000, 'x'));
    fs::create_directory(t / "folder.xml");
#ifndef _WIN32
    fs::create_symlink(t / "gone.xml", t / "dangling.xml");
#endif
    struct Case {
        const char* name;
        std::string path;
        StatusCode code;
        const char* says; // besides the file's name
    };
    const Case cases[] = {
        {"missing", (t / "none.xml").string(), StatusCode::NotFound, "No such file"},
        {"too large", (t / "big.xml").string(), StatusCode::Io, "it has 2001 bytes"},
        {"a folder", (t / "folder.xml").string(), StatusCode::Io, "a folder, not a file"},
#ifndef _WIN32
        {"a link to nothing", (t / "dangling.xml").string(), StatusCode::Io,
         "a link to a file that does not exist"},
        {"endless device", "/dev/zero", StatusCode::Io, "more than 2000 bytes"},
#endif
    };
    for (const Case& c : cases) {
        const Result<std::string> r = ReadFileBytes(c.path, 2000);
        EXPECT_EQ(r.status.code, c.code) << c.name;
        EXPECT_NE(r.status.message.find("\"" + c.path + "\""), std::string::npos)
            << c.name << ": " << r.status.message;
        EXPECT_NE(r.status.message.find(c.says), std::string::npos)
            << c.name << ": " << r.status.message;
        EXPECT_TRUE(r.value.empty()) << c.name;
    }
    const Result<std::string> fits = ReadFileBytes(t / "fits.xml", 2000);
    ASSERT_TRUE(fits.ok()) << fits.status.message;
    EXPECT_EQ(fits.value.size(), 2000u);
}

TEST(Abridged, KeepsMessagesShort) {
    EXPECT_EQ(Abridged("short"), "short");
    EXPECT_EQ(Abridged(std::string(40, 'a')), std::string(40, 'a'));
    EXPECT_EQ(Abridged(std::string(10'000'000, '7')), std::string(40, '7') + "...");
    // Cut between characters, never inside one: "ä" is two bytes.
    EXPECT_EQ(Abridged("\xC3\xA4\xC3\xA4\xC3\xA4", 2), "\xC3\xA4\xC3\xA4...");
    EXPECT_EQ(Utf8Prefix("\xC3\xA4"
                         "bc",
                         1),
              "\xC3\xA4");
}

} // namespace
} // namespace kt
