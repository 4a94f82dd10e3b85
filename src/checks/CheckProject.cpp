#include "checks/CheckProject.h"

#include "base/Csv.h"
#include "base/FileUtil.h"
#include "base/TextUtil.h"
#include "base/XmlUtil.h"
#include "lang/LanguageTable.h"
#include "project/IntOrDefault.h"
#include "project/ProjectXml.h"
#include "project/SwapBits.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <tuple>

namespace kt {

namespace {

constexpr std::uint32_t kIdMask = 0x1FFFFFFF;
constexpr std::uint32_t kMaxId11 = 2047;
constexpr int kEditorRows = FrameList::Rows;
constexpr std::uint32_t kMinPeriodMs = 10;

// Reads every frame node of one list file both ways; returns the parser's error, if any.
void ReadList(const FrameListRead& read, FrameKind kind, std::vector<FrameRow>& rows,
              std::vector<ImageFrame>& image, std::vector<std::int32_t>& dims) {
    rows.reserve(read.nodes.size());
    image.reserve(read.nodes.size());
    dims.reserve(read.nodes.size());
    for (const pugi::xml_node& n : read.nodes) {
        const FrameRow& row = rows.emplace_back(ReadFrameRow(n, kind));
        // One reading of the node's attributes serves the image's and the GSD's view too.
        image.push_back(ReadImageFrame(row, kind));
        dims.push_back(IntOrDefault(row[RxDim], 0));
    }
}

class Collector {
public:
    explicit Collector(const LanguageTable& texts) : texts_(texts) {}
    const std::string& t(TextId id) const { return texts_.Get_Text(id); }
    void add(Severity s, const char* code, FindingList list, int row, std::string message) {
        findings_.push_back({s, code, list, row, std::move(message)});
    }
    std::vector<Finding> take() {
        // Errors first, then warnings, then notes; within each by list and row, the findings
        // about the whole Project last.
        const auto rank = [](const Finding& f) {
            return std::tuple(f.severity, f.list == FindingList::Project ? 9 : int(f.list), f.row);
        };
        std::stable_sort(findings_.begin(), findings_.end(),
                         [&](const Finding& a, const Finding& b) { return rank(a) < rank(b); });
        return std::move(findings_);
    }

private:
    const LanguageTable& texts_;
    std::vector<Finding> findings_;
};

void CheckList(Collector& out, FindingList list, FrameKind kind, const std::vector<FrameRow>& rows,
               const std::vector<ImageFrame>& image, const LanguageTable& texts) {
    for (const FrameFault& f : RowFaults(kind, rows, texts))
        out.add(Severity::Error, f.afterBlank ? "row-after-blank" : "frame-invalid", list,
                f.row + 1, f.message);

    const int count = int(image.size());
    if (count > ConfigImageFrames)
        out.add(Severity::Error, "too-many-frames", list, 0,
                out.t(TextId::FindingTooManyFrames) + std::to_string(count) +
                    out.t(TextId::FindingTooManyFramesEnd));
    else if (count > kEditorRows)
        out.add(Severity::Warning, "over-editor-rows", list, 0,
                out.t(TextId::FindingOverEditorRows) + std::to_string(count) +
                    out.t(TextId::FindingOverEditorRowsEnd));

    // Only what the image holds reaches the device.
    const int stored = std::min(count, ConfigImageFrames);
    const auto column = [&](int field) { return FrameColumnText(kind, field, texts); };
    std::map<std::uint32_t, int> firstRow;
    for (int i = 0; i < stored; ++i) {
        const ImageFrame& f = image[std::size_t(i)];
        const int row = i + 1;
        const FrameRow& fields = rows[std::size_t(i)];
        // The image stores any Type but the 2.0B entry as an 11-bit frame.
        if (!IsKnownCanType(fields[RxCAN_Type]))
            out.add(Severity::Error, "type-unknown", list, row,
                    column(RxCAN_Type) + out.t(TextId::FindingTypeOpen) + fields[RxCAN_Type] +
                        out.t(TextId::FindingTypeUnknown));
        // Rows past the editor's are checked as the editor checks its own.
        if (i >= kEditorRows)
            if (std::string fault = FrameRowFault(kind, fields, i, texts); !fault.empty())
                out.add(Severity::Error, "frame-invalid", list, row, std::move(fault));
        if (auto [it, fresh] = firstRow.emplace(f.CobId, row); !fresh)
            out.add(Severity::Error, "duplicate-id", list, row,
                    out.t(TextId::FindingIdInRow) + std::to_string(it->second));
        if (kind == FrameKind::Transmit) {
            const bool onTimer = f.SendFlags & SendFlagOnTimer;
            if (!(f.SendFlags & SendFlagOnChange) && !onTimer)
                out.add(Severity::Warning, "never-sent", list, row,
                        out.t(TextId::FindingNeverSent) + column(TxOnChange) +
                            out.t(TextId::FindingNeverSentAnd) + column(TxOnTimer) +
                            out.t(TextId::FindingNeverSentEnd));
            if (onTimer && f.SendTime == 0)
                out.add(Severity::Warning, "timer-period", list, row,
                        column(TxOnTimer) + out.t(TextId::FindingZeroPeriod));
            else if (onTimer && f.SendTime < kMinPeriodMs)
                out.add(Severity::Warning, "timer-period", list, row,
                        column(TxOnTimer) + out.t(TextId::FindingPeriodOf) +
                            std::to_string(f.SendTime) + out.t(TextId::FindingPeriodBelowMinimum));
        }
        for (int k = std::max(1, int(f.DataLen)); k < SwapBytes; ++k)
            if (SwapLink(f.SwapCode, k)) {
                out.add(Severity::Warning, "swap-beyond-dim", list, row,
                        column(RxSWAP) + out.t(TextId::FindingSwapBeyond) + column(RxDim));
                break;
            }
        if ((f.CobId & ImageCobId29) && (f.CobId & kIdMask) <= kMaxId11)
            out.add(Severity::Warning, "extended-fits-11", list, row,
                    out.t(TextId::FindingExtendedFits11));
        if (kind == FrameKind::Receive && f.RecTimeOut == 0)
            out.add(Severity::Note, "no-timeout", list, row, out.t(TextId::FindingNoTimeOut));
    }
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::string& mnemonic = rows[i].back();
        if (Utf8Prefix(mnemonic, MnemonicMaxChars).size() < mnemonic.size())
            out.add(Severity::Warning, "long-mnemonic", list, int(i) + 1,
                    out.t(TextId::FindingLongMnemonic) + std::to_string(MnemonicMaxChars) +
                        out.t(TextId::FindingLongMnemonicEnd));
    }
}

} // namespace

