// A full Project (30 receive and 30 transmit frames): loading it as the editors do, then
// compiling its configuration image and its GSD text. Goal: 60 microseconds in all, reading
// the files once (the Snapshot benchmarks). Check Project with the I/O map of the same Project
// must stay below image plus GSD. The benchmarks without "Snapshot" read the files through
// each output's own path-based entry, as callers that need only one output do.
#include "base/Workspace.h"
#include "checks/CheckProject.h"
#include "checks/IoMap.h"
#include "lang/LanguageTable.h"
#include "outputs/ConfigImage.h"
#include "outputs/GsdFile.h"
#include "project/FrameList.h"
#include "project/ParGenFile.h"
#include "project/ProjectSnapshot.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

namespace {

class FullProject {
public:
    FullProject() {
        std::random_device rd;
        dir_ = std::filesystem::temp_directory_path() / ("kt-bench-" + std::to_string(rd()));
        std::filesystem::create_directories(dir_);
        files_ = kt::MakeProjectFiles(dir_);
        if (!kt::WriteParGen(files_.ParGenFile, kt::ParGen{7, "12", false})) std::abort();
        kt::FrameList rx(kt::FrameKind::Receive);
        kt::FrameList tx(kt::FrameKind::Transmit);
        for (int r = 0; r < kt::FrameList::Rows; ++r) {
            const std::string id = std::to_string(0x100 + r);
            rx.setReceiveFrame(r, {id, "2.0A (11 bits)", "8", "0x0F", "1000", "sensor " + id});
            tx.setTransmitFrame(
                r, {"0x" + id, "2.0B (29 bits)", "8", "0", "Y", "Y", "250", "actuator " + id});
        }
        if (!rx.Save_Frames(files_.RecFramesFile) || !tx.Save_Frames(files_.SendFramesFile))
            std::abort();
    }
    ~FullProject() {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    [[nodiscard]] const kt::ProjectFiles& files() const { return files_; }

private:
    std::filesystem::path dir_;
    kt::ProjectFiles files_;
};

void BM_LoadProjectImageAndGsd(benchmark::State& state) {
    const FullProject project;
    const kt::ProjectFiles& files = project.files();
    const kt::LanguageTable texts = kt::LanguageTable::English();
    for (auto _ : state) {
        kt::FrameList rx(kt::FrameKind::Receive);
        kt::FrameList tx(kt::FrameKind::Transmit);
        if (!kt::ReadParGen(files.ParGenFile) || !rx.Load_Frames(files.RecFramesFile) ||
            !tx.Load_Frames(files.SendFramesFile))
            state.SkipWithError("load failed");
        kt::ConfigImage image{};
        if (!kt::Compile_Config_Image(files, image)) state.SkipWithError("image failed");
        const kt::Result<kt::GSD_Data> data = kt::Read_GSD_Data(files);
        const kt::Result<std::string> gsd =
            data ? kt::ComposeGsdText(data.value, texts) : kt::Result<std::string>{{}, data.status};
        if (!gsd) state.SkipWithError("GSD failed");
        benchmark::DoNotOptimize(image);
        benchmark::DoNotOptimize(gsd);
        benchmark::DoNotOptimize(rx);
        benchmark::DoNotOptimize(tx);
    }
}
BENCHMARK(BM_LoadProjectImageAndGsd)->Unit(benchmark::kMicrosecond);

void BM_ImageAndGsd(benchmark::State& state) {
    const FullProject project;
    const kt::LanguageTable texts = kt::LanguageTable::English();
    for (auto _ : state) {
        kt::ConfigImage image{};
        const kt::Result<kt::GSD_Data> data = kt::Read_GSD_Data(project.files());
        const kt::Result<std::string> gsd =
            data ? kt::ComposeGsdText(data.value, texts) : kt::Result<std::string>{{}, data.status};
        if (!kt::Compile_Config_Image(project.files(), image) || !gsd)
            state.SkipWithError("image or GSD failed");
        benchmark::DoNotOptimize(image);
        benchmark::DoNotOptimize(gsd);
    }
}
BENCHMARK(BM_ImageAndGsd)->Unit(benchmark::kMicrosecond);

void BM_CheckAndIoMap(benchmark::State& state) {
    const FullProject project;
    kt::LanguageTable texts;
    texts.Load_Default_Texts();
    for (auto _ : state) {
        const kt::ProjectData data = kt::ReadProjectData(project.files());
        kt::ProjectCheck check = kt::CheckProjectData(data, texts);
        kt::IoMap map;
        if (!kt::BuildIoMap(data, map) || check.findings.empty())
            state.SkipWithError("check or map failed");
        benchmark::DoNotOptimize(check);
        benchmark::DoNotOptimize(map);
    }
}
BENCHMARK(BM_CheckAndIoMap)->Unit(benchmark::kMicrosecond);

kt::Result<std::string> GsdText(const kt::ProjectSnapshot& project,
                                const kt::LanguageTable& texts) {
    const kt::Result<kt::GSD_Data> data = kt::Read_GSD_Data(project);
    return data ? kt::ComposeGsdText(data.value, texts) : kt::Result<std::string>{{}, data.status};
}

void BM_SnapshotLoadImageAndGsd(benchmark::State& state) {
    const FullProject project;
    const kt::LanguageTable texts = kt::LanguageTable::English();
    for (auto _ : state) {
        const kt::ProjectSnapshot read = kt::ReadProjectSnapshot(project.files());
        kt::FrameList rx(kt::FrameKind::Receive);
        kt::FrameList tx(kt::FrameKind::Transmit);
        if (!read.parGen || !kt::FillFrameList(read.receive, rx) ||
            !kt::FillFrameList(read.transmit, tx))
            state.SkipWithError("load failed");
        kt::ConfigImage image{};
        if (!kt::Compile_Config_Image(read, image)) state.SkipWithError("image failed");
        const kt::Result<std::string> gsd = GsdText(read, texts);
        if (!gsd) state.SkipWithError("GSD failed");
        benchmark::DoNotOptimize(image);
        benchmark::DoNotOptimize(gsd);
        benchmark::DoNotOptimize(rx);
        benchmark::DoNotOptimize(tx);
    }
}
BENCHMARK(BM_SnapshotLoadImageAndGsd)->Unit(benchmark::kMicrosecond);

void BM_SnapshotImageAndGsd(benchmark::State& state) {
    const FullProject project;
    const kt::LanguageTable texts = kt::LanguageTable::English();
    for (auto _ : state) {
        const kt::ProjectSnapshot read = kt::ReadProjectSnapshot(project.files());
        kt::ConfigImage image{};
        const kt::Result<std::string> gsd = GsdText(read, texts);
        if (!kt::Compile_Config_Image(read, image) || !gsd)
            state.SkipWithError("image or GSD failed");
        benchmark::DoNotOptimize(image);
        benchmark::DoNotOptimize(gsd);
    }
}
BENCHMARK(BM_SnapshotImageAndGsd)->Unit(benchmark::kMicrosecond);

void BM_SnapshotCheckAndIoMap(benchmark::State& state) {
    const FullProject project;
    const kt::LanguageTable texts = kt::LanguageTable::English();
    for (auto _ : state) {
        const kt::ProjectData data = kt::ReadProjectData(kt::ReadProjectSnapshot(project.files()));
        kt::ProjectCheck check = kt::CheckProjectData(data, texts);
        kt::IoMap map;
        if (!kt::BuildIoMap(data, map) || check.findings.empty())
            state.SkipWithError("check or map failed");
        benchmark::DoNotOptimize(check);
        benchmark::DoNotOptimize(map);
    }
}
BENCHMARK(BM_SnapshotCheckAndIoMap)->Unit(benchmark::kMicrosecond);

} // namespace
