#pragma once
// Shared by the harnesses: one private temp folder a process, and the outputs of a Project.

#include "base/Workspace.h"
#include "lang/LanguageTable.h"
#include "outputs/ConfigImage.h"
#include "outputs/ConfigImageDump.h"
#include "outputs/GsdFile.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace kt::fuzz {

// A Project folder, removed when the process ends: in RAM (/dev/shm) where there is one, so
// that the harnesses run on the processor and not on the disk; else below the temp folder.
inline const std::filesystem::path& ProjectDir() {
    static const std::filesystem::path dir = [] {
        std::error_code ec;
        const std::filesystem::path base = std::filesystem::is_directory("/dev/shm", ec)
                                               ? std::filesystem::path("/dev/shm")
                                               : std::filesystem::temp_directory_path();
        std::string tmpl = (base / "kt-fuzz-XXXXXX").string();
        if (!::mkdtemp(tmpl.data())) std::abort();
        static const std::string keep = tmpl;
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(keep, ec);
        });
        return std::filesystem::path(tmpl);
    }();
    return dir;
}

inline void Put(const std::filesystem::path& file, const std::uint8_t* data, std::size_t size) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

inline void Check(bool condition) {
    if (!condition) std::abort();
}

// Compiles the image and the GSD text of the Project as it stands; checks what must always hold.
inline void Outputs(const ProjectFiles& files) {
    ConfigImage image{};
    if (Compile_Config_Image(files, image)) {
        const Result<std::string> dump =
            DumpConfigImage({reinterpret_cast<const char*>(image.data()), image.size()});
        Check(dump.ok());
        const std::string& text = dump.value;
        Check(text.find("(matches)") != std::string::npos);
        Check(text.find("more than the") == std::string::npos);
    }
    if (const Result<GSD_Data> data = Read_GSD_Data(files)) {
        static const LanguageTable texts = LanguageTable::English();
        if (const Result<std::string> composed = ComposeGsdText(data.value, texts)) {
            const std::string& gsd = composed.value;
            Check(gsd.rfind("EndSlotDefinition\r\n\r\n\r\n\r\n\r\n") == gsd.size() - 27);
        }
    }
}

} // namespace kt::fuzz
