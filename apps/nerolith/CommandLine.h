#pragma once

#include <CLI/CLI.hpp>

namespace Nerolith::Cli {

// Adds every command of the program to `app`; each runs as its subcommand
// is parsed.
void AddCommands(CLI::App& app);

// The exit status of the command that ran: 0 success, 1 bad input or a
// failed operation.
int ExitCode();

} // namespace Nerolith::Cli
