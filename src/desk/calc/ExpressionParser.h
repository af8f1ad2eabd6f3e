#pragma once

#include <string_view>

#include "desk/calc/Expression.h"

namespace Desk {

// Parses the expression language: `chN` and `-chN` (1-based channels),
// numbers in the C locale, names, and calls `Name(arg, ...)`. Throws
// ExpressionError naming the column of the first fault.
Expression ParseExpression(std::u16string_view text);

} // namespace Desk
