#include <bit>
#include <fstream>
#include <stdexcept>
#include <system_error>
#include <vector>

#include <nlohmann/json.hpp>

#include "desk/demo/DemoRecording.h"

namespace Desk {
namespace {

constexpr const char* kDataFile = "demo.f32";

std::ofstream OpenForWriting(const std::filesystem::path& path)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        throw std::runtime_error(path.string() + ": cannot be written");
    }
    return out;
}

void Finish(std::ofstream& out, const std::filesystem::path& path)
{
    out.close();
    if (!out) {
        throw std::runtime_error(path.string() + ": writing it failed");
    }
}

// Channels interleaved tick by tick, blocks one after another, float32
// little-endian as the raw format stores them.
void WriteSamples(const Recording& demo, const std::filesystem::path& path)
{
    static_assert(std::endian::native == std::endian::little, "the raw format stores little-endian floats");
    std::ofstream out = OpenForWriting(path);
    const std::int32_t channels = demo.ChannelCount();
    for (std::int32_t block = 0; block < demo.BlockCount(); ++block) {
        const auto ticks = static_cast<std::size_t>(demo.Ticks(0, block));
        std::vector<float> channel(ticks);
        std::vector<float> frames(ticks * static_cast<std::size_t>(channels));
        for (std::int32_t c = 0; c < channels; ++c) {
            demo.Read(c, block, 0, ticks, channel.data());
            for (std::size_t t = 0; t < ticks; ++t) {
                frames[t * static_cast<std::size_t>(channels) + static_cast<std::size_t>(c)] = channel[t];
            }
        }
        out.write(reinterpret_cast<const char*>(frames.data()), static_cast<std::streamsize>(frames.size() * sizeof(float)));
    }
    Finish(out, path);
}

void WriteSidecar(const Recording& demo, const std::filesystem::path& path)
{
    nlohmann::ordered_json sidecar;
    sidecar["file"] = kDataFile;
    sidecar["dtype"] = "float32";
    sidecar["channels"] = demo.ChannelCount();
    sidecar["sample_rate"] = kDemoSampleRate;
    for (std::int32_t c = 0; c < demo.ChannelCount(); ++c) {
        sidecar["channel_titles"].push_back(demo.ChannelTitle(c).ToUtf8());
        sidecar["channel_units"].push_back(demo.ChannelUnit(c).ToUtf8());
    }
    for (std::int32_t block = 0; block < demo.BlockCount(); ++block) {
        sidecar["blocks"].push_back({{"ticks", demo.Ticks(0, block)}, {"start_time", demo.BlockStartTime(block)}});
    }
    for (const RecordedEvents& source : demo.Events()) {
        nlohmann::ordered_json marks = nlohmann::ordered_json::array();
        for (const EventMark& mark : source.marks) {
            marks.push_back({mark.block, mark.tick});
        }
        sidecar["events"].push_back({{"name", source.name.ToUtf8()}, {"events", std::move(marks)}});
    }
    std::ofstream out = OpenForWriting(path);
    out << sidecar.dump(1) << '\n';
    Finish(out, path);
}

void WriteTruth(const std::filesystem::path& path)
{
    std::ofstream out = OpenForWriting(path);
    out << "unit\tblock\ttick\n";
    for (const TruthSpike& spike : DemoGroundTruth()) {
        out << spike.unit << '\t' << spike.block << '\t' << spike.tick << '\n';
    }
    Finish(out, path);
}

} // namespace

void WriteDemo(const std::filesystem::path& folder)
{
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        throw std::runtime_error(folder.string() + ": cannot create the folder: " + error.message());
    }
    const std::unique_ptr<Recording> demo = MakeDemoRecording();
    WriteSamples(*demo, folder / kDataFile);
    WriteSidecar(*demo, folder / "demo.json");
    WriteTruth(folder / "demo.truth.tsv");
}

} // namespace Desk
