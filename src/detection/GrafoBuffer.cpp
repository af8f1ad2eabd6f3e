#include "detection/GrafoBuffer.h"

#include <algorithm>
#include <limits>

namespace Nerolith {

GrafoBuffer::GrafoBuffer(IHostCalc* calc, std::int32_t channel) : calc_(calc), channel_(channel)
{
}

bool GrafoBuffer::Fill(std::vector<float>& samples, std::int32_t startTick, std::int32_t block)
{
    std::fill(samples.begin(), samples.end(), 0.0f);
    const std::size_t n = samples.size();
    const std::size_t leading = startTick < 0 ? std::min<std::size_t>(n, -std::int64_t{startTick}) : 0;
    if (leading == n) {
        return true;
    }
    ComPtr<IEnumSamples> source;
    if (!calc_ || Failed(calc_->OpenSamples(channel_, block, std::max(startTick, 0), Host::kSampleRequest,
                                            source.Put())) ||
        !source) {
        samples.clear();
        return false;
    }
    for (std::size_t filled = leading; filled < n;) {
        const auto wanted = static_cast<std::uint32_t>(
            std::min<std::size_t>(n - filled, std::numeric_limits<std::uint32_t>::max()));
        std::uint32_t fetched = 0;
        const HRESULT hr = source->Next(wanted, samples.data() + filled, &fetched);
        filled += std::min(fetched, wanted);
        if (hr != S_OK || fetched == 0) {
            break;
        }
    }
    return true;
}

} // namespace Nerolith
