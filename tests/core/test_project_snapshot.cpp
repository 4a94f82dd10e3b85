// One reading of a Project serves every output: what each file's status says, and that the
// outputs made from it are those made from the files.

#include "ProjectFixture.h"
#include "base/FileUtil.h"
#include "checks/CheckProject.h"
#include "outputs/ConfigImage.h"
#include "outputs/GsdFile.h"
#include "project/ProjectSnapshot.h"

#include <gtest/gtest.h>

#include <string>

using namespace kt;
using kt::test::ProjectDir;

namespace {

std::string Rows(int n) {
    std::string rows;
    for (int i = 0; i < n; ++i)
        rows += "<row COBID=\"" + std::to_string(0x100 + i) +
                "\" CAN_Type=\"2.0A (11 bits)\" Dim=\"2\" SWAP=\"0\" TimeOut=\"0\" Mnemonic=\"m" +
                std::to_string(i) + "\"/>";
    return rows;
}

} // namespace

TEST(ProjectSnapshot, EachFileKeepsItsOwnStatus) {
    struct Case {
        const char* name;
        bool parGen, receive, transmit; // written (well-formed) or not
        const char* brokenFile;         // written as malformed XML instead, or nullptr
        StatusCode parGenCode, receiveCode, transmitCode;
        bool anyFile;
    };
    using enum StatusCode;
    const Case cases[] = {
        {"empty folder", false, false, false, nullptr, NotFound, NotFound, NotFound, false},
        {"all three", true, true, true, nullptr, Ok, Ok, Ok, true},
        {"only a receive list", false, true, false, nullptr, NotFound, Ok, NotFound, true},
        {"broken ParGen", false, true, true, "ParGen.xml", Malformed, Ok, Ok, true},
        {"broken send list", true, false, false, "CAN_Send_Frames.xml", Ok, NotFound, Malformed,
         true},
    };
    for (const Case& c : cases) {
        ProjectDir dir;
        if (c.parGen) dir.settings("7", "12", "1");
        if (c.receive) dir.receive(Rows(2));
        if (c.transmit) dir.transmit("");
        if (c.brokenFile) {
            const std::filesystem::path file = dir.path() / c.brokenFile;
            ASSERT_TRUE(WriteFileAtomic(file, "<Par_Gen><CAN_BAUDRATE>")) << c.name;
        }
        const ProjectSnapshot s = ReadProjectSnapshot(dir.files());
        EXPECT_EQ(s.parGen.status.code, c.parGenCode) << c.name;
        EXPECT_EQ(s.receive.status.code, c.receiveCode) << c.name;
        EXPECT_EQ(s.transmit.status.code, c.transmitCode) << c.name;
        EXPECT_EQ(s.anyFile(), c.anyFile) << c.name;
        EXPECT_EQ(s.receive.nodes.size(), c.receive ? 2u : 0u) << c.name;
        if (c.parGen) {
            EXPECT_EQ(s.parGen.value, (ParGen{7, "12", true})) << c.name;
            EXPECT_EQ(s.parGenRoot, "Par_Gen") << c.name;
        }
        if (c.brokenFile) {
            const Status& broken = c.parGenCode == Malformed ? s.parGen.status : s.transmit.status;
            EXPECT_NE(broken.message.find(c.brokenFile), std::string::npos) << broken.message;
            EXPECT_TRUE(Unreadable(broken));
        }
    }
}

// The editors see 30 rows, the image 32 frames and the GSD every frame of the same reading.
TEST(ProjectSnapshot, EveryReaderTakesItsShareOfALongList) {
    ProjectDir dir;
    dir.settings("9", "10", "0");
    dir.receive(Rows(35));
    const ProjectSnapshot s = ReadProjectSnapshot(dir.files());
    ASSERT_EQ(s.receive.nodes.size(), 35u);

    FrameList rows(FrameKind::Receive);
    ASSERT_TRUE(FillFrameList(s.receive, rows));
    EXPECT_EQ(rows.FrameCount(), 30);
    EXPECT_EQ(rows.field(29, RxMnemonic), "m29");

    ConfigImage fromSnapshot{}, fromFiles{};
    ASSERT_TRUE(Compile_Config_Image(s, fromSnapshot));
    ASSERT_TRUE(Compile_Config_Image(dir.files(), fromFiles));
    EXPECT_EQ(fromSnapshot, fromFiles);
    EXPECT_EQ(fromSnapshot[ImageParamBlock + ParamRecFrameCount], 32);

    const Result<GSD_Data> gsd = Read_GSD_Data(s);
    ASSERT_TRUE(gsd.ok());
    EXPECT_EQ(gsd.value.In_Dim.size(), 35u);
    EXPECT_EQ(gsd.value.In_Len, 70);
}

// An unreadable list leaves the editors' list empty with the reader's message, as Load_Frames
// does, and the outputs fail with the same message.
TEST(ProjectSnapshot, AnUnreadableListFailsEveryOutputAlike) {
    ProjectDir dir;
    dir.settings("9", "10", "0");
    ASSERT_TRUE(WriteFileAtomic(dir.files().RecFramesFile, "<Receive_Frames><row"));
    const ProjectSnapshot s = ReadProjectSnapshot(dir.files());

    FrameList rows(FrameKind::Receive);
    rows.setField(0, RxCOBID, "1");
    FrameList loaded(FrameKind::Receive);
    const Status fromFile = loaded.Load_Frames(dir.files().RecFramesFile);
    const Status fromSnapshot = FillFrameList(s.receive, rows);
    EXPECT_EQ(fromSnapshot.code, StatusCode::Malformed);
    EXPECT_EQ(fromSnapshot.message, fromFile.message);
    EXPECT_EQ(rows.FrameCount(), 0);

    ConfigImage image{};
    EXPECT_EQ(Compile_Config_Image(s, image).message, fromFile.message);
    EXPECT_EQ(Read_GSD_Data(s).status.message, fromFile.message);
    const ProjectData data = ReadProjectData(s);
    ASSERT_NE(data.unreadable(), nullptr);
    EXPECT_EQ(data.unreadable()->message, fromFile.message);
}
