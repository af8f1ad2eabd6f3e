#pragma once

#include <cstdint>
#include <vector>

#include "host/IHostCalc.h"
#include "platform/com/ComPtr.h"

namespace Nerolith {

// Reads a stretch of one channel's samples back from the host, for
// waveforms the store does not keep (spike plot, template units).
class GrafoBuffer {
public:
    GrafoBuffer(IHostCalc* calc, std::int32_t channel);

    // Fills all of `samples` with the block's samples from `startTick` on.
    // Entries before tick 0 and past what the host delivers (the block's
    // end) are 0. When the host gives no samples, `samples` is emptied and
    // the result is false.
    bool Fill(std::vector<float>& samples, std::int32_t startTick, std::int32_t block);

private:
    ComPtr<IHostCalc> calc_;
    std::int32_t channel_;
};

} // namespace Nerolith
