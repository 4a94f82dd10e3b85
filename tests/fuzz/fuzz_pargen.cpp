// ParGen.xml reader, the station-address rule, and the image and GSD built from the settings.
#include "FuzzProject.h"
#include "editors/ParGenFile.h"
#include "lang/LanguageTable.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const kt::LanguageTable texts = [] {
        kt::LanguageTable t;
        t.Load_Default_Texts();
        return t;
    }();
    const kt::ProjectFiles files = kt::MakeProjectFiles(kt::fuzz::ProjectDir());
    kt::fuzz::Put(files.ParGenFile, data, size);
    kt::ParGen settings;
    bool found = false;
    if (kt::ReadParGen(files.ParGenFile, settings, found)) {
        kt::fuzz::Check(found);
        (void)kt::Controllo_Dati(settings, texts);
        (void)kt::ParGenXml(settings);
    } else {
        kt::fuzz::Check(settings == kt::ParGen{});
    }
    kt::fuzz::Outputs(files);
    return 0;
}
