// "spikes --channel all" and lists: every listed channel analysed on its
// own, in parallel, printing exactly what the channels run one by one print.
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "RunNerolith.h"

namespace {

using namespace RunNerolith;

constexpr int kChannels = 5;
constexpr int kTicks = 60'000;

// Noise-free spikes at a different spacing on each channel, so that each
// channel's table is its own; channel 4 has none.
std::string WriteRecording(const Scratch& scratch)
{
    std::vector<float> samples(static_cast<std::size_t>(kTicks) * kChannels, 0.0f);
    for (int channel = 0; channel < kChannels; ++channel) {
        if (channel == 3) {
            continue;
        }
        const int spacing = 997 + 211 * channel;
        for (int tick = 50; tick + 10 < kTicks; tick += spacing) {
            for (int k = 0; k < 8; ++k) {
                samples[static_cast<std::size_t>(tick + k) * kChannels + channel] =
                    static_cast<float>((1.0 + 0.1 * channel) * std::sin(k * 0.4));
            }
        }
    }
    WriteFile(scratch / "rec.bin", std::string(reinterpret_cast<const char*>(samples.data()),
                                               samples.size() * sizeof(float)));
    WriteFile(scratch / "rec.json", R"({"file": "rec.bin", "dtype": "float32", "channels": 5, "sample_rate": 20000})");
    return scratch / "rec.json";
}

std::string OneByOne(const Scratch& scratch, const std::string& recording, const std::vector<int>& channels,
                     const std::string& options, bool errors = false)
{
    std::string joined;
    for (const int channel : channels) {
        const Outcome one = Nerolith(scratch, "spikes " + recording + " --channel " + std::to_string(channel) + options);
        joined += errors ? one.err : one.out;
    }
    return joined;
}

TEST(ChannelList, PrintsEachChannelsTableInChannelOrderAsSeparateRunsDo)
{
    const Scratch scratch("nerolith-channel-list");
    const std::string recording = WriteRecording(scratch);
    const std::string options = " --threshold 0.5 --pretrigger 0.0002 --window 0.001";
    const std::string expected = OneByOne(scratch, recording, {1, 2, 3, 4, 5}, options);
    ASSERT_GT(Lines(expected).size(), 150u);

    const Outcome all = Nerolith(scratch, "spikes " + recording + " --channel all" + options);
    EXPECT_EQ(all.status, 0) << all.err;
    EXPECT_EQ(all.out, expected);
    EXPECT_EQ(all.err, "");
    // Written in any order, repeated or as ranges: each channel once, in order.
    const Outcome listed = Nerolith(scratch, "spikes " + recording + " --channel 5,1-2,2" + options);
    EXPECT_EQ(listed.status, 0) << listed.err;
    EXPECT_EQ(listed.out, OneByOne(scratch, recording, {1, 2, 5}, options));

    // Copied apart a few channels at a time as memory allows (a channel
    // takes 234 KiB: four at a time in 1 MiB), or read from the file.
    for (const char* limit : {"1", "0"}) {
        const Outcome limited = RunIn(scratch, std::string("NEROLITH_COPY_MEMORY_MB=") + limit + " " + Program() +
                                                   " spikes " + recording + " --channel all" + options);
        EXPECT_EQ(limited.status, 0) << limited.err;
        EXPECT_EQ(limited.out, expected) << "limit " << limit << " MiB";
    }
    const Outcome malformed = RunIn(scratch, "NEROLITH_COPY_MEMORY_MB=lots " + Program() + " spikes " + recording +
                                                 " --channel all" + options);
    EXPECT_EQ(malformed.status, 1);
    EXPECT_EQ(malformed.out, "");
    EXPECT_NE(malformed.err.find("NEROLITH_COPY_MEMORY_MB=lots: expected a whole number of MiB"), std::string::npos)
        << malformed.err;
}

TEST(ChannelList, FailingChannelsReportInOrderAndTheRunFails)
{
    const Scratch scratch("nerolith-channel-list-errors");
    const std::string recording = WriteRecording(scratch);
    // A window that holds less than two samples fails every channel.
    const Outcome failed = Nerolith(scratch, "spikes " + recording + " --channel 2-4 --window 0.00001");
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(failed.out, "");
    EXPECT_EQ(failed.err, OneByOne(scratch, recording, {2, 3, 4}, " --window 0.00001", true));
    EXPECT_EQ(Lines(failed.err).size(), 3u);
}

TEST(ChannelList, RefusesWhatItCannotAnalyse)
{
    const Scratch scratch("nerolith-channel-list-refusals");
    const std::string recording = WriteRecording(scratch);
    const auto refused = [&](const std::string& arguments, int status, const std::string& message) {
        const Outcome outcome = Nerolith(scratch, arguments);
        EXPECT_EQ(outcome.status, status) << arguments;
        EXPECT_EQ(outcome.out, "") << arguments;
        EXPECT_NE(outcome.err.find(message), std::string::npos) << arguments << ": " << outcome.err;
    };
    refused("spikes " + recording + " --channel 1,6", 1, "nerolith: --channel 1,6: the recording has 5 channel(s)");
    refused("spikes " + recording + " --channel 1-999999999", 1, "--channel 1-999999999: the recording has 5");
    refused("spikes " + recording + " --channel 3-1", 1, "--channel 3-1: expected all, or channels from 1");
    refused("spikes " + recording + " --channel 0", 2, "--channel: expected a channel from 1");
    refused("spikes " + recording + " --channel 1,", 2, "--channel: expected a channel from 1");
    refused("analyze " + recording + " --channel all", 1, "--channel all: only spikes analyses several channels");
}

} // namespace
