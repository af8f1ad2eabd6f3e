#include <CLI/CLI.hpp>

#include <cstdio>
#include <exception>

#include "CommandLine.h"

int main(int argc, char** argv)
{
    CLI::App app{"Nerolith: extracellular spike detection, sorting and analysis", "nerolith"};
    app.require_subcommand(1);
    Nerolith::Cli::AddCommands(app, argc > 1 ? argv[1] : "");
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        return app.exit(error) == 0 ? 0 : 2;
    }
    return Nerolith::Cli::ExitCode();
}
