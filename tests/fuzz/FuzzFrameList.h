#pragma once
// One frame list file: load, validate, save round trip, then the Project's outputs.

#include "FuzzProject.h"
#include "lang/LanguageTable.h"
#include "project/FrameList.h"
#include "project/ParGenFile.h"

namespace kt::fuzz {

// The rest of a full Project beside the list under test: settings and a full other list.
inline void FullProjectBeside(FrameKind kind, const ProjectFiles& files) {
    Check(WriteParGen(files.ParGenFile, ParGen{7, "12", true}).ok());
    const FrameKind other = kind == FrameKind::Receive ? FrameKind::Transmit : FrameKind::Receive;
    FrameList full(other);
    for (int r = 0; r < FrameList::Rows; ++r) {
        const std::string id = std::to_string(0x300 + r);
        if (other == FrameKind::Receive)
            full.setReceiveFrame(r, {id, CanType11, "8", "0x0F", "1000", "sensor " + id});
        else
            full.setTransmitFrame(r, {id, CanType29, "8", "0", "Y", "Y", "250", "actuator " + id});
    }
    Check(full.Save_Frames(other == FrameKind::Receive ? files.RecFramesFile : files.SendFramesFile)
              .ok());
}

inline void FrameListFile(FrameKind kind, const std::uint8_t* data, std::size_t size) {
    static const LanguageTable texts = LanguageTable::English();
    const ProjectFiles files = MakeProjectFiles(ProjectDir());
    static const bool ready = (FullProjectBeside(kind, files), true);
    (void)ready;
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
