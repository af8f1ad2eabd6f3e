// SpikeDet throughput on a one-hour 20 kHz channel, through its enumerator
// the way the spike store pulls it: over an in-memory source (the detector
// alone) and through the host's calculation engine on a raw recording file
// (end to end). The file is left for bench/peer_threshold.py when
// NEROLITH_BENCH_SAMPLES names it.
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "desk/calc/CalcEngine.h"
#include "desk/recording/Recording.h"
#include "desk/runtime/HostDocument.h"
#include "desk/runtime/OpenRecording.h"
#include "detection/DetEx_Enumerator.h"
#include "detection/SpikeDetFunctionClass.h"
#include "detection/UnitSelectorFunctionClass.h"
#include "shell/CommandTable.h"
#include "shell/SpikeDoc.h"

namespace {

constexpr double kSampleRate = 20000.0;
constexpr std::size_t kSamples = 72'000'000; // one hour
// Threshold 4 noise SD; 0.4 ms before the trigger, 1.6 ms in all.
constexpr double kThreshold = 4.0;
constexpr double kPretrigger = 0.0004;
constexpr double kTotal = 0.0016;
constexpr const char16_t* kExpression = u"SpikeDet(ch1, 4, 0.0004, 0.0016, 0, 0, 0, -1, -1, -1, -1)";

struct Unit {
    double rateHz;
    double amplitude;
};

// Unit noise plus three units firing at 8, 15 and 30 Hz (Poisson) with a
// 1.2 ms biphasic waveform of 6 to 12 noise SD: about 53 spikes/s.
std::vector<float> MakeChannel()
{
    std::vector<float> x(kSamples);
    std::mt19937_64 random(2024);
    std::normal_distribution<float> noise(0.0f, 1.0f);
    for (float& v : x) {
        v = noise(random);
    }
    constexpr int kShapeTicks = 24;
    for (const Unit unit : {Unit{8.0, 12.0}, Unit{15.0, 8.0}, Unit{30.0, 6.0}}) {
        std::exponential_distribution<double> gap(unit.rateHz / kSampleRate);
        for (double t = gap(random); t + kShapeTicks < static_cast<double>(kSamples); t += gap(random) + kShapeTicks) {
            const auto start = static_cast<std::size_t>(t);
            for (int k = 0; k < kShapeTicks; ++k) {
                const double phase = k / 8.0;
                x[start + k] += static_cast<float>(unit.amplitude * (std::exp(-phase * phase) - 0.4 * std::exp(-(phase - 1.5) * (phase - 1.5))));
            }
        }
    }
    return x;
}

const std::vector<float>& Channel()
{
    static const std::vector<float> channel = MakeChannel();
    return channel;
}

// The channel as a raw recording with its JSON sidecar.
std::filesystem::path SampleFile()
{
    static const std::filesystem::path path = [] {
        const char* named = std::getenv("NEROLITH_BENCH_SAMPLES");
        const std::filesystem::path data =
            named ? std::filesystem::path(named)
                  : std::filesystem::temp_directory_path() / "nerolith_detector_bench.f32";
        std::ofstream(data, std::ios::binary)
            .write(reinterpret_cast<const char*>(Channel().data()),
                   static_cast<std::streamsize>(Channel().size() * sizeof(float)));
        std::filesystem::path sidecar = data;
        sidecar.replace_extension(".json");
        std::ofstream(sidecar) << R"({"file": ")" << data.filename().string()
                               << R"(", "dtype": "float32", "channels": 1, "sample_rate": 20000})";
        if (named == nullptr) {
            std::atexit([] {
                const auto temp = std::filesystem::temp_directory_path();
                std::filesystem::remove(temp / "nerolith_detector_bench.f32");
                std::filesystem::remove(temp / "nerolith_detector_bench.json");
            });
        }
        return sidecar;
    }();
    return path;
}

class MemorySamples final : public UnknownImpl<IEnumSamples> {
public:
    explicit MemorySamples(std::size_t tick) : tick_(tick) {}

    HRESULT Next(std::uint32_t count, float* samples, std::uint32_t* fetched) override
    {
        const auto n = static_cast<std::uint32_t>(std::min<std::size_t>(count, Channel().size() - tick_));
        std::memcpy(samples, Channel().data() + tick_, n * sizeof(float));
        tick_ += n;
        *fetched = n;
        return tick_ == Channel().size() ? S_FALSE : S_OK;
    }
    std::int32_t Tick() override { return static_cast<std::int32_t>(tick_); }

private:
    std::size_t tick_;
};

