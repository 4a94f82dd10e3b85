// The Compare Projects window: what its table lists, that both values stay in view, and the
// list's entry for a Project folder outside the Workspace.

#include "FakePrompts.h"
#include "ProjectFixture.h"
#include "TableTexts.h"
#include "core/UCompareProjects.h"

#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QTableWidget>
#include <QtTest>

#include <memory>

using namespace kt;
using namespace kt::test;

namespace {
const std::string kParGen = "<Par_Gen><CAN_BAUDRATE>7</CAN_BAUDRATE><PROFIBUS_ID_Device>12"
                            "</PROFIBUS_ID_Device><PROFIBUS_GDS_CAN_Mapping>1"
                            "</PROFIBUS_GDS_CAN_Mapping></Par_Gen>";
std::string Rx(const std::string& id, const std::string& mnemonic) {
    return "<row COBID=\"" + id + "\" CAN_Type=\"2.0A (11 bits)\" Dim=\"2\" SWAP=\"0\" " +
           "TimeOut=\"100\" Mnemonic=\"" + mnemonic + "\"/>";
}
void WriteProject(const std::filesystem::path& dir, const std::string& rows) {
    WriteFile(dir / "ParGen.xml", kParGen);
    WriteFile(dir / "CAN_Rec_Frames.xml", "<Receive_Frames>" + rows + "</Receive_Frames>");
}
} // namespace

class TstCompareProjects : public QObject {
    Q_OBJECT

    std::unique_ptr<ProjectFixture> fx;
    FakePrompts prompts;
    std::unique_ptr<TFCompareProjects> w;
    QTemporaryDir outside;

    QTableWidget* table() { return w->findChild<QTableWidget*>("ACG_Diff"); }
    QListWidget* list() { return w->findChild<QListWidget*>("ListBox_Projects"); }
    void clickEntry(int row) {
        QListWidget* l = list();
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {},
                          l->visualItemRect(l->item(row)).center());
    }

private slots:
    void init() {
        fx = std::make_unique<ProjectFixture>("Line");
        prompts.clear();
        WriteProject(fx->state.ProjectDir, Rx("0x100", "pump") + Rx("0x101", "valve"));
        w = std::make_unique<TFCompareProjects>(fx->state, prompts);
    }
    void cleanup() { w.reset(); }

    // Frames that trade places change image bytes but not the checksum: no "changed" row
    // with two equal values, one row with the count; a frame only in the other Project says so.
    void listsOnlyRealDifferences() {
        WriteProject(fx->state.Workspace.ProjectsDir / "Swapped",
                     Rx("0x101", "valve") + Rx("0x100", "pump") + Rx("0x200", "new"));
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        QCOMPARE(list()->count(), 2); // Swapped and the folder entry
        QCOMPARE(list()->item(1)->text(), QString("Other folder..."));
        QStringList rows;
        for (int r = 0; r < table()->rowCount(); ++r) {
            const QStringList cells = RowTexts(table(), r);
            rows << cells.join("|");
            if (cells[1] == "changed") QVERIFY2(cells[5] != cells[6], qPrintable(rows.last()));
        }
        QVERIFY2(rows.contains("Receive frames|only in the other Project|3|0x200 2.0A (11 "
                               "bits)|||"),
                 qPrintable(rows.join("\n")));
        const int last = table()->rowCount() - 1;
        QCOMPARE(RowTexts(table(), last).mid(0, 2), (QStringList{"Device", "differing"}));
        QCOMPARE(RowTexts(table(), last)[4], QString("image bytes"));
        QCOMPARE(table()->columnSpan(last, 5), 2);
    }

    // A long value does not push the other Project's column out of view.
    void bothValuesInView() {
        const std::string longName(300, 'x');
        WriteProject(fx->state.Workspace.ProjectsDir / "Other",
                     Rx("0x100", longName) + Rx("0x101", "valve"));
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        QHeaderView* header = table()->horizontalHeader();
        const int width = table()->viewport()->width();
        for (int c : {5, 6}) {
            QVERIFY2(
                header->sectionViewportPosition(c) + header->sectionSize(c) <= width,
                qPrintable(QString("column %1 ends at %2 of %3")
                               .arg(c)
                               .arg(header->sectionViewportPosition(c) + header->sectionSize(c))
                               .arg(width)));
            QVERIFY(header->sectionSize(c) >= 120);
        }
        QCOMPARE(table()->item(0, 6)->toolTip(), QString::fromStdString(longName));
    }

    // The last entry opens the folder chooser; the chosen folder is compared and listed.
    void comparesWithAFolderOutsideTheWorkspace() {
        const std::filesystem::path other = PathOf(outside.path()) / "Backup";
        WriteProject(other, Rx("0x100", "pump"));
        std::filesystem::create_directories(PathOf(outside.path()) / "Empty");
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        QCOMPARE(w->findChild<QLabel*>("L_Result")->text(),
                 QString("No other Project in the Workspace"));

        // Cancelled: nothing compared.
        clickEntry(0);
        QCOMPARE(prompts.calls.size(), 1);
        QCOMPARE(prompts.calls[0].kind, FakePrompts::Kind::FolderName);
        QCOMPARE(prompts.calls[0].text, QPath(fx->state.Workspace.ProjectsDir));
        QCOMPARE(prompts.calls[0].filter, QString("Choose the Project folder to compare with"));
        QCOMPARE(table()->rowCount(), 0);

        // A folder without Project files is refused with its name.
        prompts.clear();
        prompts.folderAnswers << QPath(PathOf(outside.path()) / "Empty");
        clickEntry(0);
        QCOMPARE(prompts.errors(), QStringList{"Not a Project folder (no ParGen.xml and no frame "
                                               "list): " +
                                               QPath(PathOf(outside.path()) / "Empty")});
        QCOMPARE(list()->count(), 1);

        prompts.clear();
        prompts.folderAnswers << QPath(other);
        clickEntry(0);
        QVERIFY(prompts.errors().isEmpty());
        QCOMPARE(list()->count(), 2);
        QCOMPARE(list()->item(0)->text(), QPath(other));
        QCOMPARE(list()->currentRow(), 0);
        QCOMPARE(w->findChild<QLabel*>("L_Result")->text().left(13), QString("Differences: "));
        QCOMPARE(
            RowTexts(table(), 0).mid(0, 4),
            (QStringList{"Receive frames", "only in this Project", "2", "0x101 2.0A (11 bits)"}));
        // Chosen again, by keyboard: listed once. The arrow key alone opens nothing.
        prompts.clear();
        prompts.folderAnswers << QPath(other);
        QTest::keyClick(list(), Qt::Key_Down);
        QCOMPARE(list()->currentRow(), 1);
        QVERIFY(prompts.calls.isEmpty());
        QCOMPARE(table()->rowCount(), 0);
        QTest::keyClick(list(), Qt::Key_Return);
        QCOMPARE(prompts.calls.size(), 1);
        QCOMPARE(list()->count(), 2);
        QCOMPARE(list()->currentRow(), 0);
        QVERIFY(table()->rowCount() > 0);
    }
};

QTEST_MAIN(TstCompareProjects)
#include "tst_compareProjects.moc"
