#pragma once

#include <string>
#include <vector>

namespace Nerolith {

// Tick marks of a figure's axis: round values (1, 2 or 5 times a power of
// ten apart) inside [minimum, maximum], and their texts in as many decimals
// as the step needs.
struct FigureTicks {
    std::vector<double> values;
    std::vector<std::u16string> texts;
};

// At most `most` ticks (at least two where the range allows).
FigureTicks NiceTicks(double minimum, double maximum, int most);

} // namespace Nerolith
