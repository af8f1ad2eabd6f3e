#include "discriminator/Waveforms.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "host/IHostCalc.h"
#include "host/IHostRecording.h"
#include "platform/com/ComPtr.h"

namespace Nerolith {
namespace {

Waveform ReadOne(IHostCalc& calc, const SpikeWindow& window, double interval, Host::Position at)
{
    const auto before = static_cast<std::int32_t>(std::lround(window.pretrigger / interval));
    const auto length = static_cast<std::int32_t>(std::lround(window.total / interval));
    const std::int32_t start = std::max(0, at.tick - before);
    const std::int32_t count = length - (start - (at.tick - before));
    Waveform waveform{(start - at.tick) * interval * 1000.0, interval * 1000.0, {}};
    ComPtr<IEnumSamples> samples;
    if (count <= 0 || Failed(calc.OpenSamples(window.channel, at.block, start, Host::kSampleRequest, samples.Put())) ||
        !samples) {
        return waveform;
    }
    waveform.values.resize(static_cast<std::size_t>(count));
    std::uint32_t fetched = 0;
    if (Failed(samples->Next(static_cast<std::uint32_t>(count), waveform.values.data(), &fetched))) {
        fetched = 0;
    }
    waveform.values.resize(std::min<std::size_t>(fetched, waveform.values.size()));
    return waveform;
}

} // namespace

void WaveformSet::SetWaveforms(std::vector<Waveform> waveforms)
{
    waveforms_ = std::move(waveforms);
    NotifyPlotters();
}

std::vector<Waveform> ReadWaveforms(IHostCalc& calc, IHostRecording& recording, const SpikeWindow& window,
                                    const std::vector<Host::Position>& positions)
{
    std::map<std::int32_t, double> intervals;
    std::vector<Waveform> waveforms;
    waveforms.reserve(positions.size());
    for (const Host::Position& at : positions) {
        auto [found, added] = intervals.try_emplace(at.block, 0.0);
        if (added && Failed(recording.SampleInterval(window.channel, at.block, &found->second))) {
            found->second = 0.0;
        }
        waveforms.push_back(found->second > 0.0 ? ReadOne(calc, window, found->second, at) : Waveform{});
    }
    return waveforms;
}

std::optional<WaveformSample> NearestSample(const Waveform& waveform, double x)
{
    if (waveform.values.empty() || !(waveform.step > 0.0) || !std::isfinite(x)) {
        return std::nullopt;
    }
    const double position = std::floor((x - waveform.firstX + 0.5 * waveform.step) / waveform.step);
    if (position < 0.0 || position >= static_cast<double>(waveform.values.size())) {
        return std::nullopt;
    }
    const auto i = static_cast<std::size_t>(position);
    return WaveformSample{waveform.firstX + static_cast<double>(i) * waveform.step, waveform.values[i]};
}

} // namespace Nerolith
