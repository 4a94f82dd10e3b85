// The editor windows in every shipped language: no caption clipped, nothing outside the
// window, buttons side by side with a gap between them.

#include "FakePrompts.h"
#include "ProjectFixture.h"
#include "core/UCompareProjects.h"
#include "editors/UCAN_Bytes_SWAP.h"
#include "editors/UComon.h"
#include "editors/UImportDbc.h"
#include "editors/UParGen.h"
#include "editors/UReceiveCAN.h"
#include "editors/UTransmitCAN.h"
#include "lang/LanguageFile.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include <memory>

using namespace kt;
using namespace kt::test;

namespace {

const std::filesystem::path kShipped =
    std::filesystem::path(KT_FIXTURES_DIR) / ".." / ".." / "src" / "lang" / "shipped";

QString Describe(const QWidget* w) {
    return QString("%1 \"%2\"").arg(w->objectName(), w->property("text").toString());
}

// Captions that are cut or reach outside the window.
QStringList Clipped(QWidget& window) {
    QStringList out;
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (!w->isVisibleTo(&window) ||
            !(qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w)))
            continue;
        if (w->property("text").toString().isEmpty()) continue;
        if (w->width() < w->sizeHint().width()) out << Describe(w) + " is cut";
        const QRect inWindow(w->mapTo(&window, QPoint(0, 0)), w->size());
        if (!window.rect().contains(inWindow)) out << Describe(w) + " is outside the window";
    }
    return out;
}

// Push buttons of one parent that overlap or touch (less than 4 pixels apart).
QStringList Crowded(QWidget& window) {
    QStringList out;
    const QList<QPushButton*> buttons = window.findChildren<QPushButton*>();
    for (int i = 0; i < buttons.size(); ++i)
        for (int j = i + 1; j < buttons.size(); ++j) {
            QPushButton* a = buttons[i];
            QPushButton* b = buttons[j];
            if (a->parent() != b->parent() || !a->isVisibleTo(&window) || !b->isVisibleTo(&window))
                continue;
            if (a->geometry().adjusted(-2, 0, 2, 0).intersects(b->geometry().adjusted(-2, 0, 2, 0)))
                out << Describe(a) + " and " + Describe(b) + " touch";
        }
    return out;
}

// Column headers whose text does not fit the column (the stretched last one aside).
QStringList CutHeaders(QTableView& grid) {
    QStringList out;
    const QHeaderView* header = grid.horizontalHeader();
    const QFontMetrics fm(header->font());
    for (int c = 0; c + 1 < header->count(); ++c) {
        const QString text = grid.model()->headerData(c, Qt::Horizontal).toString();
        if (fm.horizontalAdvance(text) + 8 > header->sectionSize(c)) out << "header " + text;
    }
    return out;
}

} // namespace

class TstEditorLayout : public QObject {
    Q_OBJECT

    std::unique_ptr<ProjectFixture> fx;
    FakePrompts prompts;

    void show(QWidget& w) {
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
    }
    void check(QWidget& w) {
        const QStringList problems = Clipped(w) + Crowded(w);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join("; ")));
    }

private slots:
    void initTestCase_data() {
        QTest::addColumn<QString>("language");
        for (const char* l : {"English", "Deutsch", "Francais", "Italiano", "Espanol"})
            QTest::newRow(l) << l;
    }
    void init() {
        QFETCH_GLOBAL(QString, language);
        fx = std::make_unique<ProjectFixture>();
        std::string name = language.toStdString();
        QVERIFY(Load_Language(kShipped, name, fx->state.Lang).ok());
        QCOMPARE(QString::fromStdString(name), language);
        prompts.clear();
    }

    void communicationSettings() {
        TFParGen d(fx->state, prompts);
        show(d);
        check(d);
    }

    void frameLists() {
        struct NoSwap final : SwapEditor {
            std::optional<std::uint8_t> Edit_Swap(std::uint8_t) override { return {}; }
        } swap;
        TFReceiveCAN rx(fx->state, prompts, swap);
        show(rx);
        check(rx);
        QStringList cut = CutHeaders(*rx.Grid());
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join("; ")));
        rx.hide();
        TFTransmitCAN tx(fx->state, prompts, swap);
        show(tx);
        check(tx);
        cut = CutHeaders(*tx.Grid());
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join("; ")));
    }

    void importAndCompareWindows() {
        const Result<DbcDatabase> read =
            ParseDbc("BU_: A B\nBO_ 1 M: 8 A\n SG_ S : 0|8@1+ (1,0) [0|1] \"\" B\n");
        QVERIFY(read.ok());
        const DbcDatabase& db = read.value;
        const FrameList list(FrameKind::Receive);
        TFImportDbc import(fx->state, prompts, db, "plant.dbc", list);
        show(import);
        check(import);
        import.hide();
        TFCompareProjects compare(fx->state, prompts);
        show(compare);
        check(compare);
    }

    void byteSwapEditor() {
        TFCAN_Bytes_SWAP d(fx->state);
        d.setValue(0xC0);
        show(d);
        check(d);
    }
};

QTEST_MAIN(TstEditorLayout)
#include "tst_editorLayout.moc"
