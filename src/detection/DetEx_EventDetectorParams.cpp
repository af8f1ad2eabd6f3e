#include "detection/DetEx_EventDetectorParams.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>

#include "detection/SpikeData.h"

namespace Nerolith {
namespace {

// The smallest float at or above `h`: for every float x, x < result exactly
// when double(x) < h.
float FloatAtOrAbove(double h)
{
    if (std::isnan(h)) {
        return std::numeric_limits<float>::quiet_NaN();
    }
    if (h > FLT_MAX) {
        return std::numeric_limits<float>::infinity();
    }
    if (h <= -FLT_MAX) {
        return -FLT_MAX;
    }
    float f = static_cast<float>(h);
    if (static_cast<double>(f) < h) {
        f = std::nextafter(f, std::numeric_limits<float>::infinity());
    }
    return f;
}

// Modes are 0 or 1; anything that is not 1 or more counts as 0.
std::int32_t ModeOf(double value) { return value >= 1.0 ? 1 : 0; }

} // namespace

std::uint32_t DetEx_EventDetectorParams::TicksOf(double seconds, double sampleInterval)
{
    const double ticks = seconds / sampleInterval + 0.5;
    if (!(ticks >= 0.0)) {
        return 0;
    }
    if (ticks >= static_cast<double>(std::numeric_limits<std::uint32_t>::max())) {
        return std::numeric_limits<std::uint32_t>::max();
    }
    return static_cast<std::uint32_t>(ticks);
}

void DetEx_EventDetectorParams::SetValues(std::span<const double, kNumberCount> numbers)
{
    height_ = numbers[0];
    floatThreshold_ = FloatAtOrAbove(height_);
    pretriggerTime_ = numbers[1];
    totalTriggerTime_ = numbers[2];
    sourceChannelIndex_ = std::max(ToInt32(numbers[3], 0), 0);
    discriminationMode_ = ModeOf(numbers[4]);
    signalMode_ = ModeOf(numbers[5]);
    SetLimits(numbers[6], numbers[7], numbers[8], numbers[9]);
}

HRESULT DetEx_EventDetectorParams::Prepare(std::int32_t record)
{
    const HRESULT hr = ParamsBase::Prepare(record);
    if (Failed(hr)) {
        return hr;
    }
    pretriggerTicks_ = TicksOf(pretriggerTime_, SampleInterval());
    totalTriggerTicks_ = TicksOf(totalTriggerTime_, SampleInterval());
    windowTicks_ = std::clamp<std::uint32_t>(totalTriggerTicks_, 1, kMaxWindowTicks);
    keptTicks_ = std::min(pretriggerTicks_, windowTicks_ - 1);
    FindSpikeStore();
    return S_OK;
}

void DetEx_EventDetectorParams::FindSpikeStore()
{
    storeObject_.Reset();
    Source()->FindChildData(SpikeData::ChildDataKey(), storeObject_.Put());
    spikeStore_ = SpikeData::FromChildData(storeObject_.Get());
    if (spikeStore_ == nullptr) {
        storeObject_.Reset();
    }
}

} // namespace Nerolith
