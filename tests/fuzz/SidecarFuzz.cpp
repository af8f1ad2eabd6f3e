// The raw sidecar reader: the input is a sidecar beside a 4096-byte data
// file; whatever it opens is read whole.
#include <vector>

#include "FuzzTarget.h"
#include "desk/recording/Recording.h"

namespace {

void ReadEverything(const Desk::Recording& recording)
{
    std::vector<float> samples;
    for (std::int32_t block = 0; block < recording.BlockCount(); ++block) {
        for (std::int32_t channel = 0; channel < recording.ChannelCount(); ++channel) {
            samples.resize(static_cast<std::size_t>(recording.Ticks(channel, block)));
            recording.Read(channel, block, 0, samples.size(), samples.data());
        }
    }
}

} // namespace

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
        ReadEverything(*Desk::OpenRecording(sidecar));
    } catch (const Desk::RecordingError&) {
    }
    return 0;
}