ProjectData ReadProjectData(const ProjectFiles& files) {
    return ReadProjectData(ReadProjectSnapshot(files));
}

ProjectData ReadProjectData(const ProjectSnapshot& project) {
    ProjectData d;
    const bool found = project.parGen.ok();
    if (found) {
        d.settings = project.parGen.value;
        if (!project.parGenRoot.empty() && project.parGenRoot != "Par_Gen")
            d.parGenRoot = project.parGenRoot;
    }
    d.parGenRead = project.parGen.status;
    d.receiveRead = project.receive.status;
    d.transmitRead = project.transmit.status;
    d.baudRate = ImageBaudRate(d.settings, found);
    d.gsd.Map_Frames = found && d.settings.GsdCanMapping;
    ReadList(project.receive, FrameKind::Receive, d.receiveRows, d.receiveImage, d.gsd.In_Dim);
    ReadList(project.transmit, FrameKind::Transmit, d.transmitRows, d.transmitImage, d.gsd.Out_Dim);
    CountGsdModules(d.gsd);
    return d;
}

bool ProjectData::anyFile() const {
    return !parGenRead.notFound() || !receiveRead.notFound() || !transmitRead.notFound();
}

const Status* ProjectData::unreadable() const {
    for (const Status* read : {&parGenRead, &receiveRead, &transmitRead})
        if (Unreadable(*read)) return read;
    return nullptr;
}

int FrameBits(bool extended, int n) {
    // Worst-case stuffing: one stuff bit every four bits of the stuffed part.
    return extended ? 67 + 8 * n + (54 + 8 * n - 1) / 4 : 47 + 8 * n + (34 + 8 * n - 1) / 4;
}

