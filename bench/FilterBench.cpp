#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "desk/calc/CalcEngine.h"
#include "desk/calc/FilterCalculation.h"
#include "host/HostTypes.h"

namespace {

// An hour of one channel at 20 kHz in one block, computed as it is read so
// the benchmark measures the filter rather than memory: a DC offset, a slow
// wave and pseudo-random noise.
class HourRecording final : public Desk::Recording {
public:
    static constexpr std::int32_t kTicks = 3600 * 20000;

    std::string Source() const override { return "hour"; }
    std::string Fingerprint() const override { return "hour"; }
    std::int32_t ChannelCount() const override { return 1; }
    std::int32_t BlockCount() const override { return 1; }
    std::int32_t Ticks(std::int32_t, std::int32_t) const override { return kTicks; }
    double SampleInterval(std::int32_t, std::int32_t) const override { return 5e-5; }
    double BlockStartTime(std::int32_t) const override { return 0.0; }
    VEX::String ChannelTitle(std::int32_t) const override { return u"hour"; }
    VEX::String ChannelUnit(std::int32_t) const override { return u"uV"; }
    std::size_t Read(std::int32_t, std::int32_t, std::int64_t tick, std::size_t count, float* out) const override
    {
        const std::size_t n = tick >= kTicks ? 0 : std::min<std::size_t>(count, kTicks - tick);
        for (std::size_t i = 0; i < n; ++i) {
            const auto t = static_cast<std::uint32_t>(tick + static_cast<std::int64_t>(i));
            const std::uint32_t noise = t * 2654435761u;
            out[i] = 2048.0f + static_cast<float>((t / 400) % 50) + static_cast<float>(noise >> 24) / 16.0f;
        }
        return n;
    }
    const std::vector<Desk::RecordedEvents>& Events() const override { return events_; }

private:
    std::vector<Desk::RecordedEvents> events_;
};

// Reads the whole hour as detection does, in its chunks of 16384 samples.
void ReadHour(benchmark::State& state, std::optional<Desk::FilterDesign> design)
{
    static const HourRecording recording;
    Desk::CalcEngine engine(recording);
    if (design) {
        auto calculation =
            ComPtr<Desk::FilterCalculation>::Attach(new Desk::FilterCalculation(recording, 0, *design));
        engine.ChannelCalculations()->Apply(0, calculation.Get(), nullptr);
    }
    std::vector<float> chunk(16384);
    for (auto _ : state) {
        ComPtr<IEnumSamples> samples;
        engine.Calc()->OpenSamples(0, 0, 0, Host::kSampleRequest, samples.Put());
        std::uint32_t fetched = 0;
        while (samples->Next(static_cast<std::uint32_t>(chunk.size()), chunk.data(), &fetched) == S_OK) {
            benchmark::DoNotOptimize(chunk.data());
        }
    }
    state.SetItemsProcessed(state.iterations() * HourRecording::kTicks);
}

Desk::FilterDesign Design(std::optional<double> high, int order, bool causal)
{
    Desk::FilterDesign design;
    design.low = 300.0;
    design.high = high;
    design.order = order;
    design.causal = causal;
    return design;
}

void BM_HourUnfiltered(benchmark::State& state) { ReadHour(state, std::nullopt); }
void BM_HourBandPassZeroPhase(benchmark::State& state) { ReadHour(state, Design(3000.0, 2, false)); }
void BM_HourBandPassCausal(benchmark::State& state) { ReadHour(state, Design(3000.0, 2, true)); }
void BM_HourBandPassOrder4ZeroPhase(benchmark::State& state) { ReadHour(state, Design(3000.0, 4, false)); }
void BM_HourHighPassZeroPhase(benchmark::State& state) { ReadHour(state, Design(std::nullopt, 2, false)); }

} // namespace

BENCHMARK(BM_HourUnfiltered)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_HourBandPassZeroPhase)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_HourBandPassCausal)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_HourBandPassOrder4ZeroPhase)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_HourHighPassZeroPhase)->Unit(benchmark::kMillisecond)->Iterations(1);
