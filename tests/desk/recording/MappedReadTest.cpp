// Samples read in place from the mapped data file: which channels are lent
// rather than copied, that lent samples are the very ones a copy gives, and
// that a file cut short under the mapping is the read error the copying
// path gives, never a signal.
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <numeric>
#include <string>
#include <vector>

#include <sys/wait.h>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "desk/calc/CalcEngine.h"
#include "desk/recording/Recording.h"
#include "desk/recording/TestFiles.h"
#include "desk/runtime/OpenRecording.h"
#include "host/IEnumSampleSpans.h"

namespace {

using RecordingTest::TempFolder;
using RecordingTest::WriteFile;

constexpr std::size_t kTicks = 1 << 20; // 4 MiB of float32: many pages

std::string WriteRecording(const TempFolder& folder, const std::string& name, nlohmann::json sidecar,
                           std::size_t bytesPerFrame)
{
    std::string data(kTicks * bytesPerFrame, '\0');
    for (std::size_t i = 0; i < data.size(); ++i) {
        data[i] = static_cast<char>(i * 131 % 251);
    }
    WriteFile(folder / (name + ".bin"), data);
    sidecar["file"] = name + ".bin";
    sidecar["sample_rate"] = 20000;
    WriteFile(folder / (name + ".json"), sidecar.dump());
    return (folder / (name + ".json")).string();
}

std::string LoneFloat32(const TempFolder& folder)
{
    return WriteRecording(folder, "lone", {{"dtype", "float32"}, {"channels", 1}}, 4);
}

// Mapping is asked for; small files are copied by default.
class MappedRead : public testing::Test {
protected:
    void SetUp() override { ::setenv("NEROLITH_SAMPLE_READ", "map", 1); }
    void TearDown() override { ::unsetenv("NEROLITH_SAMPLE_READ"); }
};

void ExpectChangedError(const Desk::RecordingError& error)
{
    EXPECT_NE(std::string(error.what()).find("changed while it was read"), std::string::npos) << error.what();
    EXPECT_NE(std::string(error.what()).find("lone.bin"), std::string::npos) << error.what();
}

TEST_F(MappedRead, OnlyALoneUnscaledFloat32ChannelIsLentAndItEqualsTheCopy)
{
    const TempFolder folder;
    const auto lone = Desk::OpenRecording(LoneFloat32(folder));
    const std::span<const float> lent = lone->Lend(0, 0, 1000, 5000);
    ASSERT_EQ(lent.size(), 5000u);
    std::vector<float> copied(5000);
    ASSERT_EQ(lone->Read(0, 0, 1000, copied.size(), copied.data()), copied.size());
    EXPECT_EQ(std::memcmp(lent.data(), copied.data(), copied.size() * sizeof(float)), 0);
    EXPECT_EQ(lone->Lend(0, 0, kTicks - 10, 5000).size(), 10u) << "shorter at the block end";
    EXPECT_TRUE(lone->Lend(0, 0, kTicks, 1).empty()) << "nothing past it";
    EXPECT_TRUE(lone->Lend(1, 0, 0, 1).empty()) << "no such channel";

    const std::string others[] = {
        WriteRecording(folder, "interleaved", {{"dtype", "float32"}, {"channels", 2}}, 8),
        WriteRecording(folder, "scaled", {{"dtype", "float32"}, {"channels", 1}, {"gain", 2.0}}, 4),
        WriteRecording(folder, "int16", {{"dtype", "int16"}, {"channels", 1}}, 2),
    };
    for (const std::string& sidecar : others) {
        EXPECT_TRUE(Desk::OpenRecording(sidecar)->Lend(0, 0, 0, 100).empty()) << sidecar;
    }

    ::unsetenv("NEROLITH_SAMPLE_READ");
    const auto copying = Desk::OpenRecording(LoneFloat32(folder));
    EXPECT_TRUE(copying->Lend(0, 0, 0, 100).empty()) << "by default nothing is mapped, nothing lent";
}

// Invisible in the samples: the mapping asks for its pages in order and,
// where the kernel has them, huge, so that a recording read from disk is
// cached, and mapped by this and later runs, 2 MiB at a time.
TEST_F(MappedRead, TheMappingAsksForItsPagesInOrderAndHuge)
{
    const TempFolder folder;
    const auto lone = Desk::OpenRecording(LoneFloat32(folder));
    const std::string flags = RecordingTest::MappingFlags(folder / "lone.bin");
    ASSERT_FALSE(flags.empty()) << "mapped";
    EXPECT_NE(flags.find(" sr "), std::string::npos) << flags;
    if (std::filesystem::exists("/sys/kernel/mm/transparent_hugepage")) {
        EXPECT_NE(flags.find(" hg "), std::string::npos) << flags;
    }
}

// Without NEROLITH_SAMPLE_READ a file this large is mapped or copied as
// timing its pages decides, which differs by machine: either way its
// samples are those a copy gives; "copy" maps nothing.
TEST_F(MappedRead, ALargeFileIsReadAsTheCopyWhicheverWayIsChosen)
{
    const TempFolder folder;
    std::string data(std::size_t{20} << 20, '\0');
    for (std::size_t i = 0; i < data.size(); ++i) {
        data[i] = static_cast<char>(i * 131 % 251 % 64);
    }
    WriteFile(folder / "large.bin", data);
    WriteFile(folder / "large.json", R"({"file": "large.bin", "dtype": "float32", "channels": 1, "sample_rate": 20000})");
    const std::string sidecar = (folder / "large.json").string();
    const std::size_t ticks = data.size() / sizeof(float);
    ::setenv("NEROLITH_SAMPLE_READ", "copy", 1);
    const auto copying = Desk::OpenRecording(sidecar);
    EXPECT_TRUE(copying->Lend(0, 0, 0, 100).empty());
    std::vector<float> copied(ticks);
    ASSERT_EQ(copying->Read(0, 0, 0, ticks, copied.data()), ticks);

    ::unsetenv("NEROLITH_SAMPLE_READ");
    const auto chosen = Desk::OpenRecording(sidecar);
    std::vector<float> read(ticks);
    ASSERT_EQ(chosen->Read(0, 0, 0, ticks, read.data()), ticks);
    EXPECT_EQ(std::memcmp(read.data(), copied.data(), ticks * sizeof(float)), 0);
    const std::span<const float> lent = chosen->Lend(0, 0, 0, ticks);
    if (!lent.empty()) {
        ASSERT_EQ(lent.size(), ticks);
        EXPECT_EQ(std::memcmp(lent.data(), copied.data(), ticks * sizeof(float)), 0);
    } else {
        EXPECT_FALSE(RecordingTest::Mapped(folder / "large.bin")) << "the trial's mapping is gone once copying is chosen";
    }
}

// The file is read from disk first, in huge pages where the kernel has
// them, which the cut splits.
TEST_F(MappedRead, LentSamplesOfAFileCutShortReadAsZerosAndTheCheckFails)
{
    const TempFolder folder;
    const std::string sidecar = LoneFloat32(folder);
    RecordingTest::Evict(folder / "lone.bin");
    const auto recording = Desk::OpenRecording(sidecar);
    const std::span<const float> lent = recording->Lend(0, 0, 0, kTicks);
    ASSERT_EQ(lent.size(), kTicks);
    EXPECT_NE(std::accumulate(lent.begin(), lent.end(), 0.0f), 0.0f);
    recording->CheckLent();
    std::filesystem::resize_file(folder / "lone.bin", 4096);
    // Touching the pages the file lost would raise SIGBUS.
    EXPECT_EQ(std::accumulate(lent.begin() + kTicks / 2, lent.end(), 0.0f), 0.0f);
    try {
        recording->CheckLent();
        FAIL() << "expected an error";
    } catch (const Desk::RecordingError& error) {
        ExpectChangedError(error);
    }
    std::vector<float> samples(16);
    EXPECT_THROW(recording->Read(0, 0, 0, samples.size(), samples.data()), Desk::RecordingError)
        << "the recording stays failed";
}

TEST_F(MappedRead, AnEnumeratorWhoseLentSamplesWereCutFailsOnItsNextCall)
{
    const TempFolder folder;
    const auto recording = Desk::OpenRecording(LoneFloat32(folder));
    Desk::CalcEngine engine(*recording);
    ComPtr<IEnumSamples> samples;
    ASSERT_EQ(engine.Calc()->OpenSamples(0, 0, 0, Host::kSampleRequest, samples.Put()), S_OK);
    ComPtr<IEnumSampleSpans> spans;
    ASSERT_EQ(samples->QueryInterface(IEnumSampleSpans::iid, reinterpret_cast<void**>(spans.Put())), S_OK);
    const float* lent = nullptr;
    std::uint32_t fetched = 0;
    ASSERT_EQ(spans->NextSpan(1000, &lent, &fetched), S_OK);
    EXPECT_EQ(spans->NextSpan(0, &lent, &fetched), S_OK) << "nothing changed, more to come";
    EXPECT_EQ(samples->Tick(), 1000);
    ASSERT_EQ(spans->NextSpan(kTicks, &lent, &fetched), S_FALSE);
    ASSERT_EQ(fetched, kTicks - 1000);
    std::filesystem::resize_file(folder / "lone.bin", 0);
    volatile float last = lent[fetched - 1];
    EXPECT_EQ(last, 0.0f);
    try {
        spans->NextSpan(0, &lent, &fetched);
        FAIL() << "expected an error";
    } catch (const Desk::RecordingError& error) {
        ExpectChangedError(error);
    }
}

TEST_F(MappedRead, ABusErrorOutsideEveryMappingStillEndsTheProcess)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const TempFolder folder;
    const auto recording = Desk::OpenRecording(LoneFloat32(folder));
    ASSERT_FALSE(recording->Lend(0, 0, 0, 1).empty()) << "the guard is installed";
    // The signal goes on to the handler before ours: the default kills the
    // process with it, a sanitizer's reports it and exits with an error.
    const auto ended = [](int status) {
        return (WIFSIGNALED(status) && WTERMSIG(status) == SIGBUS) || (WIFEXITED(status) && WEXITSTATUS(status) != 0);
    };
    // The child runs the test afresh, with a folder of its own that dying
    // would leave behind.
    EXPECT_EXIT(
        {
            std::filesystem::remove_all(folder.Path());
            std::raise(SIGBUS);
        },
        ended, "");
}

} // namespace