BusLoad EstimateBusLoad(const ProjectData& data) {
    BusLoad load;
    load.bitRate = data.baudRate;
    if (load.bitRate == 0) return load;
    const auto percent = [&](const ImageFrame& f, std::uint32_t periodMs) {
        const double perSecond = 1000.0 / periodMs;
        return 100.0 * FrameBits(f.CobId & ImageCobId29, f.DataLen) * perSecond / load.bitRate;
    };
    const auto stored = [](const std::vector<ImageFrame>& v) {
        return std::min<std::size_t>(v.size(), ConfigImageFrames);
    };
    // A period of 0 has no rate to count; the check warns about it on its own.
    for (std::size_t i = 0; i < stored(data.transmitImage); ++i) {
        const ImageFrame& f = data.transmitImage[i];
        if ((f.SendFlags & SendFlagOnTimer) && f.SendTime > 0)
            load.transmitPercent += percent(f, f.SendTime);
    }
    for (std::size_t i = 0; i < stored(data.receiveImage); ++i) {
        const ImageFrame& f = data.receiveImage[i];
        if (f.RecTimeOut > 0) load.receivePercent += percent(f, f.RecTimeOut);
    }
    return load;
}

int ProjectCheck::count(Severity severity) const {
    return int(std::count_if(findings.begin(), findings.end(),
                             [severity](const Finding& f) { return f.severity == severity; }));
}

ProjectCheck CheckProject(const ProjectFiles& files, const LanguageTable& texts) {
    return CheckProjectData(ReadProjectData(files), texts);
}

ProjectCheck CheckProjectData(const ProjectData& d, const LanguageTable& texts) {
    ProjectCheck result;
    Collector out(texts);
    if (!d.anyFile()) {
        out.add(Severity::Warning, "no-project-files", FindingList::Project, 0,
                out.t(TextId::FindingNoProjectFiles));
        result.findings = out.take();
        return result;
    }
    for (const auto& [read, list] : {std::pair{&d.parGenRead, FindingList::Settings},
                                     std::pair{&d.receiveRead, FindingList::Receive},
                                     std::pair{&d.transmitRead, FindingList::Transmit}})
        if (Unreadable(*read))
            out.add(Severity::Error, "file-unreadable", list, 0,
                    out.t(TextId::FindingFileUnreadable) + read->message);

    if (d.hasParGen()) {
        if (std::string why = Controllo_Dati(d.settings, texts); !why.empty())
            out.add(Severity::Error, "station-address", FindingList::Settings, 0, why);
        if (d.settings.CanBaudIndex < 0 || d.settings.CanBaudIndex >= int(CanBaudTexts.size()))
            out.add(Severity::Warning, "baud-index", FindingList::Settings, 0,
                    out.t(TextId::FindingBaudIndex) + std::to_string(d.settings.CanBaudIndex) +
                        out.t(TextId::FindingBaudIndexEnd));
        if (!d.parGenRoot.empty())
            out.add(Severity::Warning, "pargen-root", FindingList::Settings, 0,
                    out.t(TextId::FindingParGenRoot) + d.parGenRoot +
                        out.t(TextId::FindingParGenRootEnd));
    } else if (!Unreadable(d.parGenRead)) {
        out.add(Severity::Warning, "no-pargen", FindingList::Settings, 0,
                out.t(TextId::FindingNoParGen));
    }

    CheckList(out, FindingList::Receive, FrameKind::Receive, d.receiveRows, d.receiveImage, texts);
    CheckList(out, FindingList::Transmit, FrameKind::Transmit, d.transmitRows, d.transmitImage,
              texts);

    // The same identifier on both sides: the converter would hear its own frames.
    std::map<std::uint32_t, int> received;
    for (std::size_t i = 0; i < std::min<std::size_t>(d.receiveImage.size(), ConfigImageFrames);
         ++i)
        received.emplace(d.receiveImage[i].CobId, int(i) + 1);
    for (std::size_t i = 0; i < std::min<std::size_t>(d.transmitImage.size(), ConfigImageFrames);
         ++i)
        if (auto it = received.find(d.transmitImage[i].CobId); it != received.end())
            out.add(Severity::Warning, "id-in-both-lists", FindingList::Transmit, int(i) + 1,
                    out.t(TextId::FindingIdInReceiveRow) + std::to_string(it->second));

    if (d.gsd.In_Len > DpMaxDataBytes)
        out.add(Severity::Error, "input-too-long", FindingList::Receive, 0,
                out.t(TextId::FindingInputOf) + std::to_string(d.gsd.In_Len) +
                    out.t(TextId::FindingInputTooLong));
    if (d.gsd.Out_Len > DpMaxDataBytes)
        out.add(Severity::Error, "output-too-long", FindingList::Transmit, 0,
                out.t(TextId::FindingOutputOf) + std::to_string(d.gsd.Out_Len) +
                    out.t(TextId::FindingOutputTooLong));
    if (const std::int64_t config = DpConfigBytesPerModule * (d.gsd.In_Modules + d.gsd.Out_Modules);
        config > DpMaxDataBytes)
        out.add(Severity::Error, "config-too-long", FindingList::Project, 0,
                out.t(TextId::FindingConfigOf) + std::to_string(config) +
                    out.t(TextId::FindingConfigTooLong));

    result.busLoad = EstimateBusLoad(d);
    const double total = result.busLoad.totalPercent();
    const Severity loadSeverity = total > BusLoadErrorPercent  ? Severity::Error
                                  : total > BusLoadWarnPercent ? Severity::Warning
                                                               : Severity::Note;
    out.add(loadSeverity, "bus-load", FindingList::Project, 0,
            out.t(TextId::FindingBusLoad) + TenthsText(total) + out.t(TextId::FindingBusLoadAt) +
                KbitText(result.busLoad.bitRate) + out.t(TextId::FindingBusLoadTransmit) +
                TenthsText(result.busLoad.transmitPercent) + out.t(TextId::FindingBusLoadReceive) +
                TenthsText(result.busLoad.receivePercent) + out.t(TextId::FindingBusLoadEnd));
    result.findings = out.take();
    return result;
}

