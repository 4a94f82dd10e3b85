#include "checks/IoMap.h"

#include "base/Csv.h"
#include "base/TextUtil.h"
#include "lang/LanguageTable.h"
#include "project/SwapBits.h"

namespace kt {

namespace {

constexpr TextId kFirstHeader = TextId::IoMapProfibusByte;
constexpr int kColumns = 10;

// The swap group around data byte p (1..dim): the run of joined bytes, cut at the frame's end.
void SwapGroup(std::uint8_t code, int p, int dim, int& first, int& last) {
    first = last = p;
    while (first > 1 && SwapLink(code, first - 1))
        --first;
    while (last < SwapBytes && last < dim && SwapLink(code, last))
        ++last;
}

void MapDirection(bool input, const std::vector<GsdModule>& modules,
                  const std::vector<std::int32_t>& dims, const std::vector<ImageFrame>& frames,
                  const std::vector<FrameRow>& rows, std::vector<IoMapRow>& out) {
    std::vector<const GsdModule*> mine;
    for (const GsdModule& m : modules)
        if (m.input == input) mine.push_back(&m);
    std::size_t module = 0;
    int moduleStart = 0;
    int offset = 0;
    const int mnemonic = input ? int(RxMnemonic) : int(TxMnemonic);
    std::size_t bytes = 0;
    for (std::int32_t d : dims)
        bytes += std::size_t(d);
    out.reserve(bytes);
    for (std::size_t i = 0; i < dims.size(); ++i) {
        const ImageFrame& f = frames[i];
        for (int p = 1; p <= dims[i]; ++p, ++offset) {
            while (module < mine.size() && offset >= moduleStart + mine[module]->length)
                moduleStart += int(mine[module++]->length);
            IoMapRow& r = out.emplace_back();
            r.byteOffset = offset;
            if (module < mine.size()) {
                r.module = int(mine[module]->number);
                r.moduleOffset = offset - moduleStart;
                r.identifier = mine[module]->identifier;
            }
            r.listRow = int(i) + 1;
            r.cobId = f.CobId & ~ImageCobId29;
            r.extended = f.CobId & ImageCobId29;
            int first = 0, last = 0;
            SwapGroup(f.SwapCode, p, dims[i], first, last);
            r.canByte = first + last - p; // the device reverses the bytes of a group
            if (first != last) {
                r.swapFirst = first;
                r.swapLast = last;
            }
            r.mnemonic = rows[i][std::size_t(mnemonic)];
        }
    }
}

} // namespace

Status BuildIoMap(const ProjectData& data, IoMap& map) {
    map = IoMap{};
    if (const Status* unreadable = data.unreadable()) return *unreadable;
    // The map has no texts of its own; a list the GSD cannot declare is named in English.
    static const LanguageTable english = LanguageTable::English();
    const Result<std::vector<GsdModule>> listed = GsdModules(data.gsd, english);
    if (!listed) return listed.status;
    const std::vector<GsdModule>& modules = listed.value;
    MapDirection(true, modules, data.gsd.In_Dim, data.receiveImage, data.receiveRows, map.inputs);
    MapDirection(false, modules, data.gsd.Out_Dim, data.transmitImage, data.transmitRows,
                 map.outputs);
    return Status::success();
}

Status BuildIoMap(const ProjectFiles& files, IoMap& map) {
    return BuildIoMap(ReadProjectData(files), map);
}

std::string CobIdHex(std::uint32_t cobId) {
    return "0x" + HexDigits(cobId, 3);
}

std::string SwapGroupText(const IoMapRow& row) {
    if (row.swapFirst == 0) return {};
    return std::to_string(row.swapFirst) + "-" + std::to_string(row.swapLast);
}

std::vector<std::string> IoMapHeaders(const LanguageTable& texts) {
    std::vector<std::string> headers;
    for (int c = 0; c < kColumns; ++c)
        headers.push_back(texts.Get_Text(NthText(kFirstHeader, c)));
    return headers;
}

std::vector<std::string> IoMapCells(const IoMapRow& r) {
    return {std::to_string(r.byteOffset),
            std::to_string(r.module),
            std::to_string(r.moduleOffset),
            r.identifier,
            std::to_string(r.listRow),
            CobIdHex(r.cobId),
            r.extended ? CanType29 : CanType11,
            std::to_string(r.canByte),
            r.mnemonic,
            SwapGroupText(r)};
}

std::string IoMapCsv(const std::vector<IoMapRow>& rows, const LanguageTable& texts) {
    std::vector<std::vector<std::string>> lines{IoMapHeaders(texts)};
    for (const IoMapRow& r : rows)
        lines.push_back(IoMapCells(r));
    return CsvText(lines);
}

} // namespace kt
