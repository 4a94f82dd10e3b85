#include "handover/pdf/ReportPdf.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QDateTime>
#include <QGuiApplication>
#include <QHashSeed>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextTable>

#include <algorithm>
#include <memory>

namespace kt {

namespace {

// Qt stamps the PDF with the clock's UTC time; put the report's own date there instead. The
// text keeps its length, so the cross-reference offsets stay right.
void StampCreationDate(QByteArray& pdf, const std::string& generated) {
    const QDateTime local =
        QDateTime::fromString(QString::fromStdString(generated), "yyyy-MM-dd HH:mm");
    if (!local.isValid()) return;
    static const QByteArray key = "/CreationDate (D:";
    const qsizetype at = pdf.indexOf(key);
    if (at < 0) return;
    const qsizetype start = at + key.size();
    const qsizetype end = pdf.indexOf(')', start);
    const QByteArray stamp = local.toUTC().toString("yyyyMMddHHmmss").toLatin1() + "Z";
    if (end - start == stamp.size()) pdf.replace(start, stamp.size(), stamp);
}

// Tables of up to this many rows (key and value lists, the signatures) stay on one page.
constexpr int kWholeTableRows = 6;

// A stretch of the document that no page break may cut: a line of text, a table row, or a
// small table.
struct Unit {
    double top = 0, bottom = 0;
    bool keepWithNext = false; // a heading stays with what follows
    int table = -1;            // the table of a row
    bool pastHeader = false;   // a row below the table's header rows
};

struct TableBand {
    double headerTop = 0, headerBottom = 0; // the repeated header rows; equal when none
};

struct Page {
    double start = 0, end = 0;
    int headerTable = -1; // continues this table: its header rows are drawn first
};

QRectF CellRect(const QAbstractTextDocumentLayout& layout, const QTextTableCell& cell) {
    QRectF rect;
    for (auto it = cell.begin(); !it.atEnd(); ++it)
        if (const QTextBlock b = it.currentBlock(); b.isValid())
            rect = rect.united(layout.blockBoundingRect(b));
    return rect;
}

// The lines of the whole document, pages cut only between units. The document is laid out
// as one long page; pages are windows onto it.
class Paginator {
public:
    Paginator(QTextDocument& doc, double pageHeight) : doc_(doc), pageHeight_(pageHeight) {
        Collect();
        Cut();
    }
    [[nodiscard]] const std::vector<Page>& pages() const { return pages_; }
    [[nodiscard]] const std::vector<TableBand>& tables() const { return tables_; }
    [[nodiscard]] int pageAt(double y) const {
        for (std::size_t p = 0; p < pages_.size(); ++p)
            if (y < pages_[p].end) return int(p);
        return int(pages_.size()) - 1;
    }

private:
    void Collect() {
        const QAbstractTextDocumentLayout& layout = *doc_.documentLayout();
        QTextFrame* root = doc_.rootFrame();
        for (auto it = root->begin(); !it.atEnd(); ++it) {
            if (auto* table = qobject_cast<QTextTable*>(it.currentFrame())) {
                AddTable(layout, *table);
            } else if (const QTextBlock block = it.currentBlock(); block.isValid()) {
                const QRectF rect = layout.blockBoundingRect(block);
                const QTextLayout* lines = block.layout();
                const bool heading = block.blockFormat().headingLevel() > 0;
                for (int i = 0; i < lines->lineCount(); ++i) {
                    const QTextLine line = lines->lineAt(i);
                    const double top = rect.top() + line.y();
                    units_.push_back({top, top + line.height(), heading, -1, false});
                }
            }
        }
    }

