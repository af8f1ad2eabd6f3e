#include <cstring>
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

template <typename T>
std::string Bytes(const std::vector<T>& values)
{
    return {reinterpret_cast<const char*>(values.data()), values.size() * sizeof(T)};
}

std::vector<float> ReadAll(const Desk::Recording& recording, std::int32_t channel, std::int32_t block)
{
    std::vector<float> samples(static_cast<std::size_t>(recording.Ticks(channel, block)));
    EXPECT_EQ(recording.Read(channel, block, 0, samples.size(), samples.data()), samples.size());
    return samples;
}

// Writes the sidecar and its data file; returns the sidecar's path.
std::string WriteRecording(const TempFolder& folder, const Json& sidecar, const std::string& data)
{
    WriteFile(folder / "data.bin", data);
    WriteFile(folder / "rec.json", sidecar.dump());
    return (folder / "rec.json").string();
}

Json FloatSidecar()
{
    return {{"file", "data.bin"}, {"dtype", "float32"}, {"channels", 3}, {"sample_rate", 1000},
            {"channel_titles", {"a", "b", "c"}}, {"channel_units", {"mV", "uV", "V"}},
            {"blocks", {{{"ticks", 4}, {"start_time", 0.0}}, {{"ticks", 3}, {"start_time", 10.0}}}}};
}

// Sample value = block * 100 + tick * 10 + channel, interleaved by channel.
std::vector<float> FloatData()
{
    std::vector<float> data;
    for (int block = 0; block < 2; ++block) {
        for (int tick = 0; tick < (block == 0 ? 4 : 3); ++tick) {
            for (int channel = 0; channel < 3; ++channel) {
                data.push_back(static_cast<float>(block * 100 + tick * 10 + channel));
            }
        }
    }
    return data;
}

TEST(RawRecording, ReadsInterleavedChannelsAcrossBlocks)
{
    const TempFolder folder;
    Json sidecar = FloatSidecar();
    sidecar["events"] = {{{"name", "Stim"}, {"events", {{1, 2}, {0, 3}, {0, 1}}}}, {{"name", "Empty"}, {"events", Json::array()}}};
    const auto recording = Desk::OpenRecording(WriteRecording(folder, sidecar, Bytes(FloatData())));

    ASSERT_EQ(recording->ChannelCount(), 3);
    ASSERT_EQ(recording->BlockCount(), 2);
    EXPECT_EQ(recording->Ticks(2, 1), 3);
    EXPECT_DOUBLE_EQ(recording->SampleInterval(0, 1), 0.001);
    EXPECT_DOUBLE_EQ(recording->BlockStartTime(1), 10.0);
    EXPECT_EQ(recording->ChannelTitle(1).ToUtf8(), "b");
    EXPECT_EQ(recording->ChannelUnit(2).ToUtf8(), "V");
    for (int block = 0; block < 2; ++block) {
        for (int channel = 0; channel < 3; ++channel) {
            const std::vector<float> samples = ReadAll(*recording, channel, block);
            for (std::size_t tick = 0; tick < samples.size(); ++tick) {
                EXPECT_EQ(samples[tick], block * 100 + static_cast<int>(tick) * 10 + channel);
            }
        }
    }

    float tail[8] = {};
    EXPECT_EQ(recording->Read(1, 1, 1, 8, tail), 2u) << "a read stops at the block end";
    EXPECT_EQ(tail[1], 121.0f);
    EXPECT_EQ(recording->Read(1, 1, 3, 8, tail), 0u);
    EXPECT_EQ(recording->Read(1, 1, -1, 8, tail), 0u);
    EXPECT_EQ(recording->Read(3, 0, 0, 8, tail), 0u);
    EXPECT_EQ(recording->Read(0, 2, 0, 8, tail), 0u);

    ASSERT_EQ(recording->Events().size(), 2u);
    EXPECT_EQ(recording->Events()[0].name.ToUtf8(), "Stim");
    const std::vector<Desk::EventMark>& marks = recording->Events()[0].marks;
    ASSERT_EQ(marks.size(), 3u);
    EXPECT_EQ(std::make_pair(marks[0].block, marks[0].tick), std::make_pair(0, 1)) << "marks come sorted";
    EXPECT_EQ(std::make_pair(marks[2].block, marks[2].tick), std::make_pair(1, 2));
}

