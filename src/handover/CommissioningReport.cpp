#include "handover/CommissioningReport.h"

#include "base/Identity.h"
#include "base/TextUtil.h"
#include "handover/Sha256.h"
#include "lang/LanguageTable.h"

#include <cmath>
#include <string_view>

namespace kt {

namespace {

// Print layout for browsers; the PDF renderer reads the same rules it knows.
constexpr const char* kStyle = R"(@page { size: A4; margin: 15mm 15mm 18mm 15mm; }
body { font-family: "DejaVu Sans", Arial, Helvetica, sans-serif; font-size: 9pt; color: #000000; }
h1 { font-size: 16pt; margin-top: 0; margin-bottom: 8px; }
h2 { font-size: 12pt; margin-top: 18px; margin-bottom: 6px; }
h3 { font-size: 10pt; margin-top: 10px; margin-bottom: 4px; }
table { border-collapse: collapse; margin-bottom: 10px; }
th, td { border: 1px solid #A0A0A0; padding: 3px 5px; text-align: left; vertical-align: top; }
th { background-color: #E8ECF0; }
td.n { text-align: right; }
.nw { white-space: nowrap; }
.mono { font-family: "DejaVu Sans Mono", Consolas, monospace; }
.hash { font-family: "DejaVu Sans Mono", Consolas, monospace; font-size: 8pt; white-space: nowrap; }
thead { display: table-header-group; }
tr { page-break-inside: avoid; }
h1, h2, h3 { page-break-after: avoid; }
table.sign { page-break-inside: avoid; }
)";

// Room to write by hand; the renderer ignores cell heights, so the cell holds three lines.
constexpr const char* kBlankCell = "<td>&nbsp;<br>&nbsp;<br>&nbsp;</td>";

std::string Escape(std::string_view s) {
    std::string out;
    for (char c : s) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::uint32_t Word(const ConfigImage& image, std::size_t offset) {
    const std::size_t at = ImageParamBlock + offset;
    return std::uint32_t{image[at]} | std::uint32_t{image[at + 1]} << 8 |
           std::uint32_t{image[at + 2]} << 16 | std::uint32_t{image[at + 3]} << 24;
}

// The text's blanks kept (the count texts carry several) and no line break between its words.
std::string NoBreak(std::string html) {
    std::string out;
    for (char c : html)
        out += c == ' ' ? std::string("&nbsp;") : std::string(1, c);
    return out;
}

// Cell contents are HTML already; `cls` marks numeric columns and monospaced values.
struct Cell {
    std::string html;
    const char* cls = nullptr;
};

class Html {
public:
    explicit Html(const LanguageTable& texts) : texts_(texts) {}
    [[nodiscard]] std::string t(TextId id) const { return Escape(TrimBlanks(texts_.Get_Text(id))); }

    void line(std::string_view s) {
        out_ += s;
        out_ += '\n';
    }
    void heading(int level, TextId id) {
        const std::string h = "h" + std::to_string(level);
        line("<" + h + ">" + t(id) + "</" + h + ">");
    }
    [[nodiscard]] const LanguageTable& texts() const { return texts_; }
    void paragraph(TextId id) { line("<p>" + t(id) + "</p>"); }
    // Label and value rows, the label in a header cell.
    void keyValues(const std::vector<std::pair<TextId, Cell>>& rows) {
        std::vector<std::pair<std::string, Cell>> labelled;
        for (const auto& [id, value] : rows)
            labelled.emplace_back(t(id), value);
        keyValues(labelled);
    }
    // The same with labels that are HTML already.
    void keyValues(const std::vector<std::pair<std::string, Cell>>& rows) {
        line("<table width=\"100%\" cellspacing=\"0\" cellpadding=\"3\">");
        for (const auto& [label, value] : rows)
            line("<tr><th width=\"30%\">" + label + "</th>" + td(value, "70%") + "</tr>");
        line("</table>");
    }
    void table(const std::vector<TextId>& headers, const std::vector<std::vector<Cell>>& rows) {
        std::vector<std::string> texts;
        for (TextId id : headers)
            texts.push_back(texts_.Get_Text(id));
        table(texts, rows);
    }
    // `widths`, when given, are the columns' shares of the page in percent.
    void table(const std::vector<std::string>& headers, const std::vector<std::vector<Cell>>& rows,
               const std::vector<int>& widths = {}) {
        line("<table width=\"100%\" cellspacing=\"0\" cellpadding=\"3\">");
        std::string head = "<thead><tr>";
        for (std::size_t c = 0; c < headers.size(); ++c)
            head += (c < widths.size() ? "<th width=\"" + std::to_string(widths[c]) + "%\">"
                                       : std::string("<th>")) +
                    Escape(TrimBlanks(headers[c])) + "</th>";
        line(head + "</tr></thead>");
        line("<tbody>");
        for (const auto& row : rows) {
            std::string tr = "<tr>";
            for (const Cell& c : row)
                tr += td(c);
            line(tr + "</tr>");
        }
        line("</tbody>");
        line("</table>");
    }
    [[nodiscard]] std::string& text() { return out_; }

private:
    static std::string td(const Cell& c, const char* width = nullptr) {
        std::string open = "<td";
        if (c.cls) open += " class=\"" + std::string(c.cls) + "\"";
        if (width) open += " width=\"" + std::string(width) + "\"";
        return open + ">" + c.html + "</td>";
    }
    const LanguageTable& texts_;
    std::string out_;
};

// A field of a hand-edited file can be any length; a cell shows what the editors show.
Cell Plain(std::string_view s) {
    return {Escape(Abridged(s, MnemonicMaxChars))};
}
Cell Number(std::string_view s) {
    return {Escape(Abridged(s, MnemonicMaxChars)), "n nw"};
}
Cell Mono(std::string_view s) {
    return {Escape(s), "mono"};
}
// A SHA-256 in hex: one line that fits the value column of a key and value table.
Cell Hash(std::string_view s) {
    return {Escape(s), "hash"};
}

// Rows up to the last one that holds anything, so a gap the editors would refuse still shows.
int UsedRows(const FrameList& list) {
    int used = 0;
    for (int r = 0; r < FrameList::Rows; ++r)
        for (const std::string& f : list.row(r))
            if (!TrimBlanks(f).empty()) used = r + 1;
    return used;
}

void Frames(Html& h, TextId title, const FrameList& list) {
    h.heading(2, title);
    const bool receive = list.kind() == FrameKind::Receive;
    const int rows = UsedRows(list);
    if (rows == 0) {
        h.paragraph(TextId::ReportNoFrames);
        return;
    }
    std::vector<TextId> headers{TextId::ReportRow, TextId::ReportCobId, TextId::ReportType,
                                TextId::ReportLength, TextId::ReportSwap};
    if (receive)
        headers.insert(headers.end(), {TextId::ReportTimeOut, TextId::ReportMnemonic});
    else
        headers.insert(headers.end(), {TextId::ReportOnChange, TextId::ReportOnTimer,
                                       TextId::ReportPeriod, TextId::ReportMnemonic});
    std::vector<std::vector<Cell>> cells;
    for (int r = 0; r < rows; ++r) {
        const FrameRow& f = list.row(r);
        std::vector<Cell> row{Number(std::to_string(r + 1))};
        for (std::size_t i = 0; i < f.size(); ++i) {
            const int field = static_cast<int>(i);
            const int type = receive ? int{RxCAN_Type} : int{TxCAN_Type};
            const int mnemonic = receive ? int{RxMnemonic} : int{TxMnemonic};
            const bool text =
                field == type || field == mnemonic || IsCheckField(list.kind(), field);
            row.push_back(field == type ? Cell{Escape(f[i]), "nw"}
                          : text        ? Plain(f[i])
                                        : Number(f[i]));
        }
        cells.push_back(std::move(row));
    }
    h.table(headers, cells);
}

// "3" or "3-5" for the first and last of a run of numbers.
std::string Span(int first, int last) {
    return first == last ? std::to_string(first)
                         : std::to_string(first) + "-" + std::to_string(last);
}

// One line a CAN frame: where its bytes land on PROFIBUS; the byte-by-byte table is the CSV.
void Map(Html& h, const IoMap& map) {
    h.heading(2, TextId::ReportIoMap);
    for (IoDirection d : {IoDirection::Input, IoDirection::Output}) {
        h.heading(3, d == IoDirection::Input ? TextId::CheckInputsTab : TextId::CheckOutputsTab);
        const std::vector<IoMapRow>& rows = map.rows(d);
        if (rows.empty()) {
            h.paragraph(TextId::ReportNoDataBytes);
            continue;
        }
        std::vector<std::vector<Cell>> cells;
        for (std::size_t i = 0; i < rows.size();) {
            const IoMapRow& first = rows[i];
            int lastByte = first.byteOffset, lastModule = first.module;
            std::string swaps;
            for (; i < rows.size() && rows[i].listRow == first.listRow; ++i) {
                const IoMapRow& r = rows[i];
                lastByte = r.byteOffset;
                lastModule = r.module;
                // Each group once, at its first byte.
                if (r.swapFirst != 0 && r.canByte == r.swapLast) {
                    if (!swaps.empty()) swaps += ", ";
                    swaps += SwapGroupText(r);
                }
            }
            cells.push_back({Number(std::to_string(first.listRow)),
                             {Escape(CobIdHex(first.cobId)), "n nw"},
                             {Escape(first.extended ? CanType29 : CanType11), "nw"},
                             Plain(first.mnemonic),
                             {Escape(Span(first.byteOffset, lastByte)), "n nw"},
                             {Escape(Span(first.module, lastModule)), "n nw"},
                             {Escape(swaps), "nw"}});
        }
        h.table({TextId::IoMapCanRow, TextId::ReportCobId, TextId::ReportType,
                 TextId::ReportMnemonic, TextId::ReportProfibusBytes, TextId::IoMapModule,
                 TextId::ReportSwapGroups},
                cells);
    }
    h.paragraph(TextId::ReportIoMapNote);
}

void Findings(Html& h, const ProjectCheck& check) {
    h.heading(2, TextId::ReportFindings);
    if (check.findings.empty()) {
        h.paragraph(TextId::ReportNoFindings);
    } else {
        std::vector<std::vector<Cell>> rows;
        for (const Finding& f : check.findings)
            rows.push_back({Plain(SeverityText(f.severity, h.texts())),
                            Plain(FindingListText(f.list, h.texts())),
                            Number(f.row > 0 ? std::to_string(f.row) : ""), Plain(f.message)});
        h.table({TextId::CheckSeverityColumn, TextId::CheckListColumn, TextId::CheckRowColumn,
                 TextId::CheckMessageColumn},
                rows);
    }
    h.heading(2, TextId::ReportBusLoad);
    const BusLoad& b = check.busLoad;
    h.keyValues({{TextId::ReportCanBitRate, Plain(BitRateText(b.bitRate))},
                 {TextId::ReportPeriodicTransmit, Number(PercentText(b.transmitPercent))},
                 {TextId::ReportReceiveAtLeast, Number(PercentText(b.receivePercent))},
                 {TextId::ReportTotalAtLeast, Number(PercentText(b.totalPercent()))}});
}

constexpr const char* ImageFileName = "bank1.bin";
constexpr std::size_t kSummaryErrors = 5;

// Page 1 at a glance: the check's counts and first errors, the bus load, the fingerprints.
void Summary(Html& h, const CommissioningData& d) {
    h.heading(2, TextId::ReportSummary);
    const ProjectCheck& check = d.Check;
    const LanguageTable& texts = h.texts();
    const std::string counts =
        texts.Get_Text(TextId::CheckErrors) + std::to_string(check.count(Severity::Error)) +
        texts.Get_Text(TextId::CheckWarnings) + std::to_string(check.count(Severity::Warning)) +
        texts.Get_Text(TextId::CheckNotes) + std::to_string(check.count(Severity::Note));
    std::string errors;
    std::size_t shown = 0;
    for (const Finding& f : check.findings) {
        if (f.severity != Severity::Error) continue;
        if (shown++ == kSummaryErrors) continue;
        if (!errors.empty()) errors += "<br>";
        errors += Escape(FindingListText(f.list, texts));
        if (f.row > 0)
            errors += ", " + h.t(TextId::CheckRowColumn) + "&nbsp;" + std::to_string(f.row);
        errors += ": " + Escape(f.message);
    }
    if (shown > kSummaryErrors)
        errors += "<br>" + Escape(texts.Get_Text(TextId::ReportFurtherErrors)) +
                  std::to_string(shown - kSummaryErrors);
    if (errors.empty()) errors = h.t(TextId::ReportNone);
    const BusLoad& b = check.busLoad;
    const std::string_view image(reinterpret_cast<const char*>(d.Image.data()), d.Image.size());
    h.keyValues(std::vector<std::pair<std::string, Cell>>{
        {h.t(TextId::ReportCheckResult), {NoBreak(Escape(counts))}},
        {h.t(TextId::ReportFirstErrors), {errors}},
        {h.t(TextId::ReportBusLoad),
         Plain(PercentText(b.totalPercent()) + " (" + BitRateText(b.bitRate) + ")")},
        {Escape(texts.Get_Text(TextId::ReportSha256Of) + d.GsdFileName), Hash(Sha256Hex(d.Gsd))},
        {Escape(texts.Get_Text(TextId::ReportSha256Of) + ImageFileName), Hash(Sha256Hex(image))}});
}

} // namespace

std::string CommissioningHtml(const CommissioningData& d, const LanguageTable& texts) {
    Html h(texts);
    h.line("<!DOCTYPE html>");
    h.line("<html>");
    h.line("<head>");
    h.line("<meta charset=\"utf-8\">");
    h.line("<title>" + h.t(TextId::ReportTitle) + " - " + Escape(d.ProjectName) + "</title>");
    h.line(std::string("<style>\n") + kStyle + "</style>");
    h.line("</head>");
    h.line("<body>");
    h.heading(1, TextId::ReportTitle);
    Summary(h, d);
    h.keyValues({{TextId::ReportTool, Plain(std::string(SwCode) + " " + SwDescription)},
                 {TextId::ReportVersion, Plain(SwVersion)},
                 {TextId::ReportGenerated, Plain(d.Generated)},
                 {TextId::ReportProject, Plain(d.ProjectName)},
                 {TextId::ReportProjectFolder, Plain(d.ProjectFolder)}});

    h.heading(2, TextId::ReportCommunication);
    const bool mapFrames = Word(d.Image, ParamGsdCanMapping) == 1;
    h.keyValues(
        {{TextId::ReportCanBitRate, Plain(BitRateText(Word(d.Image, ParamCanBaudRate)))},
         {TextId::ReportStationAddress, Plain(std::to_string(Word(d.Image, ParamProfibusAddress)))},
         {TextId::ReportModuleMode,
          {h.t(mapFrames ? TextId::ReportModulePerFrame : TextId::ReportModulesUpTo64)}}});

    Frames(h, TextId::ReportReceiveFrames, d.Receive);
    Frames(h, TextId::ReportTransmitFrames, d.Transmit);

    h.heading(2, TextId::ReportModules);
    if (d.Modules.empty()) {
        h.paragraph(TextId::ReportNoModules);
    } else {
        std::vector<std::vector<Cell>> rows;
        for (const ReportModule& m : d.Modules)
            rows.push_back({Number(std::to_string(m.Slot)),
                            {h.t(m.Input ? TextId::ReportInput : TextId::ReportOutput)},
                            Number(std::to_string(m.Bytes)),
                            Mono(m.Identifier)});
        h.table({TextId::ReportSlot, TextId::ReportDirection, TextId::ReportBytes,
                 TextId::ReportIdentifierBytes},
                rows);
    }

    Map(h, d.Map);
    Findings(h, d.Check);

    h.heading(2, TextId::ReportFingerprints);
    const std::string_view image(reinterpret_cast<const char*>(d.Image.data()), d.Image.size());
    const std::uint32_t checksum = Word(d.Image, ParamChecksum);
    h.table({TextId::ReportFile, TextId::ReportSha256},
            {{Plain(d.GsdFileName), Mono(Sha256Hex(d.Gsd))},
             {Plain(ImageFileName), Mono(Sha256Hex(image))}});
    h.keyValues({{TextId::ReportImageChecksum,
                  Mono("0x" + HexDigits(checksum, 8) + " (" + std::to_string(checksum) + ")")}});

    h.heading(2, TextId::ReportSignatures);
    h.line("<table class=\"sign\" width=\"100%\" cellspacing=\"0\" cellpadding=\"3\">");
    h.line("<thead><tr><th width=\"22%\"></th><th width=\"18%\">" + h.t(TextId::ReportDate) +
           "</th><th width=\"30%\">" + h.t(TextId::ReportName) + "</th><th width=\"30%\">" +
           h.t(TextId::ReportSignature) + "</th></tr></thead>");
    for (TextId role : {TextId::ReportCommissionedBy, TextId::ReportAcceptedBy})
        h.line("<tr><th>" + h.t(role) + "</th>" + kBlankCell + kBlankCell + kBlankCell + "</tr>");
    h.line("</table>");
    h.line("</body>");
    h.line("</html>");
    return std::move(h.text());
}

} // namespace kt
