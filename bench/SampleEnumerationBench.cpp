// Sample enumeration out of raw recordings (float32 as stored, int16
// scaled), the way the detector pulls a channel, beside a plain memcpy of
// the same bytes in the same chunks. bench/run_peers.sh prints the ratios.
// Read as the program chooses to read them; NEROLITH_SAMPLE_READ=copy or
// map measures one path.
#include <climits>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>
#include <unistd.h>

#include "desk/calc/CalcEngine.h"
#include "desk/recording/Recording.h"
#include "desk/runtime/OpenRecording.h"

namespace {

constexpr std::size_t kTicks = 20'000'000;
constexpr std::uint32_t kChunk = 131072; // what the detector asks for at a time

// Files made for the run, removed when it ends.
struct BenchFolder {
    BenchFolder() { std::filesystem::create_directories(path); }
    ~BenchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("nerolith-enum-bench-" + std::to_string(getpid()));
};

const std::filesystem::path& Folder()
{
    static const BenchFolder folder;
    return folder.path;
}

template <typename T>
std::string WriteRaw(const char* name, const char* dtype, const char* scaling)
{
    const auto data = Folder() / (std::string(name) + ".bin");
    const auto sidecar = Folder() / (std::string(name) + ".json");
    if (!std::filesystem::exists(sidecar)) {
        std::vector<T> samples(kTicks);
        for (std::size_t i = 0; i < kTicks; ++i) {
            samples[i] = static_cast<T>(static_cast<std::int64_t>(i * 7919 % 4001) - 2000);
        }
        std::ofstream(data, std::ios::binary)
            .write(reinterpret_cast<const char*>(samples.data()), static_cast<std::streamsize>(kTicks * sizeof(T)));
        std::ofstream(sidecar) << R"({"file": ")" << data.filename().string() << R"(", "dtype": ")" << dtype
                               << R"(", "channels": 1, "sample_rate": 20000)" << scaling << "}";
    }
    return sidecar.string();
}

void Enumerate(benchmark::State& state, const std::string& sidecar)
{
    const auto recording = Desk::OpenRecording(sidecar);
    Desk::CalcEngine engine(*recording);
    const ComPtr<IHostCalc> calc = engine.Calc();
    std::vector<float> buffer(kChunk);
    for (auto _ : state) {
        ComPtr<IEnumSamples> samples;
        calc->OpenSamples(0, 0, 0, Host::kSampleRequest, samples.Put());
        std::uint32_t fetched = 0;
        while (samples->Next(kChunk, buffer.data(), &fetched) == S_OK) {
        }
        benchmark::DoNotOptimize(buffer.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kTicks * sizeof(float)));
}

void BM_EnumerateFloat32(benchmark::State& state) { Enumerate(state, WriteRaw<float>("f32", "float32", "")); }
BENCHMARK(BM_EnumerateFloat32)->Unit(benchmark::kMillisecond);

void BM_EnumerateInt16(benchmark::State& state)
{
    Enumerate(state, WriteRaw<std::int16_t>("i16", "int16", R"(, "gain": 0.195, "offset": -3.5)"));
}
BENCHMARK(BM_EnumerateInt16)->Unit(benchmark::kMillisecond);

// The same float32 bytes copied chunk by chunk: what no reader can beat.
void BM_MemcpySameBytes(benchmark::State& state)
{
    std::vector<float> source(kTicks, 1.0f);
    std::vector<float> buffer(kChunk);
    for (auto _ : state) {
        for (std::size_t tick = 0; tick < kTicks; tick += kChunk) {
            std::memcpy(buffer.data(), source.data() + tick, std::min<std::size_t>(kChunk, kTicks - tick) * 4);
            benchmark::ClobberMemory();
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kTicks * sizeof(float)));
}
BENCHMARK(BM_MemcpySameBytes)->Unit(benchmark::kMillisecond);

} // namespace
