#include "cli/Commands.h"

#include "base/FileUtil.h"
#include "lang/LanguageFile.h"

#include <iostream>
#include <memory>
#include <string>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace kt::cli {
namespace {

// The template carries its own CR LF; text mode on Windows would double the CRs.
void BinaryStdout() {
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);
#endif
}

void PrintTemplate() {
    const std::string text = LanguageTemplate(LanguageTable::English());
    BinaryStdout();
    std::cout.write(text.data(), static_cast<std::streamsize>(text.size()));
    std::cout.flush();
}

void PrintLine(const LanguageCheckLine& l) {
    std::cout << "line " << l.lineNumber << ": ";
    const LangLine& r = l.result;
    if (!r.sets()) {
        std::cout << "skipped, " << LangLineSkipName(r.skip);
        if (r.skip == LangLineSkip::IdOutOfRange) std::cout << " (" << r.id << ")";
        std::cout << "\n";
        return;
    }
    // Pilcrows around the text make its blanks visible.
    std::cout << "sets " << r.id << " = \xC2\xB6" << r.text << "\xC2\xB6";
    if (r.droppedNonBlank) std::cout << " (no blank before \"=\": its last character was dropped)";
    if (l.replacesLine != 0) std::cout << " (replaces line " << l.replacesLine << ")";
    std::cout << "\n";
}

void RunCheck(const std::string& file) {
    const Result<LanguageCheckReport> checked = CheckLanguageFile(PathFromUtf8(file));
    if (!checked) {
        std::cerr << "kt52903-cli: " << checked.status.message << "\n";
        throw CLI::RuntimeError(1);
    }
    const LanguageCheckReport& report = checked.value;
    for (const LanguageCheckLine& l : report.lines)
        PrintLine(l);
    std::cout << "summary: " << report.lines.size() << " lines, " << report.setTexts
              << " set texts (" << report.distinctIds << " distinct IDs), "
              << report.skippedTextLines << " skipped text lines, " << report.otherLines
              << " lines without STR\n";
}

} // namespace

void AddLanguageCommands(CLI::App& app) {
    app.add_subcommand("lang-template",
                       "Write a language file holding every English text to standard output")
        ->callback(PrintTemplate);

    auto file = std::make_shared<std::string>();
    CLI::App* check = app.add_subcommand(
        "lang-check", "Tell for each line of a language file what it sets or why it is skipped");
    check->add_option("FILE", *file, "language file (.lng)")->required();
    check->callback([file] { RunCheck(*file); });
}

} // namespace kt::cli
