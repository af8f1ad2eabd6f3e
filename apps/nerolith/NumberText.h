#pragma once

#include <charconv>
#include <string>

namespace Nerolith::Cli {

// The shortest text that reads back to the same double.
inline std::string Shortest(double value)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

} // namespace Nerolith::Cli
