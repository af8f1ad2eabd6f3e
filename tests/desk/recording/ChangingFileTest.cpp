#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sys/stat.h>
#include <unistd.h>

#include "desk/runtime/OpenRecording.h"
#include "desk/recording/Recording.h"
#include "desk/recording/TestFiles.h"

// Files that are not what they were, or not files at all: a FIFO in place
// of a recording, a recording cut short while it is open.
namespace {

using RecordingTest::TempFolder;
using RecordingTest::WriteFile;

constexpr std::size_t kTicks = 65536;

std::string WriteOneChannel(const TempFolder& folder, const std::string& dataName)
{
    const nlohmann::json sidecar = {
        {"file", dataName}, {"dtype", "float32"}, {"channels", 1}, {"sample_rate", 1000}};
    WriteFile(folder / "rec.json", sidecar.dump());
    return (folder / "rec.json").string();
}

// 0 when opening `source` is refused with "not a regular file".
int RefusalCode(const std::string& source)
{
    try {
        Desk::OpenRecording(source);
    } catch (const Desk::RecordingError& error) {
        return std::string(error.what()).find("not a regular file") != std::string::npos ? 0 : 3;
    }
    return 4;
}

// Opens `source` in a child that is killed after 10 s; passes when the
// child was refused instead. The child runs the test afresh, with a folder
// of its own that its exit would leave behind, so it removes it first.
void ExpectRefusedWithoutWaiting(const TempFolder& folder, const std::string& source)
{
    EXPECT_EXIT(
        {
            alarm(10);
            const int code = RefusalCode(source);
            std::filesystem::remove_all(folder.Path());
            std::exit(code);
        },
        testing::ExitedWithCode(0), "");
}

TEST(ChangingFile, AFifoIsRefusedAtOnceAsSidecarDataFileOrEdf)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const TempFolder folder;
    ASSERT_EQ(::mkfifo((folder / "fifo.json").c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo((folder / "data.bin").c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo((folder / "fifo.edf").c_str(), 0600), 0);
    ExpectRefusedWithoutWaiting(folder, (folder / "fifo.json").string());
    ExpectRefusedWithoutWaiting(folder, WriteOneChannel(folder, "data.bin"));
    ExpectRefusedWithoutWaiting(folder, (folder / "fifo.edf").string());
}

TEST(ChangingFile, ARawRecordingCutShortWhileOpenIsAnErrorNotASignal)
{
    const TempFolder folder;
    WriteFile(folder / "data.bin", std::string(kTicks * sizeof(float), '\0'));
    const auto recording = Desk::OpenRecording(WriteOneChannel(folder, "data.bin"));
    std::filesystem::resize_file(folder / "data.bin", 4096);
    std::vector<float> samples(kTicks);
    EXPECT_EQ(recording->Read(0, 0, 0, 1024, samples.data()), 1024u) << "what is still there reads";
    try {
        recording->Read(0, 0, 0, kTicks, samples.data());
        FAIL() << "expected an error";
    } catch (const Desk::RecordingError& error) {
        EXPECT_NE(std::string(error.what()).find("changed while it was read"), std::string::npos) << error.what();
        EXPECT_NE(std::string(error.what()).find("data.bin"), std::string::npos) << error.what();
    }
}

TEST(ChangingFile, AnEdfPlusDRecordingCutShortWhileOpenIsAnErrorNotASignal)
{
    const std::filesystem::path shared = RecordingTest::SharedData("edf/edfPlusD.edf");
    if (shared.empty()) {
        GTEST_SKIP() << "no shared EDF+D file";
    }
    const TempFolder folder;
    std::filesystem::copy_file(shared, folder / "cut.edf");
    const auto recording = Desk::OpenRecording((folder / "cut.edf").string());
    std::filesystem::resize_file(folder / "cut.edf", 256);
    const auto ticks = static_cast<std::size_t>(recording->Ticks(0, recording->BlockCount() - 1));
    std::vector<float> samples(ticks);
    EXPECT_THROW(recording->Read(0, recording->BlockCount() - 1, 0, ticks, samples.data()), Desk::RecordingError);
}

} // namespace
