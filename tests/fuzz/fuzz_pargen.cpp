// ParGen.xml reader, the station-address rule, and the image and GSD built from the settings.
#include "FuzzProject.h"
#include "lang/LanguageTable.h"
#include "project/ParGenFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const kt::LanguageTable texts = kt::LanguageTable::English();
    const kt::ProjectFiles files = kt::MakeProjectFiles(kt::fuzz::ProjectDir());
    kt::fuzz::Put(files.ParGenFile, data, size);
    const kt::Result<kt::ParGen> read = kt::ReadParGen(files.ParGenFile);
    const kt::ParGen& settings = read.value;
    kt::fuzz::Check(!read.status.notFound()); // the file was just written
    if (read) {
        (void)kt::Controllo_Dati(settings, texts);
        (void)kt::ParGenXml(settings);
    } else {
        kt::fuzz::Check(settings == kt::ParGen{});
    }
    kt::fuzz::Outputs(files);
    return 0;
}
