// Samples read in place from the mapped file (NEROLITH_SAMPLE_READ=map)
// and samples copied out of it (=copy) must give the same results
// byte for byte, in every recording format: a lone float32 channel, interleaved float32,
// int16, scaled float32, EDF and BDF; with blocks that end inside the
// detector's chunk of 16384 samples.
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <edflib.h>
#include <gtest/gtest.h>

#include "RunNerolith.h"

namespace {

using namespace RunNerolith;

constexpr int kChannels = 3;
// Block lengths that are not multiples of the chunk, one shorter than it.
constexpr int kBlockTicks[] = {40'017, 9'001};

// Noise with spikes of several heights, different on each channel.
double Sample(int channel, int tick)
{
    const double noise = std::sin(tick * 0.37 + channel) * 0.3 + std::sin(tick * 1.91 * (channel + 1)) * 0.2;
    const int phase = tick % (601 + 97 * channel);
    return noise + (phase < 6 ? (1.0 + 0.4 * (tick % 5)) * std::sin(phase * 0.6) : 0.0);
}

template <typename T>
std::string Frames(int channels, double scale)
{
    std::vector<T> values;
    for (const int ticks : kBlockTicks) {
        for (int tick = 0; tick < ticks; ++tick) {
            for (int channel = 0; channel < channels; ++channel) {
                values.push_back(static_cast<T>(Sample(channel, tick) * scale));
            }
        }
    }
    return {reinterpret_cast<const char*>(values.data()), values.size() * sizeof(T)};
}

std::string WriteRaw(const Scratch& scratch, const std::string& name, const std::string& data,
                     const std::string& fields)
{
    WriteFile(scratch / (name + ".bin"), data);
    WriteFile(scratch / (name + ".json"),
              R"({"file": ")" + name + R"(.bin", "sample_rate": 20000, "blocks": [{"ticks": 40017, "start_time": 0},)"
                  R"( {"ticks": 9001, "start_time": 5}], )" + fields + "}");
    return scratch / (name + ".json");
}

// Two signals of 1 s records at 20 kHz; only whole records, so one block.
std::string WriteEdf(const Scratch& scratch, const std::string& name, int type, int digitalMax)
{
    const std::string path = scratch / name;
    const int handle = edfopen_file_writeonly(path.c_str(), type, 2);
    EXPECT_GE(handle, 0) << path;
    for (int signal = 0; signal < 2; ++signal) {
        edf_set_samplefrequency(handle, signal, 20000);
        edf_set_digital_maximum(handle, signal, digitalMax);
        edf_set_digital_minimum(handle, signal, -digitalMax - 1);
        edf_set_physical_maximum(handle, signal, 4.0);
        edf_set_physical_minimum(handle, signal, -4.0);
        edf_set_label(handle, signal, signal == 0 ? "A" : "B");
        edf_set_physical_dimension(handle, signal, "mV");
    }
    for (int record = 0; record < 3; ++record) {
        for (int signal = 0; signal < 2; ++signal) {
            std::vector<double> physical(20000);
            for (int i = 0; i < 20000; ++i) {
                physical[static_cast<std::size_t>(i)] = Sample(signal, record * 20000 + i);
            }
            EXPECT_EQ(edfwrite_physical_samples(handle, physical.data()), 0);
        }
    }
    EXPECT_EQ(edfclose_file(handle), 0);
    return path;
}

// What `spikes` prints and what `analyze --out` writes, file by file.
std::string Results(const Scratch& scratch, const std::string& recording, int channel, const std::string& read)
{
    const std::string env = "env NEROLITH_SAMPLE_READ=" + read + " ";
    const std::string options =
        " --channel " + std::to_string(channel) + " --threshold 0.8 --pretrigger 0.0002 --window 0.001";
    const Outcome spikes = RunIn(scratch, env + Program() + " spikes " + recording + options);
    EXPECT_EQ(spikes.status, 0) << spikes.err;
    // The same folder for both: the summary names it.
    const std::filesystem::path out = scratch.Path() / "out";
    std::filesystem::remove_all(out);
    const Outcome analyze =
        RunIn(scratch, env + Program() + " analyze " + recording + options + " --view ISIH --out " + out.string());
    EXPECT_EQ(analyze.status, 0) << analyze.err;
    std::string all = spikes.out + analyze.out;
    for (const auto& file : std::filesystem::directory_iterator(out)) {
        all += "== " + file.path().filename().string() + "\n" + ReadFile(file.path());
    }
    return all;
}

TEST(ReadPaths, InPlaceAndCopiedSamplesGiveTheSameOutputsInEveryFormat)
{
    const Scratch scratch("nerolith-read-paths");
    struct Case {
        std::string recording;
        int channel;
    };
    const std::string interleaved =
        WriteRaw(scratch, "interleaved", Frames<float>(kChannels, 1.0), R"("dtype": "float32", "channels": 3)");
    const Case cases[] = {
        {WriteRaw(scratch, "lone", Frames<float>(1, 1.0), R"("dtype": "float32", "channels": 1)"), 1},
        {interleaved, 1},
        {interleaved, 3},
        {WriteRaw(scratch, "int16", Frames<std::int16_t>(kChannels, 1000.0),
                  R"("dtype": "int16", "channels": 3, "gain": 0.001, "offset": 0.01)"), 2},
        {WriteRaw(scratch, "scaled", Frames<float>(1, 1.0), R"("dtype": "float32", "channels": 1, "gain": 1.5)"), 1},
        {WriteEdf(scratch, "rec.edf", EDFLIB_FILETYPE_EDFPLUS, 32767), 2},
        {WriteEdf(scratch, "rec.bdf", EDFLIB_FILETYPE_BDFPLUS, 8388607), 1},
    };
    for (const Case& one : cases) {
        const std::string mapped = Results(scratch, one.recording, one.channel, "map");
        EXPECT_GT(Lines(mapped).size(), 100u) << one.recording << ": too few spikes to compare";
        // Not EXPECT_EQ: its message would print pictures byte by byte.
        EXPECT_TRUE(mapped == Results(scratch, one.recording, one.channel, "copy")) << one.recording;
    }
}

} // namespace
