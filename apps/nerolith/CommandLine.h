#pragma once

#include <CLI/CLI.hpp>

#include <string_view>

namespace Nerolith::Cli {

// Adds the program's commands to `app`; each runs as its subcommand is
// parsed. When `first` (the first word on the command line) names a
// command, only that one is added: setting up every command's options costs
// a tenth of a short run's start-up. Anything else (help, a mistyped name)
// gets them all, so help and errors list every command.
void AddCommands(CLI::App& app, std::string_view first);

// The exit status of the command that ran: 0 success, 1 bad input or a
// failed operation.
int ExitCode();

} // namespace Nerolith::Cli
