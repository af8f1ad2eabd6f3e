#include "desk/demo/DemoBlock.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>

#include "desk/demo/DemoRandom.h"
#include "desk/demo/DemoSpikeShape.h"

namespace Desk {
namespace {

enum Unit : std::int32_t { kUnitA = 1, kUnitB = 2, kUnitC = 3, kBackground = 4 };

// One stream per purpose within a block.
enum Purpose : std::uint32_t { kStimulusDraws = 1, kUnitADraws, kUnitBDraws, kUnitCDraws, kBackgroundDraws, kNoiseDraws };

constexpr std::array<DemoSpikeShape, 4> kShapes{{
    {1.2, 0.25, 0.40, 0.45, 0.50}, // A: tall and narrow
    {0.8, 0.50, 0.30, 0.90, 0.80}, // B: wider, slower trough
    {0.5, 0.35, 0.25, 0.60, 0.60}, // C
    {0.1, 0.30, 0.04, 0.50, 0.50}, // background
}};

constexpr std::int32_t Ticks(double ms) { return static_cast<std::int32_t>(ms * kDemoSampleRate / 1000 + 0.5); }

constexpr std::int32_t kRefractory = Ticks(2);
constexpr std::int32_t kUnitSeparation = Ticks(3);
// Room at either block end for a whole spike waveform.
constexpr std::int32_t kEdge = Ticks(5);
constexpr std::int32_t kPulseTicks = Ticks(1);
constexpr float kPulseVolts = 5.0f;

constexpr double kUnitARate = 8;
constexpr double kUnitCBackgroundRate = 1;
constexpr double kUnitCResponse = 0.8; // chance of a response to a pulse
constexpr double kBackgroundRate = 15;

// Collects a block's spikes, refusing any that would come closer than the
// rules allow to a spike already taken.
class SpikePlanner {
public:
    explicit SpikePlanner(std::int32_t block) : block_(block) {}

    bool Fits(std::int32_t tick, std::int32_t unit) const
    {
        if (tick < kEdge || tick >= kDemoBlockTicks - kEdge) {
            return false;
        }
        const std::int32_t reach = std::max(kUnitSeparation, kRefractory);
        for (auto it = taken_.lower_bound(tick - reach); it != taken_.end() && it->first <= tick + reach; ++it) {
            const std::int32_t gap = std::abs(it->first - tick);
            const std::int32_t other = it->second.truth.unit;
            const bool tooClose = other == unit ? unit != kBackground && gap < kRefractory
                                                : other != kBackground && gap < kUnitSeparation;
            if (tooClose) {
                return false;
            }
        }
        return true;
    }

    void Take(std::int32_t tick, std::int32_t unit, double scale, DemoRandom& random)
    {
        taken_.emplace(tick, PlannedSpike{{unit, block_, tick}, scale, random.Uniform()});
    }

