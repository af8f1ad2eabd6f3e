#pragma once

namespace Nerolith {

// The smallest bin size a view accepts.
inline constexpr double kSmallestBinSize = 0.0000001;

// The bin size steps of the toolbar: 1, 2 and 5 times a power of ten. From
// 0.01 up: 0.02, 0.05, 0.1; down: 0.005, 0.002, 0.001. A size between the
// steps goes to the next step each way (0.03: up 0.05, down 0.02).
double NextLargerBinSize(double binSize);
// Never below kSmallestBinSize.
double NextSmallerBinSize(double binSize);
// The decrease is offered only above the smallest size.
bool CanDecreaseBinSize(double binSize);

} // namespace Nerolith
