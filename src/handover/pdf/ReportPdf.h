#pragma once
// The commissioning report as PDF, rendered by Qt's rich-text engine. Needs a running
// QGuiApplication (the command-line tool starts one on the offscreen platform).

#include "base/Status.h"

#include <string>

namespace kt {

// A4 pages with page numbers. `generated` ("yyyy-MM-dd HH:mm", the report's date) becomes the
// PDF's creation date and seeds its document ID, so equal input gives equal bytes.
[[nodiscard]] Status RenderReportPdf(const std::string& html, const std::string& generated,
                                     std::string& pdf);

} // namespace kt
