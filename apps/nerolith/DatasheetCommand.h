#pragma once

#include <CLI/CLI.hpp>

#include <filesystem>
#include <functional>
#include <ostream>

#include "desk/runtime/Session.h"

namespace Nerolith::Cli {

// "datasheet RECORDING [detection] [units] [views] [--doc FILE]": analyses
// the recording with the views asked for open and prints the Data Sheet of
// its source channel. `guarded` runs the command body and turns its errors
// into the program's message and exit status.
void AddDatasheetCommand(CLI::App& app, std::function<void(std::function<void()>)> guarded);

// The Data Sheet of the session's document for its source channel: the
// header "name	value	units", then one line per function in index order.
void WriteDataSheet(Desk::Session& session, std::ostream& out);
// The same, into a file (datasheet.tsv of the analyse command's outputs).
void WriteDataSheetFile(Desk::Session& session, const std::filesystem::path& path);

} // namespace Nerolith::Cli
