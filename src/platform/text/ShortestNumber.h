#pragma once

#include <charconv>
#include <string>

namespace VEX {

// The shortest text that reads back to the same double, in the C locale;
// what scripts, tables and settings texts write numbers as.
inline std::string ShortestNumber(double value)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

// The same for a value stored as a float: the shortest text that reads back
// to that float (0.4f prints 0.4, not its widened double).
inline std::string ShortestNumber(float value)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

} // namespace VEX
