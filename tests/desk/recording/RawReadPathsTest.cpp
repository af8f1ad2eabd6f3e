// The raw recording reads a lone float32 channel straight into the caller's
// buffer and converts everything else a piece at a time; both must give the
// very bytes the stored samples define, wherever a read starts and ends.
#include <bit>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "desk/recording/Recording.h"
#include "desk/recording/TestFiles.h"
#include "desk/runtime/OpenRecording.h"

namespace {

using Json = nlohmann::json;
using RecordingTest::TempFolder;
using RecordingTest::WriteFile;

// Read in several conversion pieces (256 KiB of the file each), the last
// of them cut short.
constexpr std::int32_t kTicks[] = {140'017, 16'385};
constexpr int kChannels = 3;

template <typename T>
std::string Bytes(const std::vector<T>& values)
{
    return {reinterpret_cast<const char*>(values.data()), values.size() * sizeof(T)};
}

std::string WriteRecording(const TempFolder& folder, const std::string& name, Json sidecar, const std::string& data)
{
    WriteFile(folder / (name + ".bin"), data);
    sidecar["file"] = name + ".bin";
    sidecar["sample_rate"] = 20000;
    sidecar["blocks"] = {{{"ticks", kTicks[0]}, {"start_time", 0.0}}, {{"ticks", kTicks[1]}, {"start_time", 9.0}}};
    WriteFile(folder / (name + ".json"), sidecar.dump());
    return (folder / (name + ".json")).string();
}

// Values of every kind a float32 file may hold, NaN payloads and negative
// zero included, so that a conversion that is not bit for bit shows.
float StoredFloat(std::size_t i)
{
    switch (i % 7) {
    case 0: return std::bit_cast<float>(0x7FC01234u + static_cast<std::uint32_t>(i % 5));
    case 1: return -0.0f;
    case 2: return std::numeric_limits<float>::denorm_min() * static_cast<float>(i % 11);
    default: return static_cast<float>(i) * 1.0e-3f - 17.25f;
    }
}

// Reads a channel's block in requests of `request` samples from `start`.
std::vector<float> ReadInRequests(const Desk::Recording& recording, std::int32_t channel, std::int32_t block,
                                  std::int64_t start, std::size_t request)
{
    std::vector<float> samples(static_cast<std::size_t>(recording.Ticks(channel, block) - start));
    for (std::size_t done = 0; done < samples.size();) {
        const std::size_t got = recording.Read(channel, block, start + static_cast<std::int64_t>(done), request,
                                               samples.data() + done);
        EXPECT_GT(got, 0u);
        if (got == 0) {
            break;
        }
        done += got;
    }
    return samples;
}

bool SameBytes(const std::vector<float>& a, const std::vector<float>& b)
{
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0;
}

TEST(RawReadPaths, InterleavedFloatChannelsGiveTheBytesOfTheLoneChannelFile)
{
    const TempFolder folder;
    std::vector<float> interleaved;
    std::vector<std::vector<float>> lone(kChannels);
    std::size_t value = 0;
    for (const std::int32_t ticks : kTicks) {
        for (std::int32_t tick = 0; tick < ticks; ++tick) {
            for (int channel = 0; channel < kChannels; ++channel) {
                interleaved.push_back(StoredFloat(value));
                lone[channel].push_back(StoredFloat(value++));
            }
        }
    }
    const auto all = Desk::OpenRecording(
        WriteRecording(folder, "all", {{"dtype", "float32"}, {"channels", kChannels}}, Bytes(interleaved)));
    for (int channel = 0; channel < kChannels; ++channel) {
        const auto one = Desk::OpenRecording(WriteRecording(folder, "one" + std::to_string(channel),
                                                            {{"dtype", "float32"}, {"channels", 1}},
                                                            Bytes(lone[channel])));
        for (std::int32_t block = 0; block < 2; ++block) {
            // Requests that end mid-piece, at a piece's end and past the block.
            for (const auto& [start, request] : {std::pair<std::int64_t, std::size_t>{0, 16384}, {5, 131072},
                                                 {3, 1000}, {1, 50'000}}) {
                const std::vector<float> strided = ReadInRequests(*all, channel, block, start, request);
                const std::vector<float> direct = ReadInRequests(*one, 0, block, start, request);
                EXPECT_TRUE(SameBytes(strided, direct)) << "channel " << channel << " block " << block
                                                        << " from " << start << " by " << request;
            }
        }
    }
}

TEST(RawReadPaths, Int16AndScaledFloatMatchTheFormulaSampleBySample)
{
    const TempFolder folder;
    const std::vector<double> gain = {0.195, -2.5, 1.0};
    const std::vector<double> offset = {-3.5, 0.0, 1e-3};
    std::vector<std::int16_t> samples16;
    std::vector<float> samples32;
    std::size_t value = 0;
    for (const std::int32_t ticks : kTicks) {
        for (std::int32_t tick = 0; tick < ticks * kChannels; ++tick, ++value) {
            samples16.push_back(static_cast<std::int16_t>(value * 7919 % 65536 - 32768));
            samples32.push_back(static_cast<float>(value % 4001) * 0.37f - 700.0f);
        }
    }
    const Json scaling = {{"channels", kChannels}, {"gain", gain}, {"offset", offset}};
    Json int16 = scaling;
    int16["dtype"] = "int16";
    Json float32 = scaling;
    float32["dtype"] = "float32";
    const auto recording16 = Desk::OpenRecording(WriteRecording(folder, "i16", int16, Bytes(samples16)));
    const auto recording32 = Desk::OpenRecording(WriteRecording(folder, "f32", float32, Bytes(samples32)));
    for (int channel = 0; channel < kChannels; ++channel) {
        std::size_t frame = 0;
        for (std::int32_t block = 0; block < 2; ++block) {
            std::vector<float> expected16;
            std::vector<float> expected32;
            for (std::int32_t tick = 0; tick < kTicks[block]; ++tick, ++frame) {
                const std::size_t at = frame * kChannels + static_cast<std::size_t>(channel);
                expected16.push_back(static_cast<float>(samples16[at] * gain[channel] + offset[channel]));
                expected32.push_back(static_cast<float>(samples32[at] * gain[channel] + offset[channel]));
            }
            EXPECT_TRUE(SameBytes(ReadInRequests(*recording16, channel, block, 0, 131072), expected16));
            EXPECT_TRUE(SameBytes(ReadInRequests(*recording32, channel, block, 0, 7000), expected32));
        }
    }
}

} // namespace
