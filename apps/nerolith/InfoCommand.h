#pragma once

#include <CLI/CLI.hpp>

#include <functional>
#include <nlohmann/json.hpp>

#include "desk/recording/Recording.h"

namespace Nerolith::Cli {

// "info RECORDING [--json]": the recording's format, channels (title, unit,
// rate, ticks per block), blocks (start, duration) and event sources with
// their counts. `guarded` runs the command body and turns its errors into
// the program's message and exit status.
void AddInfoCommand(CLI::App& app, std::function<void(std::function<void()>)> guarded);

// What info prints, as JSON.
nlohmann::ordered_json RecordingInfo(const Desk::Recording& recording);

} // namespace Nerolith::Cli
