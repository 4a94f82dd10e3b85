// Hostile inputs that once took seconds to minutes, each read the way the programs read it.
// Goal: every one well under a second (each grows linearly with its input):
// - a DBC whose BU_ line names 40,000 nodes, and one message with 40,000 receivers;
// - the hand-over files (report HTML, I/O map, check) of a Project whose Mnemonic is
//   100,000 characters long, and of one whose identifier text nearly fills the size limit.
#include "base/FileUtil.h"
#include "dbc/DbcFile.h"
#include "handover/HandoverPack.h"
#include "lang/LanguageTable.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

namespace {

std::string ManyNodes(int count) {
    std::string text = "VERSION \"\"\nBU_:";
    for (int i = 0; i < count; ++i)
        text += " Node" + std::to_string(i);
    return text + "\nBO_ 1 M: 8 Node0\n";
}

std::string ManyReceivers(int count) {
    std::string text = "VERSION \"\"\nBU_: A\nBO_ 1 M: 8 A\n SG_ S : 0|8@1+ (1,0) [0|1] \"\" ";
    for (int i = 0; i < count; ++i)
        text += (i ? ",R" : "R") + std::to_string(i);
    return text + "\n";
}

void ParseOrAbort(const std::string& text) {
    const kt::Result<kt::DbcDatabase> read = kt::ParseDbc(text);
    if (!read) std::abort();
    benchmark::DoNotOptimize(read.value);
}

void BM_DbcNodeList40000(benchmark::State& state) {
    const std::string text = ManyNodes(40000);
    for (auto _ : state)
        ParseOrAbort(text);
}
BENCHMARK(BM_DbcNodeList40000)->Unit(benchmark::kMillisecond);

void BM_DbcReceivers40000(benchmark::State& state) {
    const std::string text = ManyReceivers(40000);
    for (auto _ : state)
        ParseOrAbort(text);
}
BENCHMARK(BM_DbcReceivers40000)->Unit(benchmark::kMillisecond);

class HostileProject {
public:
    explicit HostileProject(const std::string& row) {
        std::random_device rd;
        dir_ = std::filesystem::temp_directory_path() / ("kt-bench-" + std::to_string(rd()));
        std::filesystem::create_directories(dir_);
        if (!kt::WriteFileAtomic(dir_ / "ParGen.xml",
                                 "<Par_Gen><CAN_BAUDRATE>7</CAN_BAUDRATE><PROFIBUS_ID_Device>12"
                                 "</PROFIBUS_ID_Device><PROFIBUS_GDS_CAN_Mapping>1"
                                 "</PROFIBUS_GDS_CAN_Mapping></Par_Gen>") ||
            !kt::WriteFileAtomic(dir_ / "CAN_Rec_Frames.xml",
                                 "<Receive_Frames>" + row + "</Receive_Frames>"))
            std::abort();
    }
    ~HostileProject() {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    void build() const {
        std::vector<kt::HandoverFile> files;
        const kt::PdfRenderer none = [](const std::string&, const std::string&, std::string&) {
            return kt::Status::success();
        };
        const kt::Status s = kt::BuildHandoverFiles({dir_, "P", "2026-12-10 10:30"},
                                                    kt::LanguageTable::English(), none, files);
        benchmark::DoNotOptimize(files);
        benchmark::DoNotOptimize(s);
    }

private:
    std::filesystem::path dir_;
};

void BM_HandoverMnemonic100000(benchmark::State& state) {
    const HostileProject p("<row COBID=\"0x100\" CAN_Type=\"2.0A (11 bits)\" Dim=\"8\" SWAP=\"0\" "
                           "TimeOut=\"100\" Mnemonic=\"" +
                           std::string(100000, 'm') + "\"/>");
    for (auto _ : state)
        p.build();
}
BENCHMARK(BM_HandoverMnemonic100000)->Unit(benchmark::kMillisecond);

void BM_HandoverIdentifier1MB(benchmark::State& state) {
    const HostileProject p("<row COBID=\"" + std::string(1000000, '7') +
                           "\" CAN_Type=\"2.0A (11 bits)\" Dim=\"8\" SWAP=\"0\" TimeOut=\"100\"/>");
    for (auto _ : state)
        p.build();
}
BENCHMARK(BM_HandoverIdentifier1MB)->Unit(benchmark::kMillisecond);

} // namespace
