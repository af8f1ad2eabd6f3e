#pragma once

#include <functional>
#include <memory>
#include <string>

#include "desk/document/DocumentContents.h"
#include "desk/recording/Recording.h"

namespace Desk {

// The reference a document keeps to its recording: the path made absolute,
// so the document still finds it when opened from another directory.
RecordingReference ReferenceTo(const Recording& recording);

enum class RecordingStatus {
    Found,      // there, and its contents are those the document was saved with
    Missing,    // nothing at the saved path
    Unreadable, // a file is there but does not open as a recording
    Changed,    // it opens, but its fingerprint differs from the saved one
};

// What became of a document's recording. A state rather than an exception:
// the command line prints `message` and gives up, while the desktop program
// may let the user find the file or accept the changed one.
struct RecordingCheck {
    RecordingStatus status = RecordingStatus::Missing;
    // The opened recording when Found or Changed.
    std::unique_ptr<Recording> recording;
    // Empty when Found; otherwise names the document and the recording.
    std::string message;
};

using RecordingOpener = std::function<std::unique_ptr<Recording>(const std::string& source)>;

// Opens the recording a document refers to (through `open`, normally
// Desk::OpenRecording) and compares it with what the document saved.
RecordingCheck ReopenRecording(const std::string& documentPath, const RecordingReference& saved,
                               const RecordingOpener& open);

} // namespace Desk
