#pragma once
// The commissioning report as PDF, rendered by Qt's rich-text engine. Needs a running
// QGuiApplication (the command-line tool starts one on the offscreen platform).

#include "base/Status.h"

#include <string>
#include <vector>

namespace kt {

// A4 pages with page numbers. `generated` ("yyyy-MM-dd HH:mm", the report's date) becomes the
// PDF's creation date and seeds its document ID, so equal input gives equal bytes.
[[nodiscard]] Status RenderReportPdf(const std::string& html, const std::string& generated,
                                     std::string& pdf);

// One line of text as the PDF places it.
struct ReportLine {
    int page = 0;            // from 0
    int table = -1;          // the document's tables counted from 0; -1 outside a table
    int row = -1;            // the table's row
    bool splitsWord = false; // the next line of its paragraph goes on with the same word
    std::string text;        // UTF-8
};

// The lines of the report in document order, laid out and paginated as RenderReportPdf draws
// them, and the number of pages.
[[nodiscard]] Status LayOutReport(const std::string& html, std::vector<ReportLine>& lines,
                                  int& pages);

} // namespace kt