TEST(RawRecording, ScalesInt16WithGainAndOffset)
{
    const TempFolder folder;
    const Json sidecar{{"file", "data.bin"}, {"dtype", "int16"}, {"channels", 2}, {"sample_rate", 20000},
                       {"gain", {0.5, 2.0}}, {"offset", {1.0, -3.0}}};
    const std::vector<std::int16_t> data{-32768, 32767, 0, -1, 100, 7};
    const auto recording = Desk::OpenRecording(WriteRecording(folder, sidecar, Bytes(data)));

    ASSERT_EQ(recording->BlockCount(), 1) << "no blocks: one block holding the whole file";
    EXPECT_EQ(recording->Ticks(0, 0), 3);
    EXPECT_EQ(recording->ChannelTitle(1).ToUtf8(), "Channel 2");
    EXPECT_EQ(ReadAll(*recording, 0, 0), (std::vector<float>{-32768 * 0.5f + 1, 1, 51}));
    EXPECT_EQ(ReadAll(*recording, 1, 0), (std::vector<float>{32767 * 2.0f - 3, -5, 11}));

    const TempFolder other;
    Json single = sidecar;
    single["gain"] = 0.25;
    single.erase("offset");
    const auto scaled = Desk::OpenRecording(WriteRecording(other, single, Bytes(data)));
    EXPECT_EQ(ReadAll(*scaled, 1, 0), (std::vector<float>{32767 * 0.25f, -0.25f, 1.75f})) << "one gain for all";
}

struct BadSidecar {
    const char* what;
    Json sidecar;
    std::string fault; // must appear in the message
};

void ExpectRefused(const std::string& sidecarPath, const std::string& fault, const char* what)
{
    try {
        Desk::OpenRecording(sidecarPath);
        ADD_FAILURE() << what << ": opened";
    } catch (const Desk::RecordingError& error) {
        const std::string message = error.what();
        EXPECT_NE(message.find(sidecarPath), std::string::npos) << what << ": " << message;
        EXPECT_NE(message.find(fault), std::string::npos) << what << ": " << message;
    }
}

Json With(Json sidecar, const Json::json_pointer& where, const Json& value)
{
    sidecar[where] = value;
    return sidecar;
}

Json Without(Json sidecar, const std::string& key)
{
    sidecar.erase(key);
    return sidecar;
}

TEST(RawRecording, FingerprintFollowsTheContents)
{
    const TempFolder folder;
    std::vector<float> data = FloatData();
    const std::string path = WriteRecording(folder, FloatSidecar(), Bytes(data));
    const std::string original = Desk::OpenRecording(path)->Fingerprint();
    EXPECT_EQ(Desk::OpenRecording(path)->Fingerprint(), original);

    data[5] += 1;
    WriteFile(folder / "data.bin", Bytes(data));
    const std::string changedSample = Desk::OpenRecording(path)->Fingerprint();
    EXPECT_NE(changedSample, original);

    WriteFile(folder / "rec.json", With(FloatSidecar(), "/sample_rate"_json_pointer, 2000).dump());
    EXPECT_NE(Desk::OpenRecording(path)->Fingerprint(), changedSample);
}

