// The hand-over pack: fingerprints, device pictures, CSV, the report's HTML and the pack writer.

#include "ProjectFixture.h"
#include "TempDir.h"
#include "base/Csv.h"
#include "base/FileUtil.h"
#include "base/TextUtil.h"
#include "handover/CommissioningReport.h"
#include "handover/DeviceBitmap.h"
#include "handover/HandoverPack.h"
#include "handover/Sha256.h"
#include "lang/LanguageTable.h"
#include "outputs/ConfigImage.h"
#include "outputs/GsdFile.h"
#include "project/FrameList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace kt {
namespace {

namespace fs = std::filesystem;
using test::HexBytes;
using test::ProjectDir;
using test::TempDir;

LanguageTable English() {
    LanguageTable t;
    t.Load_Default_Texts();
    return t;
}

// Standard published vectors: empty, one block, two blocks of padding, many blocks.
TEST(Sha256, PublishedVectors) {
    struct Case {
        std::string input;
        const char* hex;
    };
    const Case cases[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {std::string(1000000, 'a'),
         "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Sha256Hex(c.input), c.hex) << c.input.size() << " bytes";
}

// File header, info header and palette of both pictures, byte for byte.
TEST(DeviceBitmap, HeadersAndPalette) {
    const std::string header = HexBytes(
        "424D 16060000 00000000 76000000"
        "28000000 46000000 28000000 0100 0400 00000000 A0050000 130B0000 130B0000 10000000 00000000"
        "00000000 00008000 00800000 00808000 80000000 80008000 80800000 C0C0C000"
        "80808000 0000FF00 00FF0000 00FFFF00 FF000000 FF00FF00 FFFF0000 FFFFFF00");
    for (bool diagnostic : {false, true}) {
        const std::string bmp = DeviceBitmap(diagnostic);
        ASSERT_EQ(bmp.size(), 1558u) << diagnostic;
        EXPECT_EQ(bmp.substr(0, 118), header) << diagnostic;
    }
    EXPECT_STREQ(DeviceBitmapFile(false), "DPV0_1N.bmp");
    EXPECT_STREQ(DeviceBitmapFile(true), "DPV0_1S.bmp");
}

// The SF LED (centre pixel 39, 31 from the top) is red only in the diagnostic picture.
TEST(DeviceBitmap, DiagnosticPictureLightsTheErrorLed) {
    const auto pixel = [](const std::string& bmp, int x, int yFromTop) {
        const int row = DeviceBitmapHeight - 1 - yFromTop;
        const auto byte = static_cast<unsigned char>(bmp[118 + row * 36 + x / 2]);
        return x % 2 == 0 ? byte >> 4 : byte & 15;
    };
    EXPECT_EQ(pixel(DeviceBitmap(false), 39, 31), 8);  // grey
    EXPECT_EQ(pixel(DeviceBitmap(true), 39, 31), 9);   // red
    EXPECT_EQ(pixel(DeviceBitmap(false), 29, 31), 10); // RUN lit in both
    EXPECT_EQ(pixel(DeviceBitmap(true), 29, 31), 10);
}

TEST(Csv, FieldsAreQuotedOnlyWhenNeeded) {
    struct Case {
        const char* text;
        const char* field;
    };
    const Case cases[] = {
        {"", ""},
        {"pump", "pump"},
        {"0x18FF0001", "0x18FF0001"},
        {"2.0A (11 bits)", "2.0A (11 bits)"},
        {"a;b", "\"a;b\""},
        {"0x42,0x07", "\"0x42,0x07\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"two\nlines", "\"two\nlines\""},
        {"cr\rhere", "\"cr\rhere\""},
        {" lead", "\" lead\""},
        {"trail ", "\"trail \""},
        {"\ttab", "\"\ttab\""},
        {"in side", "in side"},
        {"Ventil \xC3\xB6", "Ventil \xC3\xB6"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CsvField(c.text), c.field) << c.text;
    EXPECT_EQ(CsvLine({"1", "a;b", ""}), "1;\"a;b\";\r\n");
}

// A file opens with the UTF-8 byte-order mark, so spreadsheet programs show umlauts.
TEST(Csv, FileOpensWithByteOrderMark) {
    EXPECT_EQ(CsvText({{"L\xC3\xA4nge", "a,b"}, {" x", ""}}), "\xEF\xBB\xBF"
                                                              "L\xC3\xA4nge;\"a,b\"\r\n"
                                                              "\" x\";\r\n");
    EXPECT_EQ(CsvText({}), "\xEF\xBB\xBF");
}

TEST(BitRateText, Units) {
    EXPECT_EQ(BitRateText(10000), "10 kbit/s");
    EXPECT_EQ(BitRateText(62500), "62.5 kbit/s");
    EXPECT_EQ(BitRateText(125000), "125 kbit/s");
    EXPECT_EQ(BitRateText(1000000), "1 Mbit/s");
    EXPECT_EQ(BitRateText(1500000), "1.5 Mbit/s");
    EXPECT_EQ(BitRateText(9600), "9.6 kbit/s");
}

void PutWord(ConfigImage& image, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        image[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// A small Project's report, everything after the style sheet, against text written out here.
TEST(CommissioningHtml, SmallProject) {
    CommissioningData d;
    d.Generated = "2026-12-10 10:30";
    d.ProjectName = "Plant <1>";
    d.ProjectFolder = "/data/PROJECTS/Plant <1>";
    d.Receive.setReceiveFrame(0, {"291", "2.0A (11 bits)", "8", "0", "1000", "pump & motor"});
    d.Transmit.setTransmitFrame(
        0, {"0x200", "2.0B (29 bits)", "2", "3", "Y", "N", "250", "valve \"A\""});
    d.Modules = {{1, true, 8, "0x42,0x07,0x00,0x01"}, {2, false, 2, "0x82,0x01,0x00,0x02"}};
    d.Map.inputs = {{0, 1, 0, "0x42,0x07,0x00,0x01", 1, 0x123, false, 2, "pump & motor", 1, 2}};
    d.Check.findings = {{Severity::Warning, "never-sent", FindingList::Transmit, 1, "Never sent"},
                        {Severity::Note, "bus-load", FindingList::Project, 0, "Load <1 %"}};
    d.Check.busLoad = {500000, 12.34, 0.96};
    d.GsdFileName = "Plant <1>.gsd";
    d.Gsd = "abc";
    PutWord(d.Image, 2048 + ParamCanBaudRate, 500000);
    PutWord(d.Image, 2048 + ParamProfibusAddress, 12);
    PutWord(d.Image, 2048 + ParamGsdCanMapping, 1);
    PutWord(d.Image, 2048 + ParamChecksum, 0x12345678);

    const std::string html = CommissioningHtml(d, English());
    ASSERT_EQ(
        html.rfind(
            "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n"
            "<title>Commissioning report - Plant &lt;1&gt;</title>\n<style>\n@page { size: A4;",
            0),
        0u)
        << html.substr(0, 300);
    const std::size_t body = html.find("</style>");
    ASSERT_NE(body, std::string::npos);
    const char* expected = R"(</style>
</head>
<body>
<h1>Commissioning report</h1>
<h2>Summary</h2>
<table width="100%" cellspacing="0" cellpadding="3">
<tr><th width="30%">Check result</th><td width="70%">Errors:&nbsp;0&nbsp;&nbsp;&nbsp;Warnings:&nbsp;1&nbsp;&nbsp;&nbsp;Notes:&nbsp;1</td></tr>
<tr><th width="30%">First errors</th><td width="70%">None</td></tr>
<tr><th width="30%">Bus load</th><td width="70%">13.3 % (500 kbit/s)</td></tr>
<tr><th width="30%">SHA-256 of Plant &lt;1&gt;.gsd</th><td class="hash" width="70%">ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad</td></tr>
<tr><th width="30%">SHA-256 of bank1.bin</th><td class="hash" width="70%">f68bc21b9ab40de668ef9e04516b09748c6f049fa6be4406c14b18d79fd7d397</td></tr>
</table>
<table width="100%" cellspacing="0" cellpadding="3">
<tr><th width="30%">Tool</th><td width="70%">KT52903 CAN / PROFIBUS Slave - Converter</td></tr>
<tr><th width="30%">Version</th><td width="70%">1.000</td></tr>
<tr><th width="30%">Date and time</th><td width="70%">2026-12-10 10:30</td></tr>
<tr><th width="30%">Project</th><td width="70%">Plant &lt;1&gt;</td></tr>
<tr><th width="30%">Project folder</th><td width="70%">/data/PROJECTS/Plant &lt;1&gt;</td></tr>
</table>
<h2>Communication settings</h2>
<table width="100%" cellspacing="0" cellpadding="3">
<tr><th width="30%">CAN bit rate</th><td width="70%">500 kbit/s</td></tr>
<tr><th width="30%">PROFIBUS station address</th><td width="70%">12</td></tr>
<tr><th width="30%">Module mode</th><td width="70%">One module per CAN frame</td></tr>
</table>
<h2>Receive frames (CAN to PROFIBUS input)</h2>
<table width="100%" cellspacing="0" cellpadding="3">
<thead><tr><th>Row</th><th>COB-ID</th><th>Type</th><th>Length</th><th>SWAP</th><th>Time-out (ms)</th><th>Mnemonic</th></tr></thead>
<tbody>
<tr><td class="n nw">1</td><td class="n nw">291</td><td class="nw">2.0A (11 bits)</td><td class="n nw">8</td><td class="n nw">0</td><td class="n nw">1000</td><td>pump &amp; motor</td></tr>
</tbody>
</table>
<h2>Transmit frames (PROFIBUS output to CAN)</h2>
<table width="100%" cellspacing="0" cellpadding="3">
<thead><tr><th>Row</th><th>COB-ID</th><th>Type</th><th>Length</th><th>SWAP</th><th>On change</th><th>On timer</th><th>Period (ms)</th><th>Mnemonic</th></tr></thead>
<tbody>
<tr><td class="n nw">1</td><td class="n nw">0x200</td><td class="nw">2.0B (29 bits)</td><td class="n nw">2</td><td class="n nw">3</td><td>Y</td><td>N</td><td class="n nw">250</td><td>valve &quot;A&quot;</td></tr>
</tbody>
</table>
<h2>PROFIBUS modules</h2>
<table width="100%" cellspacing="0" cellpadding="3">
<thead><tr><th>Slot</th><th>Direction</th><th>Bytes</th><th>Identifier bytes</th></tr></thead>
<tbody>
<tr><td class="n nw">1</td><td>Input</td><td class="n nw">8</td><td class="mono">0x42,0x07,0x00,0x01</td></tr>
<tr><td class="n nw">2</td><td>Output</td><td class="n nw">2</td><td class="mono">0x82,0x01,0x00,0x02</td></tr>
</tbody>
</table>
<h2>I/O map</h2>
<h3>Inputs</h3>
<table width="100%" cellspacing="0" cellpadding="3">
<thead><tr><th>CAN row</th><th>COB-ID</th><th>Type</th><th>Mnemonic</th><th>PROFIBUS bytes</th><th>Module</th><th>Swap groups</th></tr></thead>
<tbody>
<tr><td class="n nw">1</td><td class="n nw">0x123</td><td class="nw">2.0A (11 bits)</td><td>pump &amp; motor</td><td class="n nw">0</td><td class="n nw">1</td><td class="nw">1-2</td></tr>
</tbody>
</table>
<h3>Outputs</h3>
<p>No data bytes</p>
<p>One line a CAN frame; io_map.csv holds the map byte by byte.</p>
<h2>Findings of Check Project</h2>
<table width="100%" cellspacing="0" cellpadding="3">
<thead><tr><th>Severity</th><th>List</th><th>Row</th><th>Message</th></tr></thead>
<tbody>
<tr><td>Warning</td><td>Transmit frames</td><td class="n nw">1</td><td>Never sent</td></tr>
<tr><td>Note</td><td>Project</td><td class="n nw"></td><td>Load &lt;1 %</td></tr>
</tbody>
</table>
<h2>Bus load</h2>
<table width="100%" cellspacing="0" cellpadding="3">
<tr><th width="30%">CAN bit rate</th><td width="70%">500 kbit/s</td></tr>
<tr><th width="30%">Periodic transmit frames of the converter</th><td class="n nw" width="70%">12.3 %</td></tr>
<tr><th width="30%">Receive frames, at least</th><td class="n nw" width="70%">1.0 %</td></tr>
<tr><th width="30%">Total, at least</th><td class="n nw" width="70%">13.3 %</td></tr>
</table>
<h2>Fingerprints</h2>
<table width="100%" cellspacing="0" cellpadding="3">
<thead><tr><th>File</th><th>SHA-256</th></tr></thead>
<tbody>
<tr><td>Plant &lt;1&gt;.gsd</td><td class="mono">ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad</td></tr>
<tr><td>bank1.bin</td><td class="mono">f68bc21b9ab40de668ef9e04516b09748c6f049fa6be4406c14b18d79fd7d397</td></tr>
</tbody>
</table>
<table width="100%" cellspacing="0" cellpadding="3">
<tr><th width="30%">Checksum of the configuration image</th><td class="mono" width="70%">0x12345678 (305419896)</td></tr>
</table>
<h2>Signatures</h2>
<table class="sign" width="100%" cellspacing="0" cellpadding="3">
<thead><tr><th width="22%"></th><th width="18%">Date</th><th width="30%">Name</th><th width="30%">Signature</th></tr></thead>
<tr><th>Commissioned by</th><td>&nbsp;<br>&nbsp;<br>&nbsp;</td><td>&nbsp;<br>&nbsp;<br>&nbsp;</td><td>&nbsp;<br>&nbsp;<br>&nbsp;</td></tr>
<tr><th>Accepted by</th><td>&nbsp;<br>&nbsp;<br>&nbsp;</td><td>&nbsp;<br>&nbsp;<br>&nbsp;</td><td>&nbsp;<br>&nbsp;<br>&nbsp;</td></tr>
</table>
</body>
</html>
)";
    EXPECT_EQ(html.substr(body), expected);
}

// Nothing outside the document: no linked style sheet, script, picture or font.
TEST(CommissioningHtml, SelfContainedAndTranslated) {
    CommissioningData d;
    LanguageTable texts = English();
    texts.Set_Text(605, "Inbetriebnahmeprotokoll");
    texts.Set_Text(629, "Keine Frames ");
    const std::string html = CommissioningHtml(d, texts);
    for (const char* external : {"src=", "href=", "url(", "@import", "<link", "<script"})
        EXPECT_EQ(html.find(external), std::string::npos) << external;
    EXPECT_NE(html.find("<h1>Inbetriebnahmeprotokoll</h1>"), std::string::npos);
    EXPECT_NE(html.find("<p>Keine Frames</p>"), std::string::npos);
    EXPECT_NE(html.find("<p>No modules</p>"), std::string::npos);
    EXPECT_NE(html.find("<p>No findings</p>"), std::string::npos);
}

// A renderer that stands for Qt's: its bytes depend on the HTML and the date only.
Status FakePdf(const std::string& html, const std::string& generated, std::string& pdf) {
    pdf = "%PDF-fake " + generated + " " + Sha256Hex(html);
    return Status::success();
}

void FullProject(const ProjectDir& p) {
    p.settings("7", "12", "0");
    p.receive(
        R"x(<row COBID="291" CAN_Type="2.0A (11 bits)" Dim="8" SWAP="0" TimeOut="1000" Mnemonic="pump"/>)x"
        R"x(<row COBID="0x18FF0001" CAN_Type="2.0B (29 bits)" Dim="4" SWAP="0" TimeOut="0" Mnemonic=""/>)x");
    p.transmit(
        R"x(<row COBID="0x200" CAN_Type="2.0A (11 bits)" Dim="2" SWAP="0" OnChange="Y" OnTimer="Y" Time="250" Mnemonic="valve"/>)x");
}

TEST(HandoverPack, FilesMatchTheStepsAndRepeat) {
    ProjectDir p;
    FullProject(p);
    const HandoverRequest request{p.path(), "Plant", "2026-12-10 10:30"};
    std::vector<HandoverFile> first, second;
    ASSERT_TRUE(BuildHandoverFiles(request, English(), FakePdf, first).ok());
    ASSERT_TRUE(BuildHandoverFiles(request, English(), FakePdf, second).ok());

    std::vector<std::string> names;
    for (const HandoverFile& f : first)
        names.push_back(f.Name);
    EXPECT_EQ(names,
              (std::vector<std::string>{"Plant.gsd", "DPV0_1N.bmp", "DPV0_1S.bmp", "bank1.bin",
                                        "io_map.csv", "report.html", "report.pdf"}));
    for (std::size_t i = 0; i < first.size(); ++i)
        EXPECT_EQ(first[i].Bytes, second[i].Bytes) << names[i];

    const Result<GSD_Data> data = Read_GSD_Data(p.files());
    ASSERT_TRUE(data.ok());
    const Result<std::string> gsd = ComposeGsdText(data.value, LanguageTable::English());
    ASSERT_TRUE(gsd.ok());
    EXPECT_EQ(first[0].Bytes, gsd.value);
    ConfigImage image{};
    ASSERT_TRUE(Compile_Config_Image(p.files(), image).ok());
    EXPECT_EQ(first[3].Bytes, std::string(image.begin(), image.end()));
    EXPECT_NE(first[5].Bytes.find(Sha256Hex(gsd.value)), std::string::npos);

    // Only the report changes with the date.
    std::vector<HandoverFile> later;
    ASSERT_TRUE(
        BuildHandoverFiles({p.path(), "Plant", "2026-12-11 08:00"}, English(), FakePdf, later)
            .ok());
    for (std::size_t i = 0; i < 5; ++i)
        EXPECT_EQ(first[i].Bytes, later[i].Bytes) << names[i];
    EXPECT_NE(first[5].Bytes, later[5].Bytes);
    EXPECT_NE(first[6].Bytes, later[6].Bytes);
}

// Both directions under one header line; the identifier and a mnemonic with ';' are quoted.
TEST(HandoverPack, IoMapCsv) {
    ProjectDir p;
    p.settings("5", "3", "1");
    p.receive(
        R"x(<row COBID="0x123" CAN_Type="2.0A (11 bits)" Dim="2" SWAP="0" TimeOut="100" Mnemonic="pump; main"/>)x");
    p.transmit(
        R"x(<row COBID="0x200" CAN_Type="2.0A (11 bits)" Dim="1" SWAP="0" OnChange="Y" OnTimer="N" Time="0" Mnemonic="valve"/>)x");
    std::vector<HandoverFile> files;
    ASSERT_TRUE(
        BuildHandoverFiles({p.path(), "P", "2026-12-10 10:30"}, English(), FakePdf, files).ok());
    ASSERT_EQ(files.at(4).Name, "io_map.csv");
    EXPECT_EQ(files[4].Bytes,
              "\xEF\xBB\xBF"
              "Direction;PROFIBUS byte;Module;Module byte;Module identifier;CAN row;CobID;Type;CAN "
              "byte;Mnemonic;Swap\r\n"
              "Input;0;1;0;\"0x42,0x01,0x00,0x01\";1;0x123;2.0A (11 bits);1;\"pump; main\";\r\n"
              "Input;1;1;1;\"0x42,0x01,0x00,0x01\";1;0x123;2.0A (11 bits);2;\"pump; main\";\r\n"
              "Output;0;2;0;\"0x82,0x00,0x00,0x02\";1;0x200;2.0A (11 bits);1;valve;\r\n");
}

// Page 1 sums up: the counts, the first five errors and how many more; the report's I/O map
// has one line a frame with its PROFIBUS bytes, module and swap groups.
TEST(CommissioningHtml, SummaryAndIoMapOneLineAFrame) {
    ProjectDir p;
    p.settings("5", "3", "1");
    std::string rows =
        R"x(<row COBID="0x100" CAN_Type="2.0A (11 bits)" Dim="4" SWAP="0x80" TimeOut="100" Mnemonic="pump"/>)x";
    for (int i = 0; i < 6; ++i) // each repeats row 1: six errors
        rows +=
            R"x(<row COBID="256" CAN_Type="2.0A (11 bits)" Dim="2" SWAP="0" TimeOut="100" Mnemonic="again"/>)x";
    p.receive(rows);
    std::vector<HandoverFile> files;
    ASSERT_TRUE(
        BuildHandoverFiles({p.path(), "P", "2026-12-10 10:30"}, English(), FakePdf, files).ok());
    const std::string& html = files.at(5).Bytes;
    const std::size_t summary = html.find("<h2>Summary</h2>");
    const std::size_t settings = html.find("<h2>Communication settings</h2>");
    ASSERT_LT(summary, settings);
    const std::string head = html.substr(summary, settings - summary);
    EXPECT_NE(head.find(">Errors:&nbsp;6&nbsp;&nbsp;&nbsp;Warnings:&nbsp;"), std::string::npos)
        << head;
    EXPECT_NE(head.find("<td width=\"70%\">Receive frames, Row&nbsp;2: Identifier and type "
                        "already used in row 1<br>Receive frames, Row&nbsp;3: "),
              std::string::npos)
        << head;
    EXPECT_EQ(head.find("Row&nbsp;7:"), std::string::npos) << head;
    EXPECT_NE(head.find("<br>Further errors, listed under the findings: 1</td>"), std::string::npos)
        << head;
    EXPECT_NE(head.find(Sha256Hex(files.at(0).Bytes)), std::string::npos);
    EXPECT_NE(head.find(Sha256Hex(files.at(3).Bytes)), std::string::npos);

    const std::size_t map = html.find("<h3>Inputs</h3>");
    const std::string inputs = html.substr(map, html.find("</table>", map) - map);
    EXPECT_NE(inputs.find("<tr><td class=\"n nw\">1</td><td class=\"n nw\">0x100</td><td "
                          "class=\"nw\">2.0A (11 bits)</td><td>pump</td><td class=\"n "
                          "nw\">0-3</td><td class=\"n nw\">1</td><td class=\"nw\">1-2</td></tr>"),
              std::string::npos)
        << inputs;
    EXPECT_NE(inputs.find("<tr><td class=\"n nw\">7</td><td class=\"n nw\">0x100</td><td "
                          "class=\"nw\">2.0A (11 bits)</td><td>again</td><td class=\"n "
                          "nw\">14-15</td><td class=\"n nw\">7</td><td class=\"nw\"></td></tr>"),
              std::string::npos)
        << inputs;
    // The header and one line a frame; the CSV keeps a line a byte.
    std::size_t lines = 0;
    for (std::size_t at = 0; (at = inputs.find("<tr>", at)) != std::string::npos; ++at)
        ++lines;
    EXPECT_EQ(lines, 1u + 7u);
}

TEST(HandoverPack, RefusesWhatTheGsdStepRefuses) {
    std::vector<HandoverFile> files;
    ProjectDir empty;
    const Status none =
        BuildHandoverFiles({empty.path(), "E", "2026-12-10 10:30"}, English(), FakePdf, files);
    EXPECT_FALSE(none.ok());
    EXPECT_EQ(none.message, English().Get_Text(1504));

    ProjectDir broken;
    broken.settings("7", "12", "0");
    broken.transmit("<row");
    const Status bad =
        BuildHandoverFiles({broken.path(), "B", "2026-12-10 10:30"}, English(), FakePdf, files);
    EXPECT_FALSE(bad.ok());
    EXPECT_NE(bad.message.find("CAN_Send_Frames.xml"), std::string::npos) << bad.message;

    ProjectDir p;
    FullProject(p);
    const PdfRenderer failing = [](const std::string&, const std::string&, std::string&) {
        return Status::io("no PDF today");
    };
    const Status noPdf =
        BuildHandoverFiles({p.path(), "P", "2026-12-10 10:30"}, English(), failing, files);
    EXPECT_EQ(noPdf.message, "no PDF today");
}

const std::vector<HandoverFile> kPack = {
    {"a.gsd", "GSD"}, {"bank1.bin", "IMAGE"}, {"report.pdf", "PDF"}};

TEST(WriteHandoverPack, CreatesTheFolder) {
    TempDir t;
    ASSERT_TRUE(WriteHandoverPack(t / "pack/", kPack).ok());
    EXPECT_EQ(TempDir::names(t.path()), std::vector<std::string>{"pack"});
    EXPECT_EQ(TempDir::names(t / "pack"),
              (std::vector<std::string>{"a.gsd", "bank1.bin", "report.pdf"}));
    EXPECT_EQ(TempDir::read(t / "pack/bank1.bin"), "IMAGE");
}

TEST(WriteHandoverPack, ReplacesItsOwnFilesAndKeepsOthers) {
    TempDir t;
    t.write("pack/bank1.bin", "OLD");
    t.write("pack/notes.txt", "mine");
    ASSERT_TRUE(WriteHandoverPack(t / "pack", kPack).ok());
    EXPECT_EQ(TempDir::names(t.path()), std::vector<std::string>{"pack"});
    EXPECT_EQ(TempDir::names(t / "pack"),
              (std::vector<std::string>{"a.gsd", "bank1.bin", "notes.txt", "report.pdf"}));
    EXPECT_EQ(TempDir::read(t / "pack/bank1.bin"), "IMAGE");
    EXPECT_EQ(TempDir::read(t / "pack/notes.txt"), "mine");
}

// A folder in the way of the last file: the earlier files are not left half-replaced.
TEST(WriteHandoverPack, FailureLeavesTheFolderAsItWas) {
    TempDir t;
    t.write("pack/bank1.bin", "OLD");
    t.write("pack/report.pdf/inside", "x");
    const Status s = WriteHandoverPack(t / "pack", kPack);
    EXPECT_FALSE(s.ok());
    EXPECT_NE(s.message.find("report.pdf"), std::string::npos) << s.message;
    EXPECT_EQ(TempDir::names(t.path()), std::vector<std::string>{"pack"});
    EXPECT_EQ(TempDir::names(t / "pack"), (std::vector<std::string>{"bank1.bin", "report.pdf"}));
    EXPECT_EQ(TempDir::read(t / "pack/bank1.bin"), "OLD");
}

TEST(WriteHandoverPack, UnwritablePlaceLeavesNothing) {
    TempDir t;
    t.write("afile", "x");
    EXPECT_FALSE(WriteHandoverPack(t / "afile/pack", kPack).ok());
    EXPECT_FALSE(WriteHandoverPack(t / "afile", kPack).ok()); // a file, not a folder
    EXPECT_EQ(TempDir::names(t.path()), std::vector<std::string>{"afile"});
    EXPECT_EQ(TempDir::read(t / "afile"), "x");
}

#ifndef _WIN32
// Every file below `dir` with its bytes; absent when `dir` is.
std::map<std::string, std::string> Snapshot(const fs::path& dir) {
    std::map<std::string, std::string> files;
    if (!fs::exists(dir)) return {{"", "absent"}};
    for (const auto& e : fs::directory_iterator(dir))
        files[e.path().filename().string()] =
            e.is_regular_file() ? TempDir::read(e.path()) : std::string("not a file");
    return files;
}

int g_stopAt = 0;
int g_steps = 0;
int KillAtStep(FileStep, const fs::path&) {
    if (++g_steps == g_stopAt) _exit(9); // as a kill: nothing after this step runs
    return 0;
}

// Kills the writer before each rename, write, folder creation and removal in turn: the pack
// is then the whole old or the whole new one, or the next run puts the old one back; no
// temporary file or folder outlives that run.
TEST(WriteHandoverPack, KilledAtAnyStepLeavesTheOldOrTheNewPack) {
    const std::vector<HandoverFile> newPack = {
        {"a.gsd", "GSD"}, {"DPV0_1N.bmp", "N"}, {"bank1.bin", "IMAGE"}, {"report.pdf", "PDF"}};
    for (const bool existing : {true, false}) {
        int step = 1;
        for (;; ++step) {
            ASSERT_LT(step, 200) << "the write never finished";
            TempDir t;
            const fs::path pack = t / "pack";
            if (existing) {
                t.write("pack/a.gsd", "OLD GSD");
                t.write("pack/bank1.bin", "OLD IMAGE");
                t.write("pack/notes.txt", "mine");
            }
            const auto before = Snapshot(pack);
            const pid_t child = fork();
            ASSERT_GE(child, 0);
            if (child == 0) {
                g_stopAt = step;
                SetFileStepHook(KillAtStep);
                _exit(WriteHandoverPack(pack, newPack).ok() ? 0 : 1);
            }
            int status = 0;
            waitpid(child, &status, 0);
            ASSERT_TRUE(WIFEXITED(status));
            const int code = WEXITSTATUS(status);
            ASSERT_NE(code, 1) << "step " << step << ": the write failed";
            const auto after = Snapshot(pack);
            auto whole = before;
            whole.erase("");
            for (const HandoverFile& f : newPack)
                whole[f.Name] = f.Bytes;
            const bool oldOrNew = after == before || after == whole;
            const Status restored = RestoreHandoverPack(pack);
            ASSERT_TRUE(restored.ok()) << restored.message;
            const auto next = Snapshot(pack);
            if (oldOrNew)
                EXPECT_TRUE(next == before || next == whole) << "step " << step;
            else
                EXPECT_TRUE(next == before) << "step " << step << ": the old pack is not back";
            EXPECT_EQ(TempDir::names(t.path()), fs::exists(pack) ? std::vector<std::string>{"pack"}
                                                                 : std::vector<std::string>{})
                << "step " << step << ", pack existed: " << existing;
            if (code == 0) {
                EXPECT_TRUE(next == whole);
                break;
            }
        }
        // Creating: the new files and the folder; replacing: also the old files moved aside.
        EXPECT_GE(step, existing ? 15 : 9) << "fewer steps than files: the hook is not reached";
    }
}

// A full disk while the pack is written: the message names the pack's file, and the old pack
// stays as it was.
int FullDiskAtReport(FileStep step, const fs::path& p) {
    return step == FileStep::Write && p.filename() == "report.pdf" ? ENOSPC : 0;
}

TEST(WriteHandoverPack, FullDiskNamesThePackFile) {
    TempDir t;
    t.write("pack/bank1.bin", "OLD");
    SetFileStepHook(FullDiskAtReport);
    const Status s = WriteHandoverPack(t / "pack", kPack);
    SetFileStepHook(nullptr);
    EXPECT_FALSE(s.ok());
    EXPECT_EQ(s.message, "Cannot write \"" + (t / "pack" / "report.pdf").string() +
                             "\": " + std::strerror(ENOSPC));
    EXPECT_EQ(TempDir::names(t.path()), std::vector<std::string>{"pack"});
    EXPECT_EQ(TempDir::read(t / "pack/bank1.bin"), "OLD");
}

// Folders and files left by killed hand-overs beside the pack go; a running one's stay.
TEST(WriteHandoverPack, RemovesTheLeftoversOfKilledRuns) {
    TempDir t;
    const pid_t child = fork();
    if (child == 0) _exit(0);
    waitpid(child, nullptr, 0);
    const std::string dead = std::to_string(child), alive = std::to_string(getpid());
    const std::string hex = "-0123456789abcdef";
    t.write(".pack.kt52903-handover-" + dead + hex + "/report.pdf", "half");
    t.write(".other.kt52903-done-" + dead + hex + "/bank1.bin", "old");
    t.write(".other.kt52903-handover-" + alive + hex + "/report.pdf", "being written");
    ASSERT_TRUE(WriteHandoverPack(t / "pack", kPack).ok());
    EXPECT_EQ(TempDir::names(t.path()),
              (std::vector<std::string>{".other.kt52903-handover-" + alive + hex, "pack"}));
}
#endif

TEST(ReportDate, Form) {
    EXPECT_TRUE(IsReportDate(ReportDateNow())) << ReportDateNow();
    for (const char* good : {"2026-12-10 10:30", "2000-01-01 00:00", "2026-12-31 23:59"})
        EXPECT_TRUE(IsReportDate(good)) << good;
    for (const char* bad :
         {"", "2026-12-10", "2026-13-10 10:30", "2026-12-00 10:30", "2026-12-10 24:00",
          "2026-12-10 10:60", "2026/12/10 10:30", "2026-12-10T10:30", "2026-12-10 10:30 "})
        EXPECT_FALSE(IsReportDate(bad)) << bad;
}

} // namespace
} // namespace kt
