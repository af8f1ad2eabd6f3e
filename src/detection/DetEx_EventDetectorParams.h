#pragma once

#include <cstdint>
#include <span>

#include "detection/EEH2ParamsBase.h"
#include "host/IGrafoDataChildData.h"

namespace Nerolith {

class SpikeData;

// The threshold detector's settings: the numeric arguments of SpikeDet and
// the tick counts derived from them for the record being scanned.
class DetEx_EventDetectorParams : public EEH2::ParamsBase {
public:
    // Arguments after the source, in parameter order: height, pretrigger
    // time, total trigger time, source channel index, discrimination mode,
    // signal mode, and the four limits (start record, start tick, end
    // record, end tick).
    static constexpr std::uint32_t kNumberCount = 10;
    // The longest window collected. Every saved segment state holds up to a
    // window of samples, so a window typed as minutes long would otherwise
    // cost a copy of the record per segment; no spike comes near this.
    static constexpr std::uint32_t kMaxWindowTicks = 100000;

    void SetValues(std::span<const double, kNumberCount> numbers);
    // Computes the tick counts from the record's sample interval and finds
    // the spike store of the source's channel.
    HRESULT Prepare(std::int32_t record) override;

    double Height() const { return height_; }
    // The float below which a sample is below Height(): comparing float
    // samples with it is exactly comparing them in double with Height().
    float FloatThreshold() const { return floatThreshold_; }
    std::uint32_t PretriggerTicks() const { return pretriggerTicks_; }
    std::uint32_t TotalTriggerTicks() const { return totalTriggerTicks_; }
    // The window actually collected and the samples kept before a trigger.
    // They equal the tick counts whenever pretrigger < total <=
    // kMaxWindowTicks; otherwise the window is total ticks long (at least the
    // trigger sample, at most kMaxWindowTicks) and pretrigger is cut to one
    // less.
    std::uint32_t WindowTicks() const { return windowTicks_; }
    std::uint32_t KeptTicks() const { return keptTicks_; }
    std::int32_t SourceChannelIndex() const { return sourceChannelIndex_; }
    std::int32_t DiscriminationMode() const { return discriminationMode_; }
    std::int32_t SignalMode() const { return signalMode_; }
    // Null when the channel has not been analysed: spikes then stay grey.
    SpikeData* SpikeStore() const { return spikeStore_; }

    // truncate(seconds / interval + 0.5), within the uint32 range.
    static std::uint32_t TicksOf(double seconds, double sampleInterval);

private:
    void FindSpikeStore();

    double height_ = 0.0;
    float floatThreshold_ = 0.0f;
    double pretriggerTime_ = 0.0;
    double totalTriggerTime_ = 0.0;
    std::uint32_t pretriggerTicks_ = 0;
    std::uint32_t totalTriggerTicks_ = 0;
    std::uint32_t windowTicks_ = 1;
    std::uint32_t keptTicks_ = 0;
    std::int32_t sourceChannelIndex_ = 0;
    std::int32_t discriminationMode_ = 0;
    std::int32_t signalMode_ = 0;
    // The reference keeps the store alive while an enumerator the host
    // caches outlives the analysis document.
    ComPtr<IGrafoDataChildData> storeObject_;
    SpikeData* spikeStore_ = nullptr;
};

} // namespace Nerolith