class MemorySource final : public UnknownImpl<ICalcSource> {
public:
    std::int32_t Channel() override { return 0; }
    HRESULT SampleInterval(std::int32_t, double* seconds) override
    {
        *seconds = 1.0 / kSampleRate;
        return S_OK;
    }
    HRESULT OpenSamples(std::int32_t, std::int32_t startTick, IEnumSamples** samples) override
    {
        *samples = MakeCom<MemorySamples>(static_cast<std::size_t>(startTick)).Detach();
        return S_OK;
    }
    HRESULT OpenEvents(std::int32_t, std::int32_t, std::int32_t, IEnumEventEx**) override { return E_NOTIMPL; }
    HRESULT FindChildData(std::uint32_t, IGrafoDataChildData** child) override
    {
        *child = nullptr;
        return S_FALSE;
    }
};

// Pulls every spike the way the spike store does, a batch at a time.
std::size_t DrainSpikes(IEnumEventEx& events)
{
    std::vector<Nerolith::SpikeEvent> batch(1024);
    std::size_t spikes = 0;
    HRESULT hr = S_OK;
    while (hr == S_OK) {
        std::uint32_t count = 0;
        std::int32_t position = 0;
        hr = events.Next(sizeof(Nerolith::SpikeEvent), -1, batch.data(), static_cast<std::uint32_t>(batch.size()),
                         &count, &position);
        spikes += count;
    }
    return spikes;
}

void Report(benchmark::State& state, std::size_t spikes)
{
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kSamples));
    state.counters["spikes"] = static_cast<double>(spikes);
}

void BM_SpikeDetInMemory(benchmark::State& state)
{
    Channel();
    auto source = MakeCom<MemorySource>();
    ICalcSource* sources[] = {source.Get()};
    const double numbers[10] = {kThreshold, kPretrigger, kTotal, 0, 0, 0, -1, -1, -1, -1};
    std::size_t spikes = 0;
    for (auto _ : state) {
        auto detector = ComPtr<Nerolith::SpikeDetEnumerator>::Attach(new Nerolith::SpikeDetEnumerator());
        detector->Setup(sources, 1, numbers, 10);
        detector->Open(0, 0);
        spikes = DrainSpikes(*detector);
    }
    Report(state, spikes);
}
BENCHMARK(BM_SpikeDetInMemory)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_SpikeDetThroughEngine(benchmark::State& state)
{
    const auto recording = Desk::OpenRecording(SampleFile().string());
    Desk::CalcEngine engine(*recording);
    engine.RegisterFunctionClass(&CalcEnums::SpikeDetClass());
    std::size_t spikes = 0;
    for (auto _ : state) {
        ComPtr<IEnumEventEx> events;
        if (Failed(engine.Calc()->OpenExpressionEvents(kExpression, 0, 0, INT_MAX, Host::kEventRequest,
                                                       events.Put()))) {
            state.SkipWithError("the engine cannot evaluate the SpikeDet expression");
            return;
        }
        spikes = DrainSpikes(*events);
    }
    Report(state, spikes);
}
BENCHMARK(BM_SpikeDetThroughEngine)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// A whole analysis as the Analyze command runs it: the request through the
// host's message system, the run in chunks with progress, the store pulling
// the detector's spikes block by block and telling the document's views.
void BM_AnalyzeRunThroughDocument(benchmark::State& state)
{
    auto host = MakeCom<Desk::HostDocument>(Desk::OpenRecording(SampleFile().string()),
                                            MakeCom<Desk::HostServices>(nullptr));
    host->Engine().RegisterFunctionClass(&CalcEnums::SpikeDetClass());
    host->Engine().RegisterFunctionClass(&CalcEnums::UnitSelectorClass());
    auto document = ComPtr<Nerolith::SpikeDoc>::Attach(new Nerolith::SpikeDoc(host.Get()));
    Host::ChannelAnalysisRecord record;
    document->GetChannelRecord(0, &record);
    record.detectionThreshold = kThreshold;
    record.pretriggerTime = kPretrigger;
    record.totalTriggerTime = kTotal;
    record.discriminationMode = 0;
    document->SetChannelRecord(record);
    for (auto _ : state) {
        document->Execute(Nerolith::Commands::kAnalyze);
        host->Messages().DeliverPending();
    }
    Report(state, static_cast<std::size_t>(document->SpikeCount()));
    host->Close();
}
BENCHMARK(BM_AnalyzeRunThroughDocument)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace
