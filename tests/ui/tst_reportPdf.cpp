// The commissioning report as the PDF lays it out, for a full Project with errors and long
// mnemonics, in every shipped language: nothing cut in two, page 1 tells the essentials.

#include "ProjectFixture.h"
#include "base/FileUtil.h"
#include "base/TextUtil.h"
#include "handover/HandoverPack.h"
#include "handover/Sha256.h"
#include "handover/pdf/ReportPdf.h"
#include "lang/LanguageFile.h"
#include "lang/LanguageTable.h"

#include <QtTest>

#include <algorithm>
#include <map>
#include <set>

using namespace kt;
using namespace kt::test;

namespace {

// 30 receive frames with 29-bit identifiers and long mnemonics (rows 5 and 6 repeat an
// identifier: two errors), 30 transmit frames of which some are never sent (warnings).
void WriteFullProject(const std::filesystem::path& dir) {
    std::string rx = "<Receive_Frames>";
    for (int i = 1; i <= 30; ++i) {
        const int id = 0x18FF1020 + (i == 6 ? 4 : i);
        rx += "<row COBID=\"0x" + QString::number(id, 16).toUpper().toStdString() +
              "\" CAN_Type=\"2.0B (29 bits)\" Dim=\"8\" SWAP=\"" + (i % 3 ? "0" : "0xC0") +
              "\" TimeOut=\"500\" Mnemonic=\"F\xC3\xB6rderband L\xC3\xA4ngsantrieb "
              "Temperaturf\xC3\xBChler Station " +
              std::to_string(i) + " links oben\"/>";
    }
    std::string tx = "<Transmit_Frames>";
    for (int i = 1; i <= 30; ++i)
        tx += "<row COBID=\"" + std::to_string(0x300 + i) +
              "\" CAN_Type=\"2.0A (11 bits)\" Dim=\"4\" SWAP=\"0\" OnChange=\"" +
              (i % 10 ? "Y" : "N") + "\" OnTimer=\"N\" Time=\"100\" Mnemonic=\"Antrieb " +
              std::to_string(i) + " Sollwert Geschwindigkeit\"/>";
    std::filesystem::create_directories(dir / "bin");
    WriteFile(dir / "ParGen.xml",
              "<Par_Gen><CAN_BAUDRATE>6</CAN_BAUDRATE><PROFIBUS_ID_Device>5</PROFIBUS_ID_Device>"
              "<PROFIBUS_GDS_CAN_Mapping>1</PROFIBUS_GDS_CAN_Mapping></Par_Gen>");
    WriteFile(dir / "CAN_Rec_Frames.xml", rx + "</Receive_Frames>");
    WriteFile(dir / "CAN_Send_Frames.xml", tx + "</Transmit_Frames>");
}

std::filesystem::path ShippedDir() {
    return std::filesystem::path(KT_FIXTURES_DIR) / ".." / ".." / "src" / "lang" / "shipped";
}

} // namespace

class TstReportPdf : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

private slots:
    void layout_data() {
        QTest::addColumn<QString>("language");
        for (const char* l : {"", "Deutsch", "Espanol", "Francais", "Italiano"})
            QTest::newRow(*l ? l : "English") << QString(l);
    }

    void layout() {
        QFETCH(QString, language);
        LanguageTable texts = LanguageTable::English();
        if (!language.isEmpty())
            QVERIFY(Read_Lang_File(ShippedDir() / (language.toStdString() + ".lng"), texts));
        const std::filesystem::path project = PathOf(dir.path()) / "Line 4";
        WriteFullProject(project);
        std::vector<HandoverFile> files;
        const PdfRenderer none = [](const std::string&, const std::string&, std::string& pdf) {
            pdf.clear();
            return Status::success();
        };
        const Status built =
            BuildHandoverFiles({project, "Line 4", "2026-12-10 10:30"}, texts, none, files);
        QVERIFY2(built.ok(), built.message.c_str());
        const std::string& html = files.at(5).Bytes;

        std::vector<ReportLine> lines;
        int pages = 0;
        QVERIFY(LayOutReport(html, lines, pages));
        QVERIFY(pages > 2);

        // No word, number or identifier is cut at a line end.
        for (const ReportLine& l : lines)
            QVERIFY2(!l.splitsWord, ("cut after: " + l.text).c_str());
        // A table row lies on one page.
        std::map<std::pair<int, int>, std::set<int>> rowPages;
        for (const ReportLine& l : lines)
            if (l.table >= 0) rowPages[{l.table, l.row}].insert(l.page);
        for (const auto& [row, on] : rowPages)
            QVERIFY2(on.size() == 1, ("table " + std::to_string(row.first) + " row " +
                                      std::to_string(row.second) + " split across pages")
                                         .c_str());
        // The signature block, from its heading on, is one page.
        const std::string signatures(TrimBlanks(texts.Get_Text(645)));
        const auto heading = std::find_if(lines.begin(), lines.end(), [&](const ReportLine& l) {
            return l.table < 0 && l.text == signatures;
        });
        QVERIFY(heading != lines.end());
        for (auto it = heading; it != lines.end(); ++it)
            QCOMPARE(it->page, heading->page);

        // Page 1: the summary with the first error and both fingerprints, whole.
        std::string first;
        for (const ReportLine& l : lines)
            if (l.page == 0) first += l.text + "\n";
        QVERIFY2(first.find(std::string(TrimBlanks(texts.Get_Text(656)))) != std::string::npos,
                 first.c_str());
        QVERIFY2(first.find("0x18FF1024") != std::string::npos, first.c_str());
        for (int file : {0, 3})
            QVERIFY2(first.find(Sha256Hex(files.at(std::size_t(file)).Bytes) + "\n") !=
                         std::string::npos,
                     first.c_str());
    }

    // The PDF itself: equal input, equal bytes.
    void reproducible() {
        const std::filesystem::path project = PathOf(dir.path()) / "Line 4";
        WriteFullProject(project);
        std::vector<HandoverFile> a, b;
        QVERIFY(BuildHandoverFiles({project, "Line 4", "2026-12-10 10:30"},
                                   LanguageTable::English(), RenderReportPdf, a));
        QVERIFY(BuildHandoverFiles({project, "Line 4", "2026-12-10 10:30"},
                                   LanguageTable::English(), RenderReportPdf, b));
        QCOMPARE(a.at(6).Bytes.substr(0, 5), std::string("%PDF-"));
        QVERIFY(a.at(6).Bytes == b.at(6).Bytes);
    }
};

QTEST_MAIN(TstReportPdf)
#include "tst_reportPdf.moc"
