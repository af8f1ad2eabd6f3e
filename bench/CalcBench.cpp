#include <benchmark/benchmark.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <memory>
#include <vector>

#include "desk/calc/CalcEngine.h"
#include "host/IChannelCalculation.h"

namespace {

constexpr std::int32_t kTicks = 4'000'000;
constexpr std::uint32_t kChunk = 4096;

// One channel, one block of a slow sine, and a regular event train.
class BenchRecording final : public Desk::Recording {
public:
    BenchRecording() : samples_(kTicks)
    {
        for (std::int32_t i = 0; i < kTicks; ++i) {
            samples_[i] = static_cast<float>(std::sin(i * 0.001));
        }
        Desk::RecordedEvents train{u"Train", {}};
        for (std::int32_t tick = 0; tick < kTicks; tick += 400 + tick % 97) {
            train.marks.push_back({0, tick});
        }
        events_.push_back(std::move(train));
    }

    std::string Source() const override { return "bench"; }
    std::string Fingerprint() const override { return "bench"; }
    std::int32_t ChannelCount() const override { return 1; }
    std::int32_t BlockCount() const override { return 1; }
    std::int32_t Ticks(std::int32_t, std::int32_t) const override { return kTicks; }
    double SampleInterval(std::int32_t, std::int32_t) const override { return 5e-5; }
    double BlockStartTime(std::int32_t) const override { return 0.0; }
    VEX::String ChannelTitle(std::int32_t) const override { return u"bench"; }
    VEX::String ChannelUnit(std::int32_t) const override { return u"mV"; }
    std::size_t Read(std::int32_t, std::int32_t, std::int64_t tick, std::size_t count, float* out) const override
    {
        const std::size_t n = tick >= kTicks ? 0 : std::min<std::size_t>(count, kTicks - tick);
        std::copy_n(samples_.begin() + tick, n, out);
        return n;
    }
    const std::vector<Desk::RecordedEvents>& Events() const override { return events_; }

private:
    std::vector<float> samples_;
    std::vector<Desk::RecordedEvents> events_;
};

const BenchRecording& Recording()
{
    static const BenchRecording recording;
    return recording;
}

class FixedCalculation final : public UnknownImpl<IChannelCalculation> {
public:
    explicit FixedCalculation(const char16_t* text) : text_(text) {}
    HRESULT ExpressionText(VEX::String* text) override { return *text = text_, S_OK; }
    HRESULT CheckChannel(std::int32_t, VEX::String*) override { return S_OK; }
    HRESULT SaveSettings(IStream*) override { return E_NOTIMPL; }
    HRESULT LoadSettings(IStream*) override { return E_NOTIMPL; }

private:
    VEX::String text_;
};

void Drain(benchmark::State& state, IEnumSamples* samples, std::vector<float>& buffer)
{
    std::uint32_t fetched = 0;
    while (samples->Next(kChunk, buffer.data(), &fetched) == S_OK) {
    }
    benchmark::DoNotOptimize(buffer.data());
    state.SetItemsProcessed(state.items_processed() + kTicks);
}

// The detector's path: a whole block of one channel in chunks.
void BM_RecordedSamples(benchmark::State& state)
{
    Desk::CalcEngine engine(Recording());
    ComPtr<IHostCalc> calc = engine.Calc();
    std::vector<float> buffer(kChunk);
    for (auto _ : state) {
        ComPtr<IEnumSamples> samples;
        calc->OpenSamples(0, 0, 0, Host::kSampleRequest, samples.Put());
        Drain(state, samples.Get(), buffer);
    }
}
BENCHMARK(BM_RecordedSamples)->Unit(benchmark::kMillisecond);

// The same while the block is being sampled: every chunk asks how much exists.
void BM_RecordedSamplesWhileSampling(benchmark::State& state)
{
    Desk::CalcEngine engine(Recording(), [](std::int32_t) { return Desk::BlockAvailability{kTicks, false}; });
    ComPtr<IHostCalc> calc = engine.Calc();
    std::vector<float> buffer(kChunk);
    for (auto _ : state) {
        ComPtr<IEnumSamples> samples;
        calc->OpenSamples(0, 0, 0, Host::kSampleRequest, samples.Put());
        Drain(state, samples.Get(), buffer);
    }
}
BENCHMARK(BM_RecordedSamplesWhileSampling)->Unit(benchmark::kMillisecond);

// A channel calculated from events: instantaneous frequency of a train.
void BM_EventFrequencyChannel(benchmark::State& state)
{
    Desk::CalcEngine engine(Recording());
    ComPtr<IChannelCalculation> calculation(new FixedCalculation(u"EventFrequency(Train)"));
    engine.ChannelCalculations()->Apply(0, calculation.Get(), nullptr);
    std::vector<float> buffer(kChunk);
    for (auto _ : state) {
        ComPtr<IEnumSamples> samples;
        engine.OpenCalculatedSamples(0, 0, 0, samples.Put());
        Drain(state, samples.Get(), buffer);
    }
}
BENCHMARK(BM_EventFrequencyChannel)->Unit(benchmark::kMillisecond);

// Opening events of an expression: parse, bind and open, per block.
void BM_OpenExpressionEvents(benchmark::State& state)
{
    Desk::CalcEngine engine(Recording());
    ComPtr<IHostCalc> calc = engine.Calc();
    std::int32_t id1 = 0;
    std::int32_t id2 = 0;
    calc->RegisterEventSource(u"Stimulus", u"Train", &id1, &id2);
    for (auto _ : state) {
        ComPtr<IEnumEventEx> events;
        calc->OpenExpressionEvents(u"Stimulus", 0, 1000, 2000, Host::kEventRequest, events.Put());
        benchmark::DoNotOptimize(events.Get());
    }
}
BENCHMARK(BM_OpenExpressionEvents);

} // namespace
