#pragma once

#include <stdexcept>
#include <string>

#include "platform/Export.h"

namespace VEX {

// The one error type of the module: format errors and refusals, carrying the
// text shown to the user.
class PLATFORM_API XVEX : public std::runtime_error {
public:
    explicit XVEX(const std::string& message) : std::runtime_error(message) {}
};

} // namespace VEX
