#include <fstream>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "desk/document/RecordingCheck.h"
#include "desk/document/DocumentTestSupport.h"
#include "support/MemoryRecording.h"

using namespace Desk;
using namespace DocumentTests;
using ::testing::HasSubstr;

namespace {

std::unique_ptr<Recording> OpenMemory(const std::string&)
{
    return std::make_unique<TestSupport::MemoryRecording>(std::vector<std::vector<std::vector<float>>>{{{1.0f}}});
}

std::unique_ptr<Recording> Refuse(const std::string& source)
{
    throw RecordingError(source + ": bad header");
}

} // namespace

TEST(RecordingCheck, TellsFoundChangedMissingAndUnreadableApartNamingDocumentAndRecording)
{
    TempDirectory dir;
    const std::string recording = dir.File("rec.json");
    std::ofstream(recording) << "{}";
    const std::string document = dir.File("doc.nrl");

    RecordingCheck check = ReopenRecording(document, {recording, "memory"}, OpenMemory);
    EXPECT_EQ(check.status, RecordingStatus::Found);
    EXPECT_TRUE(check.recording);
    EXPECT_TRUE(check.message.empty());

    check = ReopenRecording(document, {recording, "raw:older"}, OpenMemory);
    EXPECT_EQ(check.status, RecordingStatus::Changed);
    EXPECT_EQ(check.message, document + ": its recording " + recording + " has changed since the document was saved");

    check = ReopenRecording(document, {dir.File("gone.json"), "memory"}, OpenMemory);
    EXPECT_EQ(check.status, RecordingStatus::Missing);
    EXPECT_THAT(check.message, HasSubstr(document + ": its recording " + dir.File("gone.json") + " is missing"));

    check = ReopenRecording(document, {recording, "memory"}, Refuse);
    EXPECT_EQ(check.status, RecordingStatus::Unreadable);
    EXPECT_THAT(check.message, HasSubstr("cannot be read: " + recording + ": bad header"));

    EXPECT_EQ(ReopenRecording(document, {"demo", "memory"}, OpenMemory).status, RecordingStatus::Found);
}

TEST(RecordingCheck, AReferenceHoldsTheAbsolutePathAndTheFingerprint)
{
    const auto recording = OpenMemory("");
    const RecordingReference reference = ReferenceTo(*recording);
    EXPECT_EQ(reference.path, (std::filesystem::current_path() / "memory").string());
    EXPECT_EQ(reference.fingerprint, "memory");
}
