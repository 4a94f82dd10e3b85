#pragma once
// One frame list file: load, validate, save round trip, then the Project's outputs.

#include "FuzzProject.h"
#include "editors/FrameList.h"
#include "lang/LanguageTable.h"

namespace kt::fuzz {

inline void FrameListFile(FrameKind kind, const std::uint8_t* data, std::size_t size) {
    static const LanguageTable texts = LanguageTable::English();
    const ProjectFiles files = MakeProjectFiles(ProjectDir());
    const auto& file = kind == FrameKind::Receive ? files.RecFramesFile : files.SendFramesFile;
    Put(file, data, size);
    FrameList list(kind);
    if (list.Load_Frames(file)) {
        (void)list.Controllo_dati(texts);
        // What is saved loads back as the same frames.
        const auto copy = ProjectDir() / "copy.xml";
        const std::string xml = list.ToXml();
        Put(copy, reinterpret_cast<const std::uint8_t*>(xml.data()), xml.size());
        FrameList back(kind);
        Check(back.Load_Frames(copy).ok());
        Check(back.FrameCount() == list.FrameCount());
        for (int r = 0; r < list.FrameCount(); ++r)
            Check(back.row(r) == list.row(r));
    } else {
        Check(list.FrameCount() == 0);
    }
    Outputs(files);
}

} // namespace kt::fuzz
