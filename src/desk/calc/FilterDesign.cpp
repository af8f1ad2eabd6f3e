#include "desk/calc/FilterDesign.h"

#include <cmath>

#include "platform/text/ShortestNumber.h"

namespace Desk {

std::string FilterDesign::Problem(double sampleRate) const
{
    const double nyquist = sampleRate / 2.0;
    if (order < 1 || order > kMaxOrder) {
        return "the order must lie between 1 and " + std::to_string(kMaxOrder);
    }
    if (!(low > 0.0) || !std::isfinite(low)) {
        return "the lower edge must be above 0 Hz";
    }
    if (high && !(*high > low)) {
        return "the upper edge must lie above the lower one";
    }
    const double top = high.value_or(low);
    if (!(top < nyquist)) {
        return "the edges must lie below half the sample rate (" + VEX::ShortestNumber(nyquist) + " Hz)";
    }
    return {};
}

std::string FilterDesign::Describe() const
{
    const std::string band = high ? VEX::ShortestNumber(low) + "-" + VEX::ShortestNumber(*high) + " Hz"
                                   : "from " + VEX::ShortestNumber(low) + " Hz";
    std::string text = band + ", Butterworth order " + std::to_string(order) + (causal ? ", causal" : ", zero-phase");
    if (!reference.empty()) {
        text += medianReference ? ", less the median of channels " : ", less the mean of channels ";
        for (std::size_t i = 0; i < reference.size(); ++i) {
            if (i > 0) {
                text += ',';
            }
            text += std::to_string(std::int64_t{reference[i]} + 1);
        }
    }
    return text;
}

} // namespace Desk
