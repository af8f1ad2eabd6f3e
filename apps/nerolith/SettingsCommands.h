#pragma once

#include <CLI/CLI.hpp>

#include <functional>

namespace Nerolith::Cli {

// "settings dump FILE" and "settings encode JSON -o FILE": the module's
// settings stream as JSON and back. `guarded` runs a command body and turns
// its errors into the program's message and exit status.
void AddSettingsCommands(CLI::App& app, std::function<void(std::function<void()>)> guarded);

} // namespace Nerolith::Cli
