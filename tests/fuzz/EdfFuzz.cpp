// The EDF/BDF header and record readers (EDFlib's and our own for EDF+D and
// BDF+D): the input is the file; whatever it opens is read whole, up to a
// few million samples.
#include <algorithm>
#include <vector>

#include "FuzzTarget.h"
#include "desk/recording/Recording.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string path = Fuzz::WriteInput("input.edf", data, size);
    try {
        const auto recording = Desk::OpenRecording(path);
        std::vector<float> samples;
        std::size_t budget = 4u << 20;
        for (std::int32_t block = 0; block < recording->BlockCount(); ++block) {
            for (std::int32_t channel = 0; channel < recording->ChannelCount(); ++channel) {
                const auto ticks = std::min<std::size_t>(budget, static_cast<std::size_t>(recording->Ticks(channel, block)));
                samples.resize(ticks);
                recording->Read(channel, block, 0, ticks, samples.data());
                budget -= ticks;
            }
        }
    } catch (const Desk::RecordingError&) {
    }
    return 0;
}