const char* SeverityName(Severity severity) {
    switch (severity) {
    case Severity::Error:
        return "error";
    case Severity::Warning:
        return "warning";
    case Severity::Note:
        break;
    }
    return "note";
}

const char* FindingListName(FindingList list) {
    switch (list) {
    case FindingList::Settings:
        return "settings";
    case FindingList::Receive:
        return "receive";
    case FindingList::Transmit:
        return "transmit";
    case FindingList::Project:
        break;
    }
    return "project";
}

const std::string& FindingListText(FindingList list, const LanguageTable& texts) {
    return texts.Get_Text(NthText(TextId::CheckListProject, int(list)));
}

const std::string& SeverityText(Severity severity, const LanguageTable& texts) {
    return texts.Get_Text(NthText(TextId::CheckError, int(severity)));
}

std::string FindingsCsv(const ProjectCheck& check, const LanguageTable& texts) {
    std::vector<std::vector<std::string>> lines{
        {texts.Get_Text(TextId::CheckSeverityColumn), texts.Get_Text(TextId::CheckListColumn),
         texts.Get_Text(TextId::CheckRowColumn), texts.Get_Text(TextId::CheckMessageColumn),
         texts.Get_Text(TextId::CheckCodeColumn)}};
    for (const Finding& f : check.findings)
        lines.push_back({SeverityText(f.severity, texts), FindingListText(f.list, texts),
                         f.row > 0 ? std::to_string(f.row) : std::string(), f.message, f.code});
    return CsvText(lines);
}

std::string FindingsJson(const ProjectCheck& check) {
    std::string out = "{\"findings\":[";
    for (std::size_t i = 0; i < check.findings.size(); ++i) {
        const Finding& f = check.findings[i];
        if (i) out += ",";
        out += "{\"severity\":" + JsonString(SeverityName(f.severity)) +
               ",\"code\":" + JsonString(f.code) +
               ",\"list\":" + JsonString(FindingListName(f.list)) +
               ",\"row\":" + std::to_string(f.row) + ",\"message\":" + JsonString(f.message) + "}";
    }
    const BusLoad& b = check.busLoad;
    out += "],\"busLoad\":{\"bitRate\":" + std::to_string(b.bitRate) +
           ",\"transmitPercent\":" + TenthsText(b.transmitPercent) +
           ",\"receivePercent\":" + TenthsText(b.receivePercent) +
           ",\"totalPercent\":" + TenthsText(b.totalPercent()) +
           "},\"errors\":" + std::to_string(check.count(Severity::Error)) +
           ",\"warnings\":" + std::to_string(check.count(Severity::Warning)) +
           ",\"notes\":" + std::to_string(check.count(Severity::Note)) + "}\n";
    return out;
}

} // namespace kt
