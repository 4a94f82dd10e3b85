#pragma once
// A Project's three files, each read and parsed once: the image, the GSD, Check Project, the
// I/O map, the report, the hand-over and the compare of one command all work from the same
// reading, so they cannot see different files and none parses a file twice.

#include "base/Status.h"
#include "base/Workspace.h"
#include "project/FrameList.h"
#include "project/ParGenFile.h"

#include <pugixml.hpp>

#include <memory>
#include <string>
#include <vector>

namespace kt {

// One frame-list file as read.
struct FrameListRead {
    Status status; // NotFound without the file; Malformed or Io with no nodes when unreadable
    std::vector<pugi::xml_node> nodes;             // every frame node of the root, file order
    std::shared_ptr<const pugi::xml_document> doc; // keeps the nodes alive
};

struct ProjectSnapshot {
    ProjectFiles files;
    Result<ParGen> parGen;  // as ReadParGen gives it: defaults and NotFound without the file
    std::string parGenRoot; // name of ParGen.xml's root element; empty when it has none
    FrameListRead receive, transmit;

    [[nodiscard]] const FrameListRead& list(FrameKind kind) const {
        return kind == FrameKind::Receive ? receive : transmit;
    }
    // At least one of the three files is there (readable or not).
    [[nodiscard]] bool anyFile() const;
};

// Reads the three files of a Project. Never fails as a whole: each file's status says how
// its reading went, and each consumer decides what a missing or unreadable file means.
[[nodiscard]] ProjectSnapshot ReadProjectSnapshot(const ProjectFiles& files);

// Fills `list` as Load_Frames does from the file: the first 30 frames; a missing file is an
// empty list with success, an unreadable one an empty list with its status.
[[nodiscard]] Status FillFrameList(const FrameListRead& read, FrameList& list);

} // namespace kt
