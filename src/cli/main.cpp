// kt52903-cli: the configurator's core from the command line, for batch work and CI.

#include "base/Identity.h"
#include "cli/Commands.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <iostream>

namespace {

// A full disk or a closed pipe must not pass for success: standard output is flushed and
// closed here, and its failure turns the exit code into `failure`, the command's code for an
// error (diff keeps 1 for "different").
int FinishOutput(int code, int failure) {
    errno = 0;
    std::cout.flush();
    bool failed = std::cout.fail();
    int err = errno;
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        failed = true;
        if (errno) err = errno;
    }
    if (std::fclose(stdout) != 0 && !failed) {
        failed = true;
        err = errno;
    }
    if (!failed) return code;
    std::cerr << "kt52903-cli: cannot write the standard output: "
              << (err ? std::strerror(err) : "write error") << "\n";
    return failure;
}

} // namespace

int main(int argc, char** argv) {
    CLI::App app{std::string(kt::SwCode) + " " + kt::SwDescription + " - command-line tool",
                 "kt52903-cli"};
    app.require_subcommand(1);
    // Options are "-o"/"--name" everywhere; on Windows CLI11 would otherwise take a path
    // such as "/projects/Plant1" for a "/option" and drop it. Set before the subcommands
    // are added, which inherit it.
    app.allow_windows_style_options(false);
    app.set_version_flag("--version", std::string(kt::SwCode) + " " + kt::SwVersion);
    kt::cli::AddLanguageCommands(app);
    kt::cli::AddProjectCommands(app);
    kt::cli::AddHandoverCommand(app);
    kt::cli::AddDbcCommands(app);
    const auto failure = [&app] { return app.got_subcommand("diff") ? 2 : 1; };
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e);
        // diff keeps 1 for "different"; its usage errors are errors.
        if (code != 0 && !dynamic_cast<const CLI::RuntimeError*>(&e) && app.got_subcommand("diff"))
            return FinishOutput(2, 2);
        return FinishOutput(code, failure());
    } catch (const std::exception& e) {
        std::cerr << "kt52903-cli: " << e.what() << "\n";
        return FinishOutput(2, 2);
    }
    return FinishOutput(0, failure());
}
