// kt52903-cli: the configurator's core from the command line, for batch work and CI.

#include "base/Identity.h"
#include "cli/Commands.h"

#include <exception>
#include <iostream>

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
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e);
        // diff keeps 1 for "different"; its usage errors are errors.
        if (code != 0 && !dynamic_cast<const CLI::RuntimeError*>(&e) && app.got_subcommand("diff"))
            return 2;
        return code;
    } catch (const std::exception& e) {
        std::cerr << "kt52903-cli: " << e.what() << "\n";
        return 2;
    }
    return 0;
}
