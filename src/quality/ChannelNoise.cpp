#include "quality/ChannelNoise.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "host/IEnumSamples.h"
#include "platform/com/ComPtr.h"

namespace Nerolith {
namespace {

// median(|x|) / 0.6745 estimates the noise's standard deviation, little
// moved by the spikes themselves.
constexpr double kMadScale = 0.6745;

void AppendMagnitudes(IEnumSamples& samples, std::int64_t count, std::vector<float>& out)
{
    std::vector<float> chunk(1 << 16);
    while (count > 0) {
        const auto wanted = static_cast<std::uint32_t>(std::min<std::int64_t>(count, std::ssize(chunk)));
        std::uint32_t fetched = 0;
        const HRESULT hr = samples.Next(wanted, chunk.data(), &fetched);
        fetched = std::min(fetched, wanted);
        std::transform(chunk.begin(), chunk.begin() + fetched, std::back_inserter(out),
                       [](float value) { return std::abs(value); });
        count -= fetched;
        if (hr != S_OK || fetched == 0) {
            return;
        }
    }
}

} // namespace

double ChannelNoiseSigma(IHostCalc& calc, IHostRecording& recording, std::int32_t channel, Host::Position start,
                         Host::Position end)
{
    std::vector<float> magnitudes;
    for (std::int32_t block = start.block; block <= end.block && block < recording.BlockCount(); ++block) {
        std::int32_t ticks = 0;
        if (Failed(recording.ChannelTicks(channel, block, &ticks))) {
            continue;
        }
        const std::int32_t from = block == start.block ? std::clamp(start.tick, 0, ticks) : 0;
        const std::int32_t to = block == end.block ? std::clamp(end.tick, 0, ticks) : ticks;
        ComPtr<IEnumSamples> samples;
        if (to <= from || Failed(calc.OpenSamples(channel, block, from, Host::kSampleRequest, samples.Put()))) {
            continue;
        }
        AppendMagnitudes(*samples, to - from, magnitudes);
    }
    if (magnitudes.empty()) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    const auto middle = magnitudes.begin() + static_cast<std::ptrdiff_t>(magnitudes.size() / 2);
    std::nth_element(magnitudes.begin(), middle, magnitudes.end());
    return *middle / kMadScale;
}

} // namespace Nerolith
