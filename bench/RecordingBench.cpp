// Recording readers and the demo generator: how long the demo takes to
// make, and sample throughput of Read() for each reader (raw float32 as
// stored, raw int16 scaled, EDF+D read directly, EDF+C through EDFlib).
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>
#include <unistd.h>

#include "desk/demo/DemoRecording.h"
#include "desk/recording/Recording.h"
#include "desk/runtime/OpenRecording.h"

namespace {

constexpr std::size_t kChunk = 4096;

// Files made for the run, removed when it ends.
class BenchFolder {
public:
    BenchFolder()
        : path_(std::filesystem::temp_directory_path() / ("nerolith-recording-bench-" + std::to_string(::getpid())))
    {
        std::filesystem::create_directories(path_);
    }
    ~BenchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    BenchFolder(const BenchFolder&) = delete;
    BenchFolder& operator=(const BenchFolder&) = delete;

    static const std::filesystem::path& Path()
    {
        static const BenchFolder folder;
        return folder.path_;
    }

private:
    std::filesystem::path path_;
};

// The public test data beside the project (../shared/data from its root).
std::filesystem::path SharedData()
{
    return std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "shared" / "data";
}

// Reads every channel of every block in chunks, as the calculation engine does.
void ReadWhole(benchmark::State& state, const Desk::Recording& recording)
{
    std::vector<float> buffer(kChunk);
    std::int64_t samples = 0;
    for (auto _ : state) {
        for (std::int32_t block = 0; block < recording.BlockCount(); ++block) {
            for (std::int32_t channel = 0; channel < recording.ChannelCount(); ++channel) {
                for (std::int64_t tick = 0; tick < recording.Ticks(channel, block); tick += kChunk) {
                    samples += static_cast<std::int64_t>(recording.Read(channel, block, tick, kChunk, buffer.data()));
                }
            }
        }
        benchmark::DoNotOptimize(buffer.data());
    }
    state.SetItemsProcessed(samples);
}

void BM_MakeDemoRecording(benchmark::State& state)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(Desk::MakeDemoRecording());
    }
}
BENCHMARK(BM_MakeDemoRecording)->Unit(benchmark::kMillisecond);

void BM_DemoGroundTruth(benchmark::State& state)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(Desk::DemoGroundTruth());
    }
}
BENCHMARK(BM_DemoGroundTruth)->Unit(benchmark::kMillisecond);

void BM_ReadRawFloat32(benchmark::State& state)
{
    const auto folder = BenchFolder::Path() / "demo";
    if (!std::filesystem::exists(folder / "demo.json")) {
        Desk::WriteDemo(folder);
    }
    ReadWhole(state, *Desk::OpenRecording((folder / "demo.json").string()));
}
BENCHMARK(BM_ReadRawFloat32)->Unit(benchmark::kMillisecond);

void BM_ReadRawInt16Scaled(benchmark::State& state)
{
    const auto& folder = BenchFolder::Path();
    constexpr std::size_t kChannels = 4;
    constexpr std::size_t kTicks = 2'000'000;
    if (!std::filesystem::exists(folder / "int16.json")) {
        std::vector<std::int16_t> data(kChannels * kTicks);
        for (std::size_t i = 0; i < data.size(); ++i) {
            data[i] = static_cast<std::int16_t>(i * 7919 % 65536 - 32768);
        }
        std::ofstream(folder / "int16.bin", std::ios::binary)
            .write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size() * 2));
        std::ofstream(folder / "int16.json")
            << R"({"file": "int16.bin", "dtype": "int16", "channels": 4, "sample_rate": 30000, "gain": 0.195, "offset": -3.5})";
    }
    ReadWhole(state, *Desk::OpenRecording((folder / "int16.json").string()));
}
BENCHMARK(BM_ReadRawInt16Scaled)->Unit(benchmark::kMillisecond);

void ReadSharedEdf(benchmark::State& state, const char* name)
{
    const std::filesystem::path path = SharedData() / "edf" / name;
    if (!std::filesystem::exists(path)) {
        state.SkipWithError("no shared test data");
        return;
    }
    ReadWhole(state, *Desk::OpenRecording(path.string()));
}

void BM_ReadEdfPlusDDirect(benchmark::State& state) { ReadSharedEdf(state, "edfPlusD.edf"); }
BENCHMARK(BM_ReadEdfPlusDDirect);

void BM_ReadEdfPlusCThroughEdfLib(benchmark::State& state) { ReadSharedEdf(state, "edfPlusC.edf"); }
BENCHMARK(BM_ReadEdfPlusCThroughEdfLib);

} // namespace
