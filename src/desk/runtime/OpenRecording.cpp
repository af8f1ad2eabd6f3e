#include "desk/runtime/OpenRecording.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "desk/demo/DemoRecording.h"
#include "desk/recording/EdfDiscontinuousRecording.h"
#include "desk/recording/EdfLibRecording.h"
#include "desk/recording/RawRecording.h"
#include "desk/recording/RecordingFile.h"

namespace Desk {
namespace {

std::string LowerExtension(const std::string& source)
{
    std::string extension = std::filesystem::path(source).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

} // namespace

std::unique_ptr<Recording> OpenRecording(const std::string& source)
{
    if (source == "demo") {
        return MakeDemoRecording();
    }
    const std::string extension = LowerExtension(source);
    if (extension == ".json") {
        return std::make_unique<RawRecording>(source);
    }
    if (extension == ".edf" || extension == ".bdf") {
        // EDFlib opens with fopen, which would wait forever on a FIFO:
        // only a regular file is handed to it.
        const RecordingFile regularFile(source);
        if (auto recording = EdfLibRecording::Open(source)) {
            return recording;
        }
        return std::make_unique<EdfDiscontinuousRecording>(source);
    }
    throw RecordingError(source + ": not a recording this program reads (a raw sidecar .json, an .edf or .bdf "
                                  "file, or the word demo)");
}

} // namespace Desk