    std::vector<PlannedSpike> Spikes() const
    {
        std::vector<PlannedSpike> spikes;
        for (const auto& entry : taken_) {
            spikes.push_back(entry.second);
        }
        return spikes;
    }

private:
    std::int32_t block_;
    std::multimap<std::int32_t, PlannedSpike> taken_;
};

// About once a second, 0.4 to 0.6 s into each second.
std::vector<std::int32_t> PlanStimulus(std::int32_t block)
{
    DemoRandom random(block, kStimulusDraws);
    std::vector<std::int32_t> onsets;
    for (std::int32_t second = 0; second < kDemoBlockTicks / static_cast<std::int32_t>(kDemoSampleRate); ++second) {
        onsets.push_back(static_cast<std::int32_t>((second + random.Uniform(0.4, 0.6)) * kDemoSampleRate));
    }
    return onsets;
}

// Responses first (10 ms +- 1 ms after a pulse), then sparse background
// firing that keeps clear of them.
void PlanUnitC(const std::vector<std::int32_t>& onsets, SpikePlanner& planner, std::int32_t block)
{
    DemoRandom random(block, kUnitCDraws);
    for (std::int32_t onset : onsets) {
        if (!random.Chance(kUnitCResponse)) {
            continue;
        }
        const std::int32_t tick = onset + Ticks(std::clamp(10 + random.Normal(), 7.0, 13.0));
        if (planner.Fits(tick, kUnitC)) {
            planner.Take(tick, kUnitC, random.Uniform(0.92, 1.08), random);
        }
    }
    for (std::int32_t tick = 0; tick < kDemoBlockTicks; ++tick) {
        if (random.Chance(kUnitCBackgroundRate / kDemoSampleRate) && planner.Fits(tick, kUnitC)) {
            planner.Take(tick, kUnitC, random.Uniform(0.92, 1.08), random);
        }
    }
}

// A burst is taken whole or not at all; its spikes shrink a little one
// after another, as bursting cells' spikes do.
void PlanUnitB(SpikePlanner& planner, std::int32_t block)
{
    DemoRandom random(block, kUnitBDraws);
    for (double start = random.Uniform(0.2, 0.6); start < 59.5; start += random.Uniform(0.5, 1.0)) {
        const auto count = 3 + static_cast<std::int32_t>(random.Uniform() * 3);
        std::vector<std::int32_t> ticks{static_cast<std::int32_t>(start * kDemoSampleRate)};
        while (static_cast<std::int32_t>(ticks.size()) < count) {
            ticks.push_back(ticks.back() + Ticks(random.Uniform(3.0, 6.0)));
        }
        const bool fits = std::all_of(ticks.begin(), ticks.end(), [&](std::int32_t t) { return planner.Fits(t, kUnitB); });
        for (std::size_t i = 0; fits && i < ticks.size(); ++i) {
            planner.Take(ticks[i], kUnitB, (1.0 - 0.05 * static_cast<double>(i)) * random.Uniform(0.95, 1.05), random);
        }
    }
}

// Irregular firing, never twice within the refractory period.
void PlanUnitA(SpikePlanner& planner, std::int32_t block)
{
    DemoRandom random(block, kUnitADraws);
    for (std::int32_t tick = 0; tick < kDemoBlockTicks; ++tick) {
        if (random.Chance(kUnitARate / kDemoSampleRate)) {
            if (planner.Fits(tick, kUnitA)) {
                planner.Take(tick, kUnitA, random.Uniform(0.92, 1.08), random);
            }
            tick += kRefractory;
        }
    }
}

void PlanBackground(SpikePlanner& planner, std::int32_t block)
{
    DemoRandom random(block, kBackgroundDraws);
    for (std::int32_t tick = 0; tick < kDemoBlockTicks; ++tick) {
        if (random.Chance(kBackgroundRate / kDemoSampleRate) && planner.Fits(tick, kBackground)) {
            planner.Take(tick, kBackground, random.Uniform(0.7, 1.15), random);
        }
    }
}

// Band-limited noise: white noise through two one-pole low-passes at
// 3 kHz and a one-pole high-pass at 300 Hz, scaled to 0.03 mV SD.
class NoiseFilter {
public:
    // exp(-2 pi f / 20 kHz), written out so that no math library rounding
    // enters the samples.
    static constexpr double kLowPole = 0.3896611373753468;   // f = 3 kHz
    static constexpr double kHighPole = 0.9100572406760248;  // f = 300 Hz
    static constexpr double kNoiseSd = 0.03;

    double Step(double input)
    {
        low1_ += (1 - kLowPole) * (input - low1_);
        low2_ += (1 - kLowPole) * (low1_ - low2_);
        drift_ += (1 - kHighPole) * (low2_ - drift_);
        return low2_ - drift_;
    }

    // The gain that turns unit white noise into kNoiseSd: the filter's
    // output variance is the energy of its impulse response.
    static double Gain()
    {
        NoiseFilter filter;
        double energy = 0;
        for (int i = 0; i < 20000; ++i) {
            const double y = filter.Step(i == 0 ? 1.0 : 0.0);
            energy += y * y;
        }
        return kNoiseSd / std::sqrt(energy);
    }

private:
    double low1_ = 0;
    double low2_ = 0;
    double drift_ = 0;
};

std::vector<double> MakeNoise(std::int32_t block)
{
    constexpr int kSettle = 4000; // ticks run before the block so it starts settled
    DemoRandom random(block, kNoiseDraws);
    NoiseFilter filter;
    const double gain = NoiseFilter::Gain();
    for (int i = 0; i < kSettle; ++i) {
        filter.Step(random.Normal());
    }
    std::vector<double> noise(kDemoBlockTicks);
    for (double& value : noise) {
        value = gain * filter.Step(random.Normal());
    }
    return noise;
}

} // namespace

DemoBlockPlan PlanDemoBlock(std::int32_t block)
{
    DemoBlockPlan plan{block, PlanStimulus(block), {}};
    SpikePlanner planner(block);
    PlanUnitC(plan.stimulusOnsets, planner, block);
    PlanUnitB(planner, block);
    PlanUnitA(planner, block);
    PlanBackground(planner, block);
    plan.spikes = planner.Spikes();
    return plan;
}

DemoBlockSamples RenderDemoBlock(const DemoBlockPlan& plan)
{
    std::vector<double> electrode = MakeNoise(plan.block);
    for (const PlannedSpike& spike : plan.spikes) {
        const SampledSpike wave = SampleSpike(kShapes[spike.truth.unit - 1], spike.scale, spike.fraction);
        const std::int32_t first = spike.truth.tick - wave.peakIndex;
        for (std::size_t i = 0; i < wave.samples.size(); ++i) {
            electrode[static_cast<std::size_t>(first) + i] += wave.samples[i];
        }
    }
    DemoBlockSamples samples;
    samples.electrode.assign(electrode.begin(), electrode.end());
    samples.stimulus.assign(kDemoBlockTicks, 0.0f);
    for (std::int32_t onset : plan.stimulusOnsets) {
        std::fill_n(samples.stimulus.begin() + onset, kPulseTicks, kPulseVolts);
    }
    return samples;
}

} // namespace Desk
