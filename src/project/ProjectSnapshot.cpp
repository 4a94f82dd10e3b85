#include "project/ProjectSnapshot.h"

#include "base/XmlUtil.h"
#include "project/ProjectXml.h"

#include <algorithm>
#include <utility>

namespace kt {

namespace {

FrameListRead ReadFrameListFile(const std::filesystem::path& file) {
    FrameListRead read;
    auto doc = std::make_shared<pugi::xml_document>();
    read.status = LoadXmlFile(file, *doc);
    if (!read.status) return read;
    ForEachFrameNode(*doc, AllFrames,
                     [&read](const pugi::xml_node& n) { read.nodes.push_back(n); });
    read.doc = std::move(doc);
    return read;
}

} // namespace

bool ProjectSnapshot::anyFile() const {
    return !parGen.status.notFound() || !receive.status.notFound() || !transmit.status.notFound();
}

ProjectSnapshot ReadProjectSnapshot(const ProjectFiles& files) {
    ProjectSnapshot s;
    s.files = files;
    pugi::xml_document doc;
    s.parGen.status = LoadXmlFile(files.ParGenFile, doc);
    if (s.parGen.status) {
        s.parGen.value = ParGenFromXml(doc);
        s.parGenRoot = RootElement(doc).name();
    }
    s.receive = ReadFrameListFile(files.RecFramesFile);
    s.transmit = ReadFrameListFile(files.SendFramesFile);
    return s;
}

Status FillFrameList(const FrameListRead& read, FrameList& list) {
    list.Clear();
    const std::size_t rows = std::min<std::size_t>(read.nodes.size(), FrameList::Rows);
    for (std::size_t r = 0; r < rows; ++r)
        list.setRow(int(r), ReadFrameRow(read.nodes[r], list.kind()));
    return read.status.notFound() ? Status::success() : read.status;
}

} // namespace kt