TEST(RawRecording, RefusesMalformedSidecars)
{
    const Json good = FloatSidecar();
    const std::vector<BadSidecar> cases{
        {"no data file", Without(good, "file"), "\"file\" is missing"},
        {"data file not text", With(good, "/file"_json_pointer, 3), "\"file\" must be a string"},
        {"no dtype", Without(good, "dtype"), "\"dtype\" is missing"},
        {"unknown dtype", With(good, "/dtype"_json_pointer, "float64"), "\"dtype\" is \"float64\""},
        {"no channels", Without(good, "channels"), "\"channels\" is missing"},
        {"zero channels", With(good, "/channels"_json_pointer, 0), "\"channels\" is 0"},
        {"negative channels", With(good, "/channels"_json_pointer, -2), "\"channels\" is -2"},
        {"absurd channels", With(good, "/channels"_json_pointer, 1u << 30), "\"channels\" is 1073741824"},
        {"fractional channels", With(good, "/channels"_json_pointer, 2.5), "\"channels\" must be a whole number"},
        {"channels as text", With(good, "/channels"_json_pointer, "3"), "\"channels\" must be a whole number"},
        {"zero rate", With(good, "/sample_rate"_json_pointer, 0), "\"sample_rate\" is 0 Hz"},
        {"negative rate", With(good, "/sample_rate"_json_pointer, -1000), "\"sample_rate\" is -1000 Hz"},
        {"absurd rate", With(good, "/sample_rate"_json_pointer, 1e15), "\"sample_rate\" is 1e+15 Hz"},
        {"rate as text", With(good, "/sample_rate"_json_pointer, "fast"), "\"sample_rate\" must be a number"},
        {"short gain", With(good, "/gain"_json_pointer, {1.0, 2.0}), "\"gain\" has 2 entries for 3 channels"},
        {"long offset", With(good, "/offset"_json_pointer, {1, 2, 3, 4}), "\"offset\" has 4 entries for 3 channels"},
        {"gain as text", With(good, "/gain"_json_pointer, {1, "x", 3}), "\"gain\" entry 2 must be a number"},
        {"zero gain", With(good, "/gain"_json_pointer, {1, 0, 3}), "\"gain\" of 0"},
        {"short titles", With(good, "/channel_titles"_json_pointer, {"a"}), "\"channel_titles\" has 1 entries"},
        {"title not text", With(good, "/channel_titles"_json_pointer, {"a", 2, "c"}), "\"channel_titles\" entry 2"},
        {"units not a list", With(good, "/channel_units"_json_pointer, "mV"), "\"channel_units\" must be a list"},
        {"no blocks listed", With(good, "/blocks"_json_pointer, Json::array()), "\"blocks\" is empty"},
        {"block without ticks", With(good, "/blocks/1"_json_pointer, {{"start_time", 1}}), "block 1: \"ticks\" is missing"},
        {"empty block", With(good, "/blocks/0/ticks"_json_pointer, 0), "block 0: \"ticks\" is 0"},
        {"block past int32", With(good, "/blocks/0/ticks"_json_pointer, 1ll << 31), "block 0: \"ticks\" is 2147483648"},
        {"blocks overlap", With(good, "/blocks/1/start_time"_json_pointer, 0.002), "block 1: it starts at 0.002 s"},
        {"negative start", With(good, "/blocks/0/start_time"_json_pointer, -1), "block 0: it starts at -1 s"},
        {"event past blocks", With(good, "/events"_json_pointer, {{{"name", "S"}, {"events", {{2, 0}}}}}),
         "the event at block 2, tick 0 lies past the last block"},
        {"event past block end", With(good, "/events"_json_pointer, {{{"name", "S"}, {"events", {{1, 3}}}}}),
         "the event at block 1, tick 3 lies past the end of that block (3 ticks)"},
        {"negative event tick", With(good, "/events"_json_pointer, {{{"name", "S"}, {"events", {{0, -1}}}}}),
         "event 1: the tick is -1"},
        {"event not a pair", With(good, "/events"_json_pointer, {{{"name", "S"}, {"events", {{0, 1, 2}}}}}),
         "event 1 must be a [block, tick] pair"},
        {"unnamed events", With(good, "/events"_json_pointer, {{{"events", Json::array()}}}),
         "event source 1: \"name\" is missing"},
        {"events named twice", With(good, "/events"_json_pointer, {{{"name", "S"}, {"events", Json::array()}}, {{"name", "S"}, {"events", Json::array()}}}),
         "the name \"S\" is used twice"},
        {"not an object", Json::array({1, 2}), "must be a JSON object"},
    };
    const std::string data = Bytes(FloatData());
    for (const BadSidecar& bad : cases) {
        const TempFolder folder;
        ExpectRefused(WriteRecording(folder, bad.sidecar, data), bad.fault, bad.what);
    }
}

TEST(RawRecording, RefusesDataFilesThatDoNotMatch)
{
    const Json good = FloatSidecar();
    const std::string data = Bytes(FloatData());
    {
        const TempFolder folder;
        ExpectRefused(WriteRecording(folder, good, data.substr(0, data.size() - 1)),
                      "the data file " + (folder / "data.bin").string() + " holds 83 bytes, but the blocks need 84",
                      "short data file");
    }
    {
        const TempFolder folder;
        ExpectRefused(WriteRecording(folder, Without(good, "blocks"), data.substr(0, 13)),
                      "holds 13 bytes, which is not a whole number of 12-byte sample frames", "ragged data file");
    }
    {
        const TempFolder folder;
        ExpectRefused(WriteRecording(folder, With(good, "/file"_json_pointer, "missing.bin"), data),
                      "missing.bin: cannot open: No such file", "missing data file");
    }
    {
        // Each block's byte count fits, their sum does not.
        Json huge = With(good, "/channels"_json_pointer, 16384);
        huge.erase("channel_titles");
        huge.erase("channel_units");
        huge["blocks"] = Json::array();
        for (int i = 0; i < (1 << 17) + 1; ++i) {
            huge["blocks"].push_back({{"ticks", 2147483647}});
        }
        const TempFolder folder;
        ExpectRefused(WriteRecording(folder, huge, data), "their byte count overflows", "overflowing blocks");
    }
    {
        const TempFolder folder;
        WriteFile(folder / "rec.json", "{\"file\": \"data.bin\", ");
        ExpectRefused((folder / "rec.json").string(), "not valid JSON", "truncated JSON");
        ExpectRefused((folder / "none.json").string(), "cannot open: No such file", "missing sidecar");
    }
}

} // namespace