    void AddTable(const QAbstractTextDocumentLayout& layout, QTextTable& table) {
        const QRectF frame = layout.frameBoundingRect(&table);
        const int rows = std::max(table.rows(), 0);
        // Row edges: halfway between one row's tallest cell and the next row's cells.
        std::vector<double> edge(std::size_t(rows) + 1, frame.top());
        edge[std::size_t(rows)] = frame.bottom();
        std::vector<double> top(std::size_t(rows), frame.bottom()), bottom(std::size_t(rows), 0);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < table.columns(); ++c) {
                const QTextTableCell cell = table.cellAt(r, c);
                if (!cell.isValid() || cell.row() != r) continue;
                const QRectF rect = CellRect(layout, cell);
                top[std::size_t(r)] = std::min(top[std::size_t(r)], rect.top());
                bottom[std::size_t(r)] = std::max(bottom[std::size_t(r)], rect.bottom());
            }
        for (int r = 1; r < rows; ++r)
            edge[std::size_t(r)] = (bottom[std::size_t(r) - 1] + top[std::size_t(r)]) / 2;
        const int header = std::min(table.format().headerRowCount(), rows);
        const int index = int(tables_.size());
        tables_.push_back({edge.front(), edge[std::size_t(header)]});
        if (rows <= kWholeTableRows) {
            units_.push_back({frame.top(), frame.bottom(), false, index, false});
            return;
        }
        // The header rows stay with the first row below them.
        const int first = std::min(header + 1, rows);
        units_.push_back({edge.front(), edge[std::size_t(first)], false, index, false});
        for (int r = first; r < rows; ++r)
            units_.push_back({edge[std::size_t(r)], edge[std::size_t(r) + 1], false, index, true});
    }

    void Cut() {
        Page page;
        int chain = -1; // first heading of a run of headings not yet followed by their content
        double header = 0;
        for (std::size_t i = 0; i < units_.size(); ++i) {
            const Unit& u = units_[i];
            if (u.bottom - page.start + header > pageHeight_ && u.top > page.start) {
                const std::size_t at = chain >= 0 && units_[std::size_t(chain)].top > page.start
                                           ? std::size_t(chain)
                                           : i;
                const Unit& first = units_[at];
                page.end = first.top;
                pages_.push_back(page);
                page = {first.top, 0, -1};
                header = 0;
                if (first.pastHeader) {
                    const TableBand& t = tables_[std::size_t(first.table)];
                    if (t.headerBottom > t.headerTop) {
                        page.headerTable = first.table;
                        header = t.headerBottom - t.headerTop;
                    }
                }
            }
            chain = u.keepWithNext ? (chain >= 0 ? chain : int(i)) : -1;
        }
        page.end = std::max(page.start, doc_.size().height());
        pages_.push_back(page);
    }

    QTextDocument& doc_;
    double pageHeight_;
    std::vector<Unit> units_;
    std::vector<TableBand> tables_;
    std::vector<Page> pages_;
};

// The report laid out for the writer's paint area, less a footer with the title and
// "page / pages".
struct Report {
    QTextDocument doc;
    double width = 0, pageHeight = 0, footer = 0;
    std::unique_ptr<Paginator> pages;

    Report(const std::string& html, QPagedPaintDevice& device, double dotsPerMm) {
        width = device.width();
        footer = 8 * dotsPerMm;
        pageHeight = device.height() - footer;
        doc.documentLayout()->setPaintDevice(&device);
        doc.setDocumentMargin(0);
        // Lines break between words only: an identifier, number or word is never cut in two.
        QTextOption option = doc.defaultTextOption();
        option.setWrapMode(QTextOption::WordWrap);
        doc.setDefaultTextOption(option);
        // The width first: the document is laid out as the HTML comes in, and a width set
        // afterwards would lay it all out a second time.
        doc.setTextWidth(width);
        doc.setHtml(QString::fromUtf8(html.data(), qsizetype(html.size())));
        pages = std::make_unique<Paginator>(doc, pageHeight);
    }
};

bool PrintPages(Report& report, QPdfWriter& writer, const QString& title) {
    const double mm = writer.resolution() / 25.4;
    const std::vector<Page>& pages = report.pages->pages();
    const double width = report.width;
    QPainter painter;
    if (!painter.begin(&writer)) return false;
    QFont small = report.doc.defaultFont();
    small.setPointSizeF(7.5);
    // A page that begins with a cut shows the border above its first line.
    const double border = 1;
    for (std::size_t p = 0; p < pages.size(); ++p) {
        const Page& page = pages[p];
        if (p > 0) writer.newPage();
        double y = 0;
        if (page.headerTable >= 0) {
            const TableBand& t = report.pages->tables()[std::size_t(page.headerTable)];
            painter.save();
            painter.translate(0, border - t.headerTop);
            report.doc.drawContents(&painter, QRectF(0, t.headerTop - border, width,
                                                     t.headerBottom - t.headerTop + border));
            painter.restore();
            y = t.headerBottom - t.headerTop + border;
        }
        painter.save();
        painter.translate(0, y - page.start);
        const double top = page.start - (page.headerTable >= 0 ? 0 : border);
        const double bottom = page.end;
        report.doc.drawContents(&painter, QRectF(0, top, width, bottom - top));
        painter.restore();

        const double line = report.pageHeight + 2 * mm;
        painter.setPen(QPen(QColor(0xA0, 0xA0, 0xA0), 0.2 * mm));
        painter.drawLine(QPointF(0, line), QPointF(width, line));
        painter.setPen(Qt::black);
        painter.setFont(small);
        const QRectF text(0, line + 1 * mm, width, report.footer - 3 * mm);
        painter.drawText(text, Qt::AlignLeft | Qt::AlignTop, title);
        painter.drawText(text, Qt::AlignRight | Qt::AlignTop,
                         QString("%1 / %2").arg(p + 1).arg(pages.size()));
    }
    return painter.end();
}

void SetUpWriter(QPdfWriter& writer) {
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(15, 15, 15, 18), QPageLayout::Millimeter);
    // CSS pixels are 1/96 inch in browsers; the same here keeps paddings alike in both.
    writer.setResolution(96);
}

