#include "NoiseThreshold.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <stdexcept>
#include <vector>

#include "platform/text/ShortestNumber.h"

namespace Nerolith::Cli {
namespace {

// median(|x|) / 0.6745 estimates the noise's standard deviation, little
// moved by the spikes themselves.
constexpr double kMadScale = 0.6745;

std::optional<double> Number(const std::string& text)
{
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

void AppendAbsolute(IEnumSamples& samples, std::int64_t count, std::vector<float>& out)
{
    std::vector<float> chunk(1 << 16);
    while (count > 0) {
        const auto wanted = static_cast<std::uint32_t>(std::min<std::int64_t>(count, std::ssize(chunk)));
        std::uint32_t fetched = 0;
        const HRESULT hr = samples.Next(wanted, chunk.data(), &fetched);
        std::transform(chunk.begin(), chunk.begin() + fetched, std::back_inserter(out),
                       [](float value) { return std::abs(value); });
        count -= fetched;
        if (hr != S_OK || fetched == 0) {
            return;
        }
    }
}

// Four significant digits: the summary is read by people.
std::string Significant(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.4g", value);
    return text;
}

} // namespace

const char* const kThresholdHelp =
    "Detection threshold: V in channel units, or Nsd for N noise sigmas (sigma = median(|x|)/0.6745 of the "
    "channel, filtered when --filter is given, over the analysed range). Under --polarity positive a spike "
    "rises to V or above; under --polarity negative the channel is inverted first, so V (positive) detects "
    "troughs at -V or below, and Nsd means N sigmas below zero";

ThresholdOption ThresholdOption::Parse(const std::string& text)
{
    ThresholdOption option;
    if (text.size() > 2 && text.ends_with("sd")) {
        option.sigmas = Number(text.substr(0, text.size() - 2));
        if (option.sigmas && *option.sigmas > 0.0) {
            return option;
        }
    } else if ((option.value = Number(text))) {
        return option;
    }
    throw std::runtime_error("--threshold " + text + ": expected a value in channel units or Nsd (N > 0)");
}

double NoiseSigma(Desk::Session& session, std::int32_t channel, Host::Position start, Host::Position end)
{
    ComPtr<IHostCalc> calc;
    session.Host().GetCalc(calc.Put());
    const Desk::Recording& data = session.Host().Data();
    std::vector<float> magnitudes;
    for (std::int32_t block = start.block; block <= end.block && block < data.BlockCount(); ++block) {
        const std::int32_t ticks = data.Ticks(channel, block);
        const std::int32_t from = block == start.block ? std::min(start.tick, ticks) : 0;
        const std::int32_t to = block == end.block ? std::min(end.tick, ticks) : ticks;
        ComPtr<IEnumSamples> samples;
        if (to <= from || Failed(calc->OpenSamples(channel, block, from, Host::kSampleRequest, samples.Put()))) {
            continue;
        }
        AppendAbsolute(*samples, to - from, magnitudes);
    }
    if (magnitudes.empty()) {
        throw std::runtime_error("--threshold: channel " + std::to_string(channel + 1) +
                                 " has no samples in the analysed range to measure its noise");
    }
    const auto middle = magnitudes.begin() + static_cast<std::ptrdiff_t>(magnitudes.size() / 2);
    std::nth_element(magnitudes.begin(), middle, magnitudes.end());
    return *middle / kMadScale;
}

NoiseThreshold MeasureNoiseThreshold(Desk::Session& session, std::int32_t channel, double sigmas, bool negative,
                                     bool inSelection)
{
    Host::Position start{0, 0};
    Host::Position end{std::numeric_limits<std::int32_t>::max(), session.Host().Data().BlockCount()};
    const auto& selection = session.Host().Selection().Current();
    if (inSelection && selection && selection->channel == channel) {
        start = selection->start;
        end = selection->end;
    }
    NoiseThreshold result;
    result.sigmas = sigmas;
    result.sigma = NoiseSigma(session, channel, start, end);
    result.threshold = sigmas * result.sigma;
    result.negative = negative;
    return result;
}

void PrintNoiseThreshold(const NoiseThreshold& threshold, std::ostream& out)
{
    const double level = threshold.negative ? -threshold.threshold : threshold.threshold;
    out << "threshold\t" << Significant(level) << " (" << VEX::ShortestNumber(threshold.sigmas) << " sd, sigma "
        << Significant(threshold.sigma) << ")\n";
}

} // namespace Nerolith::Cli
