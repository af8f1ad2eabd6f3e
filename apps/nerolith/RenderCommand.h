#pragma once

#include <CLI/CLI.hpp>

#include <functional>

namespace Nerolith::Cli {

// "render RECORDING --view NAME -o FILE.(png|svg|pdf) [detection] [units]
// [views] [--size WxH]": analyses the recording with the one view open and
// writes the view's picture. `guarded` runs the command body and turns its
// errors into the program's message and exit status.
void AddRenderCommand(CLI::App& app, std::function<void(std::function<void()>)> guarded);

} // namespace Nerolith::Cli
