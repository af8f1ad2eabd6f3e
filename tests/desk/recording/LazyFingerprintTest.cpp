// Recordings work out their fingerprint when it is first asked for: it must
// still describe the file that was opened, and a file cut short since then
// must fail as a read does, not hash what is left.
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "desk/recording/Recording.h"
#include "desk/recording/TestFiles.h"
#include "desk/runtime/OpenRecording.h"

namespace {

using RecordingTest::TempFolder;
using RecordingTest::WriteFile;

std::string Samples(std::size_t count, float first)
{
    std::vector<float> values(count);
    for (std::size_t i = 0; i < count; ++i) {
        values[i] = first + static_cast<float>(i);
    }
    return {reinterpret_cast<const char*>(values.data()), values.size() * sizeof(float)};
}

std::string WriteRecording(const TempFolder& folder)
{
    WriteFile(folder / "data.bin", Samples(5000, 0.0f));
    WriteFile(folder / "rec.json", R"({"file": "data.bin", "dtype": "float32", "channels": 1, "sample_rate": 1000})");
    return (folder / "rec.json").string();
}

TEST(LazyFingerprint, DescribesTheFileOpenedEvenWhenThePathNowNamesAnother)
{
    const TempFolder folder;
    const std::string path = WriteRecording(folder);
    const std::string original = Desk::OpenRecording(path)->Fingerprint();
    const auto opened = Desk::OpenRecording(path);

    WriteFile(folder / "new.bin", Samples(5000, 1.0f));
    std::filesystem::rename(folder / "new.bin", folder / "data.bin");

    EXPECT_EQ(opened->Fingerprint(), original);
    EXPECT_EQ(opened->Fingerprint(), original);
    EXPECT_NE(Desk::OpenRecording(path)->Fingerprint(), original);
}

TEST(LazyFingerprint, FileCutShortAfterOpeningFailsAsAReadDoes)
{
    const TempFolder folder;
    const std::string path = WriteRecording(folder);
    const auto opened = Desk::OpenRecording(path);
    std::filesystem::resize_file(folder / "data.bin", 100);
    EXPECT_THROW(opened->Fingerprint(), Desk::RecordingError);
}

} // namespace
