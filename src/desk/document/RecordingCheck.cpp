#include "desk/document/RecordingCheck.h"

#include <filesystem>

namespace Desk {
namespace {

// The built-in recording is named by this word, not by a file.
constexpr const char* kBuiltInRecording = "demo";

bool IsBuiltIn(const std::string& source)
{
    return source == kBuiltInRecording;
}

bool FileExists(const std::string& path)
{
    std::error_code error;
    return std::filesystem::exists(path, error);
}

RecordingCheck Refused(RecordingStatus status, std::string message)
{
    RecordingCheck check;
    check.status = status;
    check.message = std::move(message);
    return check;
}

} // namespace

RecordingReference ReferenceTo(const Recording& recording)
{
    const std::string source = recording.Source();
    if (IsBuiltIn(source)) {
        return {source, recording.Fingerprint()};
    }
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(source, error);
    return {error ? source : absolute.lexically_normal().string(), recording.Fingerprint()};
}

RecordingCheck ReopenRecording(const std::string& documentPath, const RecordingReference& saved,
                               const RecordingOpener& open)
{
    const std::string about = documentPath + ": its recording " + saved.path;
    if (!IsBuiltIn(saved.path) && !FileExists(saved.path)) {
        return Refused(RecordingStatus::Missing, about + " is missing");
    }
    RecordingCheck check;
    std::string fingerprint;
    try {
        check.recording = open(saved.path);
        // Worked out on first use, so reading the file for it may fail too.
        fingerprint = check.recording ? check.recording->Fingerprint() : std::string();
    } catch (const RecordingError& error) {
        return Refused(RecordingStatus::Unreadable, about + " cannot be read: " + error.what());
    }
    if (!check.recording) {
        return Refused(RecordingStatus::Unreadable, about + " cannot be read");
    }
    if (fingerprint != saved.fingerprint) {
        check.status = RecordingStatus::Changed;
        check.message = about + " has changed since the document was saved";
        return check;
    }
    check.status = RecordingStatus::Found;
    return check;
}

} // namespace Desk
