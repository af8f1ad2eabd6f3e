#include <gtest/gtest.h>

#include "desk/recording/Recording.h"
#include "desk/recording/TestFiles.h"
#include "desk/runtime/OpenRecording.h"

namespace {

TEST(OpenRecording, ChoosesTheReaderByName)
{
    EXPECT_EQ(Desk::OpenRecording("demo")->Source(), "demo");

    const RecordingTest::TempFolder folder;
    RecordingTest::WriteFile(folder / "x.JSON", R"({"file": "x.f32", "dtype": "float32", "channels": 1, "sample_rate": 10})");
    RecordingTest::WriteFile(folder / "x.f32", std::string(8, '\0'));
    EXPECT_EQ(Desk::OpenRecording((folder / "x.JSON").string())->Ticks(0, 0), 2) << "extensions in any case";

    for (const std::string source : {"recording.wav", "demo.txt", "noextension", ""}) {
        try {
            Desk::OpenRecording(source);
            ADD_FAILURE() << source << " opened";
        } catch (const Desk::RecordingError& error) {
            EXPECT_NE(std::string(error.what()).find(source + ": not a recording this program reads"), std::string::npos)
                << error.what();
        }
    }
    const std::string missing = (folder / "missing.edf").string();
    EXPECT_THROW(
        {
            try {
                Desk::OpenRecording(missing);
            } catch (const Desk::RecordingError& error) {
                EXPECT_NE(std::string(error.what()).find(missing), std::string::npos) << error.what();
                throw;
            }
        },
        Desk::RecordingError);
}

} // namespace
