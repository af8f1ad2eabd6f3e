#pragma once

#include <CLI/CLI.hpp>

namespace Nerolith::Cli {

// Refuses nan, inf and numbers too large for a double, which the number
// checks of CLI11 let through.
CLI::Validator FiniteNumber();

} // namespace Nerolith::Cli
