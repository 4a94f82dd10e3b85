// kt52903-report: draws the commissioning report's PDF for kt52903-cli, which so loads no Qt
// for its other commands. The report's HTML comes on standard input, the PDF goes to standard
// output:
//     kt52903-report --date "yyyy-mm-dd hh:mm" < report.html > report.pdf
// When the drawing fails it exits 1 with the message on standard output instead; 2 on wrong
// arguments, 3 when the PDF cannot be written out.

#include "handover/pdf/ReportPdf.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstring>
#include <string>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

bool WriteAll(const std::string& bytes) {
    return std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size() &&
           std::fflush(stdout) == 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3 || std::strcmp(argv[1], "--date") != 0) {
        std::fputs("usage: kt52903-report --date \"yyyy-mm-dd hh:mm\" < report.html > report.pdf\n",
                   stderr);
        return 2;
    }
#ifdef _WIN32
    (void)_setmode(_fileno(stdin), _O_BINARY);
    (void)_setmode(_fileno(stdout), _O_BINARY);
#endif
    const std::string generated = argv[2];
    std::string html;
    char buffer[1 << 16];
    while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, stdin))
        html.append(buffer, n);
    if (std::ferror(stdin)) {
        std::fputs("kt52903-report: cannot read the standard input\n", stderr);
        return 3;
    }

    // The offscreen platform: no display needed.
    static int qtArgc = 3;
    static char arg0[] = "kt52903-report", arg1[] = "-platform", arg2[] = "offscreen";
    static char* qtArgv[] = {arg0, arg1, arg2, nullptr};
    const QGuiApplication app(qtArgc, qtArgv);
    std::string pdf;
    if (const kt::Status s = kt::RenderReportPdf(html, generated, pdf); !s)
        return WriteAll(s.message) ? 1 : 3;
    if (!WriteAll(pdf)) {
        std::fputs("kt52903-report: cannot write the standard output\n", stderr);
        return 3;
    }
    return 0;
}
