#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "host/HostTypes.h"
#include "host/IHostRecording.h"
#include "platform/com/Result.h"
#include "platform/text/VexString.h"

namespace Nerolith {

// What a NeuroExplorer export holds: the units of the exported channel and
// every spike of the analysis in store order.
struct NexInput {
    struct Unit {
        VEX::String name;
        std::int32_t number = 0;
    };
    struct Spike {
        Host::Position position;
        std::int32_t unit = -1;
    };

    std::vector<Unit> units;
    std::vector<Spike> spikes;
    double sampleInterval = 0.0; // seconds per tick of the analysed channel
    // The recording's blocks, each of which "Block start times" lists, and
    // the seconds from its start to the end of the last one: the file's
    // extent whatever the spikes and units.
    std::int32_t blockCount = 0;
    double recordingEnd = 0.0;
    // Seconds from the start of the recording to a block; none when the host
    // cannot say.
    std::function<std::optional<double>(std::int32_t block)> blockStartTime;
};

// The recording's block count and the end of its last block as the
// channel's ticks measure it.
void SetRecordingExtent(NexInput& input, IHostRecording& recording, std::int32_t channel);

inline constexpr std::size_t kNexFileHeaderSize = 544;
inline constexpr std::size_t kNexVariableHeaderSize = 208;

// The file's bytes: one neuron variable per unit with the times (in ticks
// from the start of the recording) of its spikes, then the event variable
// "Block start times" with the start of every block. The header's begin and
// end span the blocks and the spikes. Fails with E_INVALIDARG for a sample interval that is
// not positive, a time that does not fit the format's 32-bit ticks or a
// block whose start the host cannot give.
HRESULT EncodeNex(const NexInput& input, std::vector<std::uint8_t>& bytes);

// Encodes and writes the file at `path` (UTF-8). The file is written beside
// under a temporary name and moved into place only when complete, so a
// failed write (E_FAIL) leaves no broken file and keeps an earlier one.
HRESULT WriteNex(const NexInput& input, const std::string& path);

} // namespace Nerolith