Status NeedsGui() {
    return Status::io("The PDF report needs the graphical system, which is not running");
}

} // namespace

Status RenderReportPdf(const std::string& html, const std::string& generated, std::string& pdf) {
    if (!QGuiApplication::instance()) return NeedsGui();
    // The writer keeps its fonts in a hash; a fixed seed gives them the same order every run.
    QHashSeed::setDeterministicGlobalSeed();
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        SetUpWriter(writer);
        Report report(html, writer, writer.resolution() / 25.4);
        const QString title = report.doc.metaInformation(QTextDocument::DocumentTitle);
        writer.setTitle(title);
        if (!PrintPages(report, writer, title))
            return Status::io("The PDF report could not be drawn");
    }
    QHashSeed::resetRandomGlobalSeed();
    StampCreationDate(bytes, generated);
    pdf.assign(bytes.constData(), std::size_t(bytes.size()));
    return Status::success();
}

Status LayOutReport(const std::string& html, std::vector<ReportLine>& lines, int& pages) {
    lines.clear();
    pages = 0;
    if (!QGuiApplication::instance()) return NeedsGui();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    SetUpWriter(writer);
    const Report report(html, writer, writer.resolution() / 25.4);
    const QAbstractTextDocumentLayout& layout = *report.doc.documentLayout();
    std::vector<QTextTable*> tables;
    for (auto it = report.doc.rootFrame()->begin(); !it.atEnd(); ++it)
        if (auto* t = qobject_cast<QTextTable*>(it.currentFrame())) tables.push_back(t);
    for (QTextBlock block = report.doc.begin(); block.isValid(); block = block.next()) {
        const QRectF rect = layout.blockBoundingRect(block);
        const QString text = block.text();
        QTextTable* table = QTextCursor(block).currentTable();
        const auto found = std::find(tables.begin(), tables.end(), table);
        const int index = table && found != tables.end() ? int(found - tables.begin()) : -1;
        const int row = table ? table->cellAt(block.position()).row() : -1;
        const QTextLayout* textLayout = block.layout();
        for (int i = 0; i < textLayout->lineCount(); ++i) {
            const QTextLine line = textLayout->lineAt(i);
            ReportLine out;
            out.page = report.pages->pageAt(rect.top() + line.y() + line.height() / 2);
            out.table = index;
            out.row = row;
            const int end = line.textStart() + line.textLength();
            out.splitsWord = i + 1 < textLayout->lineCount() && end > 0 && end < text.size() &&
                             text[end - 1].isLetterOrNumber() && text[end].isLetterOrNumber();
            out.text = text.mid(line.textStart(), line.textLength()).toStdString();
            lines.push_back(std::move(out));
        }
    }
    pages = int(report.pages->pages().size());
    return Status::success();
}

} // namespace kt
