// The raw sidecar reader: the input is a sidecar beside a 4096-byte data
// file; whatever it opens must be usable and read whole.
#include <vector>

#include "Expect.h"
#include "FuzzTarget.h"
#include "desk/recording/Recording.h"
#include "desk/runtime/OpenRecording.h"


extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string dataFile = [] {
        std::vector<std::uint8_t> bytes(4096);
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            bytes[i] = static_cast<std::uint8_t>(i * 37);
        }
        return Fuzz::WriteInput("data.bin", bytes.data(), bytes.size());
    }();
    (void)dataFile;
    const std::string sidecar = Fuzz::WriteInput("rec.json", data, size);
    try {
        Fuzz::ExpectUsable(*Desk::OpenRecording(sidecar), 1u << 20);
    } catch (const Desk::RecordingError&) {
    }
    return 0;
}
