// Recomputing every unit's quality figures for 100,000 spikes in 20 units,
// as the document does after each contour edit (goal: under 50 ms).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

#include "quality/UnitQualityTable.h"

namespace {

using namespace Nerolith;

constexpr std::size_t kSpikes = 100'000;
constexpr std::int32_t kUnits = 20;
constexpr double kDuration = 3 * 600.0; // three blocks of 10 minutes

struct Channel {
    std::vector<float> heights;
    std::vector<float> widths;
    std::vector<std::int32_t> blocks;
    std::vector<double> times;
    std::vector<std::int32_t> units;
};

// Spikes in block and time order, each unit a Gaussian cluster of its own.
Channel MakeChannel()
{
    std::mt19937_64 random(16);
    std::uniform_real_distribution<double> uniform(0.0, kDuration);
    std::uniform_int_distribution<std::int32_t> unit(0, kUnits);
    std::normal_distribution<float> spread(0.0f, 0.05f);
    std::vector<double> times(kSpikes);
    for (double& time : times) {
        time = uniform(random);
    }
    std::sort(times.begin(), times.end());
    Channel channel;
    for (double time : times) {
        const std::int32_t number = unit(random) - 1; // -1: in no unit
        channel.blocks.push_back(static_cast<std::int32_t>(time / 600.0));
        channel.times.push_back(time - 600.0 * channel.blocks.back());
        channel.units.push_back(number);
        channel.heights.push_back(0.5f + 0.1f * static_cast<float>(number) + spread(random));
        channel.widths.push_back(0.3f + 0.02f * static_cast<float>(number % 7) + spread(random) / 5.0f);
    }
    return channel;
}

void BM_UnitQuality100kSpikes20Units(benchmark::State& state)
{
    const Channel channel = MakeChannel();
    const QualityInput input{channel.heights, channel.widths, channel.blocks, channel.times, channel.units,
                             {{0, 0.0, 600.0}, {1, 0.0, 600.0}, {2, 0.0, 600.0}}, 0.05, 0.0};
    for (auto _ : state) {
        std::vector<Host::UnitQuality> units;
        for (std::int32_t number = 0; number < kUnits; ++number) {
            Host::UnitQuality unit;
            unit.number = number;
            units.push_back(unit);
        }
        MeasureUnitQuality(input, Host::QualitySettings{}, units);
        benchmark::DoNotOptimize(units.data());
    }
    state.counters["spikes"] = static_cast<double>(kSpikes);
}
BENCHMARK(BM_UnitQuality100kSpikes20Units)->Unit(benchmark::kMillisecond);

} // namespace
