#include "checks/ProjectDiff.h"

#include "base/FileUtil.h"
#include "base/TextUtil.h"
#include "base/Workspace.h"
#include "lang/LanguageTable.h"
#include "outputs/ConfigImage.h"
#include "outputs/GsdFile.h"
#include "project/FrameList.h"
#include "project/IntOrDefault.h"
#include "project/ParGenFile.h"

#include <algorithm>
#include <deque>
#include <functional>
#include <map>
#include <numeric>
#include <tuple>

namespace kt {

namespace {

std::string BaudText(int index) {
    if (index >= 0 && index < static_cast<int>(CanBaudTexts.size()))
        return CanBaudTexts[static_cast<std::size_t>(index)];
    return std::to_string(index);
}

void DiffSettings(const ParGen& a, bool foundA, const ParGen& b, bool foundB,
                  std::vector<DiffEntry>& out) {
    const auto add = [&](DiffKind kind, const char* field, std::string va, std::string vb) {
        out.push_back(
            {DiffSection::Communication, kind, 0, 0, {}, field, std::move(va), std::move(vb)});
    };
    if (foundA != foundB) add(foundB ? DiffKind::Added : DiffKind::Removed, "ParGen.xml", {}, {});
    if (a.CanBaudIndex != b.CanBaudIndex)
        add(DiffKind::Changed, "CAN_BAUDRATE", BaudText(a.CanBaudIndex), BaudText(b.CanBaudIndex));
    if (a.StationAddress != b.StationAddress)
        add(DiffKind::Changed, "PROFIBUS_ID_Device", a.StationAddress, b.StationAddress);
    if (a.GsdCanMapping != b.GsdCanMapping)
        add(DiffKind::Changed, "PROFIBUS_GDS_CAN_Mapping", a.GsdCanMapping ? "1" : "0",
            b.GsdCanMapping ? "1" : "0");
}

// Rows up to the last one that holds any text: what the file gave.
int UsedRows(const FrameList& list) {
    int used = 0;
    for (int r = 0; r < FrameList::Rows; ++r)
        for (int c = 0; c < list.fieldCount(); ++c)
            if (!list.field(r, c).empty()) used = r + 1;
    return used;
}

// Frames match by identifier value (so 0x10 and 16 are one frame) and type.
std::string FrameKey(const FrameList& list, int row) {
    const std::string& cobId = list.field(row, RxCOBID);
    const std::int32_t id = IntOrDefault(cobId, -1);
    const std::string type(TrimBlanks(list.field(row, RxCAN_Type)));
    return (id >= 0 ? "#" + std::to_string(id) : "?" + std::string(TrimBlanks(cobId))) + "|" + type;
}

std::string FrameItem(const FrameList& list, int row) {
    std::string item(TrimBlanks(list.field(row, RxCOBID)));
    const std::string_view type = TrimBlanks(list.field(row, RxCAN_Type));
    if (!type.empty()) item += " " + std::string(type);
    return item;
}

// Positions (into `seq`) of one longest strictly increasing subsequence.
std::vector<std::size_t> LongestIncreasing(const std::vector<int>& seq) {
    std::vector<std::size_t> tails, prev(seq.size(), SIZE_MAX);
    for (std::size_t i = 0; i < seq.size(); ++i) {
        const auto pos = std::lower_bound(tails.begin(), tails.end(), seq[i],
                                          [&](std::size_t t, int v) { return seq[t] < v; });
        if (pos != tails.begin()) prev[i] = *(pos - 1);
        if (pos == tails.end())
            tails.push_back(i);
        else
            *pos = i;
    }
    std::vector<std::size_t> out;
    for (std::size_t i = tails.empty() ? SIZE_MAX : tails.back(); i != SIZE_MAX; i = prev[i])
        out.push_back(i);
    std::reverse(out.begin(), out.end());
    return out;
}

void DiffLists(const FrameList& a, const FrameList& b, DiffSection section,
               std::vector<DiffEntry>& out) {
    const int usedA = UsedRows(a), usedB = UsedRows(b);
    std::map<std::string, std::deque<int>> unmatchedA;
    for (int r = 0; r < usedA; ++r)
        unmatchedA[FrameKey(a, r)].push_back(r);
    std::vector<int> matchOfB(static_cast<std::size_t>(usedB), -1);
    for (int r = 0; r < usedB; ++r) {
        auto it = unmatchedA.find(FrameKey(b, r));
        if (it == unmatchedA.end() || it->second.empty()) continue;
        matchOfB[static_cast<std::size_t>(r)] = it->second.front();
        it->second.pop_front();
    }
    // Matched frames whose order relative to the others changed; the rest only shifted.
    std::vector<int> rowsB, rowsA;
    for (int r = 0; r < usedB; ++r)
        if (matchOfB[static_cast<std::size_t>(r)] >= 0) {
            rowsB.push_back(r);
            rowsA.push_back(matchOfB[static_cast<std::size_t>(r)]);
        }
    std::vector<bool> inOrder(rowsB.size(), false);
    for (std::size_t i : LongestIncreasing(rowsA))
        inOrder[i] = true;

    std::vector<DiffEntry> entries;
    const auto names = FrameFieldNames(a.kind());
    for (std::size_t i = 0; i < rowsB.size(); ++i) {
        const int ra = rowsA[i], rb = rowsB[i];
        if (!inOrder[i])
            entries.push_back(
                {section, DiffKind::Moved, ra + 1, rb + 1, FrameItem(b, rb), {}, {}, {}});
        for (int c = 0; c < a.fieldCount(); ++c)
            if (a.field(ra, c) != b.field(rb, c))
                entries.push_back({section, DiffKind::Changed, ra + 1, rb + 1, FrameItem(b, rb),
                                   names[static_cast<std::size_t>(c)], a.field(ra, c),
                                   b.field(rb, c)});
    }
    for (int r = 0; r < usedB; ++r)
        if (matchOfB[static_cast<std::size_t>(r)] < 0)
            entries.push_back({section, DiffKind::Added, 0, r + 1, FrameItem(b, r), {}, {}, {}});
    for (const auto& [key, rows] : unmatchedA)
        for (int r : rows)
            entries.push_back({section, DiffKind::Removed, r + 1, 0, FrameItem(a, r), {}, {}, {}});
    // In list order: by the row in B, removed frames by their row in A.
    std::stable_sort(entries.begin(), entries.end(), [](const DiffEntry& x, const DiffEntry& y) {
        const int px = x.rowB ? x.rowB : x.rowA, py = y.rowB ? y.rowB : y.rowA;
        if (px != py) return px < py;
        return (x.kind == DiffKind::Removed) > (y.kind == DiffKind::Removed);
    });
    out.insert(out.end(), entries.begin(), entries.end());
}

// "DI 8, DO 2": the modules as the GSD generator declares them, or its refusal.
std::string ModulesText(const ProjectSnapshot& project, Status& status) {
    const Result<GSD_Data> data = Read_GSD_Data(project);
    status = data.status.notFound() ? Status::success() : data.status;
    if (!status) return {};
    static const LanguageTable english = LanguageTable::English();
    const Result<std::string> composed = ComposeGsdText(data.value, english);
    if (!composed) return composed.status.message;
    const std::string& text = composed.value;
    std::string modules;
    std::size_t pos = 0;
    while ((pos = text.find("\nModule=\"D", pos)) != std::string::npos) {
        const std::size_t end = text.find('\r', pos);
        const std::string line = text.substr(pos + 1, end - pos - 1);
        const std::size_t len = line.find(",0x");
        if (!modules.empty()) modules += ", ";
        modules += line.substr(8, 2) + " ";
        modules += len == std::string::npos
                       ? "?"
                       : std::to_string(std::stoi(line.substr(len + 3, 2), nullptr, 16) + 1);
        pos = end;
    }
    return modules;
}

std::string Hex32(std::uint32_t v) {
    return "0x" + HexDigits(v, 8);
}

std::uint32_t Checksum(const ConfigImage& image) {
    const std::size_t at = ImageParamBlock + ParamChecksum;
    return std::uint32_t(image[at]) | std::uint32_t(image[at + 1]) << 8 |
           std::uint32_t(image[at + 2]) << 16 | std::uint32_t(image[at + 3]) << 24;
}

Status DiffDevice(const ProjectSnapshot& fa, const ProjectSnapshot& fb,
                  std::vector<DiffEntry>& out) {
    Status s;
    const std::string modulesA = ModulesText(fa, s);
    if (!s) return s;
    const std::string modulesB = ModulesText(fb, s);
    if (!s) return s;
    if (modulesA != modulesB)
        out.push_back(
            {DiffSection::Device, DiffKind::Changed, 0, 0, {}, "GSD modules", modulesA, modulesB});
    ConfigImage ia{}, ib{};
    if (s = Compile_Config_Image(fa, ia); !s) return s;
    if (s = Compile_Config_Image(fb, ib); !s) return s;
    const auto differing = std::inner_product(ia.begin(), ia.end(), ib.begin(), std::size_t(0),
                                              std::plus<>(), std::not_equal_to<>());
    // Bytes may differ with the checksum unchanged (frames swapped): it shows only when it
    // changed itself, the count of differing bytes is one fact.
    if (Checksum(ia) != Checksum(ib))
        out.push_back({DiffSection::Device,
                       DiffKind::Changed,
                       0,
                       0,
                       {},
                       "image checksum",
                       Hex32(Checksum(ia)),
                       Hex32(Checksum(ib))});
    if (differing > 0)
        out.push_back({DiffSection::Device,
                       DiffKind::Differing,
                       0,
                       0,
                       {},
                       "image bytes",
                       std::to_string(differing),
                       {}});
    return Status::success();
}

} // namespace

Status DiffProjects(const std::filesystem::path& a, const std::filesystem::path& b,
                    ProjectDiff& diff) {
    diff = {};
    for (const auto& dir : {a, b}) {
        if (!IsDirectory(dir))
            return Status::notFound(PathToUtf8(dir) + ": no such Project folder");
        // Else any folder would compare as a Project without frames.
        if (!HoldsProjectFiles(dir))
            return Status::notFound(PathToUtf8(dir) +
                                    ": not a Project folder (no ParGen.xml and no frame list)");
    }
    const ProjectSnapshot fa = ReadProjectSnapshot(MakeProjectFiles(a));
    const ProjectSnapshot fb = ReadProjectSnapshot(MakeProjectFiles(b));
    const Result<ParGen>&pa = fa.parGen, &pb = fb.parGen;
    for (const Result<ParGen>* p : {&pa, &pb})
        if (Unreadable(p->status)) return p->status;
    DiffSettings(pa.value, pa.ok(), pb.value, pb.ok(), diff.entries);
    for (const auto& [kind, section] : {std::pair{FrameKind::Receive, DiffSection::Receive},
                                        std::pair{FrameKind::Transmit, DiffSection::Transmit}}) {
        FrameList la(kind), lb(kind);
        if (Status s = FillFrameList(fa.list(kind), la); !s) return s;
        if (Status s = FillFrameList(fb.list(kind), lb); !s) return s;
        DiffLists(la, lb, section, diff.entries);
    }
    if (Status s = DiffDevice(fa, fb, diff.entries); !s) return s;
    return Status::success();
}

bool HoldsProjectFiles(const std::filesystem::path& dir) {
    const ProjectFiles files = MakeProjectFiles(dir);
    std::error_code ec;
    for (const auto* file : {&files.ParGenFile, &files.RecFramesFile, &files.SendFramesFile})
        if (std::filesystem::is_regular_file(*file, ec)) return true;
    return false;
}

std::string DiffSectionText(DiffSection s, const LanguageTable& texts) {
    switch (s) {
    case DiffSection::Communication:
        return texts.Get_Text(TextId::CompareCommunication);
    case DiffSection::Receive:
        return texts.Get_Text(TextId::CompareReceive);
    case DiffSection::Transmit:
        return texts.Get_Text(TextId::CompareTransmit);
    case DiffSection::Device:
        break;
    }
    return texts.Get_Text(TextId::CompareDevice);
}

std::string DiffKindText(DiffKind k, const LanguageTable& texts) {
    switch (k) {
    case DiffKind::Added:
        return texts.Get_Text(TextId::CompareOnlyInOther);
    case DiffKind::Removed:
        return texts.Get_Text(TextId::CompareOnlyInThis);
    case DiffKind::Differing:
        return texts.Get_Text(TextId::CompareDiffering);
    case DiffKind::Changed:
        return texts.Get_Text(TextId::CompareChanged);
    case DiffKind::Moved:
        break;
    }
    return texts.Get_Text(TextId::CompareMoved);
}

std::string DiffKindText(DiffKind k, const LanguageTable& texts, const std::string& nameA,
                         const std::string& nameB) {
    if (k == DiffKind::Added) return texts.Get_Text(TextId::CompareOnlyIn) + nameB;
    if (k == DiffKind::Removed) return texts.Get_Text(TextId::CompareOnlyIn) + nameA;
    return DiffKindText(k, texts);
}

std::string DiffRowsText(const DiffEntry& e) {
    if (e.rowA && e.rowB && e.rowA != e.rowB)
        return std::to_string(e.rowA) + " -> " + std::to_string(e.rowB);
    if (e.rowA || e.rowB) return std::to_string(e.rowB ? e.rowB : e.rowA);
    return {};
}

std::string DiffReport(const ProjectDiff& diff, const LanguageTable& texts,
                       const std::string& folderA, const std::string& folderB) {
    if (diff.equal()) return texts.Get_Text(TextId::CompareEqual) + "\n";
    std::string out = "A: " + folderA + "\nB: " + folderB + "\n";
    for (const DiffEntry& e : diff.entries) {
        out += DiffSectionText(e.section, texts) + ": " + DiffKindText(e.kind, texts, "A", "B");
        if (const std::string rows = DiffRowsText(e); !rows.empty())
            out += " " + texts.Get_Text(TextId::CompareRow) + rows;
        if (!e.item.empty()) out += " " + e.item;
        if (!e.field.empty()) out += " " + e.field;
        if (e.kind == DiffKind::Changed) out += ": " + e.a + " -> " + e.b;
        if (e.kind == DiffKind::Differing) out += ": " + e.a;
        out += "\n";
    }
    return out;
}

std::string DiffJson(const ProjectDiff& diff, const std::string& folderA,
                     const std::string& folderB) {
    static constexpr const char* kSections[] = {"communication", "receive", "transmit", "device"};
    static constexpr const char* kKinds[] = {"added", "removed", "changed", "moved", "differing"};
    static constexpr const char* kIn[] = {"B", "A", "AB", "AB", "AB"};
    std::string out = "{\"a\":";
    out += JsonString(folderA);
    out += ",\"b\":";
    out += JsonString(folderB);
    out += std::string(",\"equal\":") + (diff.equal() ? "true" : "false") + ",\"differences\":[";
    for (std::size_t i = 0; i < diff.entries.size(); ++i) {
        const DiffEntry& e = diff.entries[i];
        const auto kind = static_cast<std::size_t>(e.kind);
        if (i) out += ',';
        out += std::string("{\"section\":\"") + kSections[static_cast<int>(e.section)] +
               "\",\"kind\":\"" + kKinds[kind] + "\",\"in\":\"" + kIn[kind] +
               "\",\"rowA\":" + std::to_string(e.rowA) + ",\"rowB\":" + std::to_string(e.rowB) +
               ",\"item\":";
        out += JsonString(e.item);
        out += ",\"field\":";
        out += JsonString(e.field);
        out += ",\"a\":";
        out += JsonString(e.a);
        out += ",\"b\":";
        out += JsonString(e.b);
        out += '}';
    }
    return out + "]}\n";
}

} // namespace kt
