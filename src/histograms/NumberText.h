#pragma once

#include <cstdint>
#include <string>

namespace Nerolith {

// Numbers as a default-formatted C++ stream writes them: six significant
// digits, fixed or scientific as fits ("0.01", "1e-07", "3").
std::u16string DefaultNumber(double value);
// Fixed notation with the given number of decimals ("0.0125").
std::u16string FixedNumber(double value, int decimals);
// A whole number in decimal digits ("-12").
std::u16string WholeNumber(std::int64_t value);

} // namespace Nerolith
