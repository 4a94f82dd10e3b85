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
#include <QTextDocument>

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

// The document in pages of the writer's paint area, less a footer with the title and
// "page / pages" (QTextDocument::print would add 2 cm margins of its own instead).
bool PrintPages(QTextDocument& doc, QPdfWriter& writer, const QString& title) {
    const double mm = writer.resolution() / 25.4;
    const QSizeF area(writer.width(), writer.height());
    const double footer = 8 * mm;
    doc.setPageSize(QSizeF(area.width(), area.height() - footer));
    const int pages = doc.pageCount();
    const double pageHeight = doc.pageSize().height();

    QPainter painter;
    if (!painter.begin(&writer)) return false;
    QFont small = doc.defaultFont();
    small.setPointSizeF(7.5);
    for (int page = 0; page < pages; ++page) {
        if (page > 0) writer.newPage();
        painter.save();
        painter.translate(0, -page * pageHeight);
        doc.drawContents(&painter, QRectF(0, page * pageHeight, area.width(), pageHeight));
        painter.restore();

        const double top = area.height() - footer + 2 * mm;
        painter.setPen(QPen(QColor(0xA0, 0xA0, 0xA0), 0.2 * mm));
        painter.drawLine(QPointF(0, top), QPointF(area.width(), top));
        painter.setPen(Qt::black);
        painter.setFont(small);
        const QRectF line(0, top + 1 * mm, area.width(), footer - 3 * mm);
        painter.drawText(line, Qt::AlignLeft | Qt::AlignTop, title);
        painter.drawText(line, Qt::AlignRight | Qt::AlignTop,
                         QString("%1 / %2").arg(page + 1).arg(pages));
    }
    return painter.end();
}

} // namespace

Status RenderReportPdf(const std::string& html, const std::string& generated, std::string& pdf) {
    if (!QGuiApplication::instance())
        return Status::io("The PDF report needs the graphical system, which is not running");
    // The writer keeps its fonts in a hash; a fixed seed gives them the same order every run.
    QHashSeed::setDeterministicGlobalSeed();
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(15, 15, 15, 18), QPageLayout::Millimeter);
        // CSS pixels are 1/96 inch in browsers; the same here keeps paddings alike in both.
        writer.setResolution(96);
        QTextDocument doc;
        doc.documentLayout()->setPaintDevice(&writer);
        doc.setDocumentMargin(0);
        doc.setHtml(QString::fromUtf8(html.data(), qsizetype(html.size())));
        const QString title = doc.metaInformation(QTextDocument::DocumentTitle);
        writer.setTitle(title);
        if (!PrintPages(doc, writer, title)) return Status::io("The PDF report could not be drawn");
    }
    QHashSeed::resetRandomGlobalSeed();
    StampCreationDate(bytes, generated);
    pdf.assign(bytes.constData(), std::size_t(bytes.size()));
    return Status::success();
}

} // namespace kt
