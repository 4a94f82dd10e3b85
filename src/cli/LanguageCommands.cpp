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

constexpr const char* kDroppedHint = " (no blank before \"=\": its last character was dropped)";

// To standard output, or to `file` byte for byte so that no shell re-encodes it.
void PrintTemplate(const std::string& file) {
    const std::string text = LanguageTemplate(LanguageTable::English());
    if (!file.empty()) {
        if (const Status st = WriteFileAtomic(PathFromUtf8(file), text); !st)
            Fail("kt52903-cli: " + st.message);
        return;
    }
    BinaryStdout();
    std::cout.write(text.data(), static_cast<std::streamsize>(text.size()));
    std::cout.flush();
}

void PrintLine(const LanguageCheckLine& l) {
    std::cout << "line " << l.lineNumber << ": ";
    const LangLine& r = l.result;
    if (!r.sets()) {
        std::cout << "skipped, " << LangLineSkipName(r.skip);
        if (r.skip == LangLineSkip::IdOutOfRange) std::cout << " (" << r.idText << ")";
        // "STR5=" loses its only digit: the same cause as "STR12=" reading as ID 1.
        if (r.skip == LangLineSkip::BadId && r.droppedNonBlank) std::cout << kDroppedHint;
        std::cout << "\n";
        return;
    }
    // Pilcrows around the text make its blanks visible.
    std::cout << "sets " << r.id << " = \xC2\xB6" << r.text << "\xC2\xB6";
    if (r.droppedNonBlank) std::cout << kDroppedHint;
    if (l.replacesLine != 0) std::cout << " (replaces line " << l.replacesLine << ")";
    std::cout << "\n";
}

void RunCheck(const std::string& file, bool strict) {
    const Result<LanguageCheckReport> checked = CheckLanguageFile(PathFromUtf8(file));
    if (!checked) Fail("kt52903-cli: " + checked.status.message);
    const LanguageCheckReport& report = checked.value;
    for (const LanguageCheckLine& l : report.lines)
        PrintLine(l);
    std::cout << "summary: " << report.lines.size() << " lines, " << report.setTexts
              << " set texts (" << report.distinctIds << " distinct IDs), "
              << report.skippedTextLines << " skipped text lines, " << report.otherLines
              << " lines without STR\n";
    if (strict && report.skippedTextLines > 0) throw CLI::RuntimeError(1);
}

} // namespace

void AddLanguageCommands(CLI::App& app) {
    auto output = std::make_shared<std::string>();
    CLI::App* tpl = app.add_subcommand(
        "lang-template", "Write a language file holding every English text to standard output; "
                         "texts the windows show name their window in a /#/ comment");
    tpl->add_option("-o,--output", *output, "write to this file instead");
    tpl->callback([output] { PrintTemplate(*output); });

    auto file = std::make_shared<std::string>();
    auto strict = std::make_shared<bool>(false);
    CLI::App* check = app.add_subcommand(
        "lang-check", "Tell for each line of a language file what it sets or why it is skipped");
    check->add_option("FILE", *file, "language file (.lng)")->required();
    check->add_flag("--strict", *strict, "exit 1 when a line beginning with STR was skipped");
    check->callback([file, strict] { RunCheck(*file, *strict); });
}

} // namespace kt::cli
