#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace Nerolith::Cli {

// The recordings named on the command line: paths, "demo", and patterns
// ("data/*.json", quoted so the program expands them, as a cluster job
// does) in sorted order. A pattern that matches nothing is refused.
std::vector<std::string> ExpandRecordings(const std::vector<std::string>& arguments);

// One results folder per recording under `out`, named after the recording's
// file without its extension; a name taken already gets "-2", "-3", ...
std::vector<std::filesystem::path> ResultFolders(const std::vector<std::string>& recordings,
                                                 const std::filesystem::path& out);

} // namespace Nerolith::Cli
