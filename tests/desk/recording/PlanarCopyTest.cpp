// Channels copied apart in memory for a many-channel run must read as the
// file gives them, and only while the file is the one that was copied.
#include <cstdint>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "desk/recording/PlanarCopy.h"
#include "desk/recording/RawRecording.h"
#include "desk/recording/TestFiles.h"
#include "desk/runtime/ChannelCopy.h"
#include "desk/runtime/OpenRecording.h"

namespace {

using RecordingTest::Mapped;
using RecordingTest::TempFolder;
using RecordingTest::WriteFile;

// Two blocks, neither a multiple of any copying segment's length.
constexpr std::int32_t kTicks[] = {40'017, 3'001};
constexpr int kChannels = 4;

std::string Sidecar(const std::string& dtype, int channels, const std::string& extra = "",
                    const std::int32_t (&ticks)[2] = kTicks)
{
    return R"({"file": "data.bin", "dtype": ")" + dtype + R"(", "channels": )" + std::to_string(channels) +
           R"(, "sample_rate": 20000, "blocks": [{"ticks": )" + std::to_string(ticks[0]) + R"(}, {"ticks": )" +
           std::to_string(ticks[1]) + "}]" + extra + "}";
}

template <typename T>
std::string Samples(std::size_t count, std::size_t seed)
{
    std::vector<T> values(count);
    for (std::size_t i = 0; i < count; ++i) {
        values[i] = static_cast<T>(static_cast<std::int64_t>((i + seed) * 7919 % 65521) - 32000);
    }
    return {reinterpret_cast<const char*>(values.data()), count * sizeof(T)};
}

// Every sample of a channel's block, read in requests of odd sizes.
std::vector<float> ReadAll(const Desk::Recording& recording, std::int32_t channel, std::int32_t block)
{
    std::vector<float> samples(static_cast<std::size_t>(recording.Ticks(channel, block)));
    for (std::size_t done = 0; done < samples.size();) {
        const std::size_t got = recording.Read(channel, block, static_cast<std::int64_t>(done), 7'777,
                                               samples.data() + done);
        if (got == 0) {
            ADD_FAILURE() << "channel " << channel << " block " << block << " stops at " << done;
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

// The copy holds channels 3 and 1 of four; what a recording opened after it
// was offered reads is what one opened before reads, copied channel or not,
// for int16, scaled float and plain float samples. Changing the file's bytes
// in place afterwards shows which channels came from the copy.
TEST(PlanarCopy, CopiedChannelsReadAsTheFileGivesThem)
{
    const std::size_t frames = kTicks[0] + kTicks[1];
    const std::string scaling = R"(, "gain": [0.195, -2.5, 1.0, 3.0], "offset": [-3.5, 0.0, 1e-3, 7.0])";
    const std::pair<std::string, std::string> kinds[] = {
        {Sidecar("int16", kChannels, scaling), Samples<std::int16_t>(frames * kChannels, 1)},
        {Sidecar("float32", kChannels, scaling), Samples<float>(frames * kChannels, 2)},
        {Sidecar("float32", kChannels), Samples<float>(frames * kChannels, 3)},
    };
    for (const auto& [sidecar, data] : kinds) {
        const TempFolder folder;
        WriteFile(folder / "data.bin", data);
        WriteFile(folder / "rec.json", sidecar);
        const std::string path = (folder / "rec.json").string();
        const Desk::RawRecording before(path);
        std::optional<Desk::ChannelCopyOffer> offer(std::in_place, before, std::vector<std::int32_t>{3, 1}, 2);
        ASSERT_TRUE(offer->Made());
        const Desk::RawRecording after(path);
        for (std::int32_t channel = 0; channel < kChannels; ++channel) {
            for (std::int32_t block = 0; block < 2; ++block) {
                EXPECT_TRUE(SameBytes(ReadAll(after, channel, block), ReadAll(before, channel, block)))
                    << sidecar << ": channel " << channel << " block " << block;
            }
        }

        std::fstream file(folder / "data.bin", std::ios::in | std::ios::out | std::ios::binary);
        file.write(std::string(data.size(), '\0').data(), static_cast<std::streamsize>(data.size()));
        file.close();
        EXPECT_FALSE(SameBytes(ReadAll(after, 3, 0), ReadAll(before, 3, 0))) << "channel 3 comes from the copy";
        EXPECT_TRUE(SameBytes(ReadAll(after, 2, 0), ReadAll(before, 2, 0))) << "channel 2 from the file";
        // Withdrawn, the copy still serves the recording that reads from
        // it, but none opened afterwards.
        offer.reset();
        EXPECT_FALSE(SameBytes(ReadAll(after, 3, 0), ReadAll(before, 3, 0)));
        EXPECT_TRUE(SameBytes(ReadAll(Desk::RawRecording(path), 3, 0), ReadAll(before, 3, 0)));
    }
}

// A recording whose every channel is read from the copy leaves the file
// unmapped, even where mapping is asked for; one with a channel outside the
// copy maps it for that channel. (A many-channel run opens the recording
// once per channel: each mapping, and the timing that chooses it, costs.)
TEST(PlanarCopy, TheFileIsMappedOnlyForChannelsOutsideTheCopy)
{
    const TempFolder folder;
    const std::size_t frames = kTicks[0] + kTicks[1];
    WriteFile(folder / "data.bin", Samples<std::int16_t>(frames * kChannels, 7));
    WriteFile(folder / "rec.json", Sidecar("int16", kChannels));
    const std::string path = (folder / "rec.json").string();
    ::setenv("NEROLITH_SAMPLE_READ", "copy", 1);
    const Desk::RawRecording before(path);
    ::setenv("NEROLITH_SAMPLE_READ", "map", 1);
    {
        const Desk::ChannelCopyOffer some(before, {3, 1}, 2);
        const Desk::RawRecording partly(path);
        EXPECT_TRUE(Mapped(folder / "data.bin")) << "channels 0 and 2 are read from the file";
        EXPECT_TRUE(SameBytes(ReadAll(partly, 2, 0), ReadAll(before, 2, 0)));
    }
    {
        const Desk::ChannelCopyOffer every(before, {0, 1, 2, 3}, 2);
        const Desk::RawRecording onlyCopied(path);
        EXPECT_FALSE(Mapped(folder / "data.bin"));
        for (std::int32_t channel = 0; channel < kChannels; ++channel) {
            EXPECT_TRUE(SameBytes(ReadAll(onlyCopied, channel, 1), ReadAll(before, channel, 1))) << channel;
        }
    }
    ::unsetenv("NEROLITH_SAMPLE_READ");
}

// With hundreds of channels a copying segment holds a couple of thousand
// frames: reads cross from segment to segment, and into a short last one.
TEST(PlanarCopy, ReadsCrossTheCopysSegments)
{
    constexpr int kMany = 300;
    const std::size_t frames = kTicks[0] + kTicks[1];
    const TempFolder folder;
    WriteFile(folder / "data.bin", Samples<std::int16_t>(frames * kMany, 6));
    WriteFile(folder / "rec.json", Sidecar("int16", kMany, R"(, "gain": 0.25, "offset": -1.5)"));
    const std::string path = (folder / "rec.json").string();
    const Desk::RawRecording before(path);
    const Desk::ChannelCopyOffer offer(before, {299, 7, 150}, 2);
    const Desk::RawRecording after(path);
    for (const std::int32_t channel : {0, 7, 150, 151, 299}) {
        for (std::int32_t block = 0; block < 2; ++block) {
            EXPECT_TRUE(SameBytes(ReadAll(after, channel, block), ReadAll(before, channel, block)))
                << "channel " << channel << " block " << block;
        }
    }
}

// A copy of tens of megabytes is made by threads that each take a few
// megabytes of it at a time: the last take is short, one spans the seam
// between the blocks, and no piece is left out or copied twice.
TEST(PlanarCopy, ThreadsCopyingTogetherLeaveNoPieceOut)
{
    constexpr int kWide = 64;
    constexpr std::int32_t kLong[] = {250'003, 101'009};
    const std::size_t frames = kLong[0] + kLong[1];
    const TempFolder folder;
    WriteFile(folder / "data.bin", Samples<std::int16_t>(frames * kWide, 9));
    WriteFile(folder / "rec.json", Sidecar("int16", kWide, "", kLong));
    const std::string path = (folder / "rec.json").string();
    const Desk::RawRecording before(path);
    std::vector<std::int32_t> allButFive;
    for (std::int32_t channel = 0; channel < kWide; ++channel) {
        if (channel != 5) {
            allButFive.push_back(channel);
        }
    }
    const Desk::ChannelCopyOffer offer(before, allButFive, 3);
    ASSERT_TRUE(offer.Made());
    const Desk::RawRecording after(path);
    for (const std::int32_t channel : {0, 4, 5, 6, 63}) {
        for (std::int32_t block = 0; block < 2; ++block) {
            EXPECT_TRUE(SameBytes(ReadAll(after, channel, block), ReadAll(before, channel, block)))
                << "channel " << channel << " block " << block;
        }
    }
}

// A copy serves only the file it was made of, unchanged and read with the
// same layout; a recording, or a layout, where a copy has nothing to save
// gets none.
TEST(PlanarCopy, OnlyTheSameUnchangedFileWithTheSameLayoutReadsFromTheCopy)
{
    const TempFolder folder;
    const std::size_t frames = kTicks[0] + kTicks[1];
    const std::string data = Samples<std::int16_t>(frames * kChannels, 4);
    WriteFile(folder / "data.bin", data);
    WriteFile(folder / "rec.json", Sidecar("int16", kChannels));
    WriteFile(folder / "pairs.json", Sidecar("int16", kChannels / 2));
    const Desk::RawRecording original((folder / "rec.json").string());
    const auto copy = original.CopyChannels({0, 1, 2, 3}, 1);
    ASSERT_TRUE(copy);
    Desk::PlanarCopy::Offer(copy);
    const Desk::RecordingFile file(folder / "data.bin");
    Desk::RawSidecar sidecar = Desk::ParseRawSidecar(RecordingTest::ReadFile(folder / "rec.json"), "rec.json");
    Desk::FitRawSidecarToData(sidecar, file.Size(), "rec.json");
    EXPECT_EQ(Desk::PlanarCopy::Find(sidecar, file), copy);

    Desk::RawSidecar pairs = Desk::ParseRawSidecar(RecordingTest::ReadFile(folder / "pairs.json"), "pairs.json");
    Desk::FitRawSidecarToData(pairs, file.Size(), "pairs.json");
    EXPECT_EQ(Desk::PlanarCopy::Find(pairs, file), nullptr) << "another layout of the same bytes";

    std::filesystem::last_write_time(folder / "data.bin",
                                     std::filesystem::last_write_time(folder / "data.bin") + std::chrono::seconds(1));
    EXPECT_EQ(Desk::PlanarCopy::Find(sidecar, file), nullptr) << "changed since the copy";

    WriteFile(folder / "one.bin", Samples<float>(frames, 5));
    WriteFile(folder / "one.json", R"({"file": "one.bin", "dtype": "float32", "channels": 1, "sample_rate": 20000})");
    const Desk::RawRecording lone((folder / "one.json").string());
    EXPECT_EQ(lone.CopyChannels({0}, 1), nullptr) << "a lone channel is read on its own already";
}

// A copy takes as many channels as half the free memory holds, or as the
// user allows; a recording read one channel at a time already takes none.
TEST(PlanarCopy, TakesAsManyChannelsAtOnceAsMemoryAllows)
{
    const TempFolder folder;
    const std::size_t frames = kTicks[0] + kTicks[1];
    WriteFile(folder / "data.bin", Samples<std::int16_t>(frames * kChannels, 7));
    WriteFile(folder / "rec.json", Sidecar("int16", kChannels));
    WriteFile(folder / "one.bin", Samples<float>(frames, 8));
    WriteFile(folder / "one.json", R"({"file": "one.bin", "dtype": "float32", "channels": 1, "sample_rate": 20000})");
    const Desk::RawRecording recording((folder / "rec.json").string());
    const Desk::RawRecording lone((folder / "one.json").string());
    const auto atOnce = [&](const char* limit) {
        ::setenv("NEROLITH_COPY_MEMORY_MB", limit, 1);
        const std::size_t channels = Desk::ChannelsToCopyAtOnce(recording);
        ::unsetenv("NEROLITH_COPY_MEMORY_MB");
        return channels;
    };
    EXPECT_GE(Desk::ChannelsToCopyAtOnce(recording), static_cast<std::size_t>(kChannels));
    EXPECT_EQ(atOnce("1"), (1u << 20) / (frames * 2));
    EXPECT_EQ(atOnce("0"), 0u);
    EXPECT_GE(atOnce("99999999999999999"), static_cast<std::size_t>(kChannels)) << "no wrap past 2^64 bytes";
    for (const char* malformed : {"", "-1", "1.5", "12x"}) {
        EXPECT_THROW(atOnce(malformed), std::runtime_error) << malformed;
        ::unsetenv("NEROLITH_COPY_MEMORY_MB");
    }
    EXPECT_EQ(Desk::ChannelsToCopyAtOnce(lone), 0u);
    EXPECT_EQ(Desk::ChannelsToCopyAtOnce(*Desk::OpenRecording("demo")), 0u);
}

} // namespace
