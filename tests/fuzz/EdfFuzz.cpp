// The EDF/BDF header and record readers (EDFlib's and our own for EDF+D and
// BDF+D): the input is the file; whatever it opens must be usable, and is
// read whole up to a few million samples.
#include "Expect.h"
#include "FuzzTarget.h"
#include "desk/recording/Recording.h"
#include "desk/runtime/OpenRecording.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string path = Fuzz::WriteInput("input.edf", data, size);
    try {
        Fuzz::ExpectUsable(*Desk::OpenRecording(path), 4u << 20);
    } catch (const Desk::RecordingError&) {
    }
    return 0;
}
