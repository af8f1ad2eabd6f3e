#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace Desk {

// One node of a parsed expression. Columns are 1-based offsets into the
// text, so messages can point at the offending place.
struct Expression {
    enum class Kind { Channel, Number, Name, Call };

    Kind kind = Kind::Number;
    std::size_t column = 1;
    std::int32_t channel = 0; // 0-based; Kind::Channel
    bool negated = false;     // Kind::Channel written as "-chN"
    double number = 0.0;      // Kind::Number
    std::u16string name;      // Kind::Name and Kind::Call
    std::vector<Expression> arguments;
};

// An expression that cannot be parsed or evaluated; the message says what
// is wrong and where.
class ExpressionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace Desk
