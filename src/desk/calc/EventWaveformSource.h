#pragma once

#include <cstdint>
#include <memory>

#include "desk/calc/CalcContext.h"
#include "desk/calc/EventWaveformSamples.h"
#include "host/ICalcSource.h"
#include "platform/com/ComPtr.h"

namespace Desk {

// "EventFrequency(source)" or "eventinterp(source, 1)" computed as the
// samples of the channel the calculation is set on.
class EventWaveformSource final : public UnknownImpl<ICalcSource> {
public:
    EventWaveformSource(std::shared_ptr<const CalcContext> context, ComPtr<ICalcSource> events, WaveformKind kind,
                        std::int32_t channel);

    std::int32_t Channel() override { return channel_; }
    HRESULT SampleInterval(std::int32_t block, double* seconds) override;
    HRESULT OpenSamples(std::int32_t block, std::int32_t startTick, IEnumSamples** samples) override;
    HRESULT OpenEvents(std::int32_t block, std::int32_t firstTick, std::int32_t endTick,
                       IEnumEventEx** events) override;
    HRESULT FindChildData(std::uint32_t key, IGrafoDataChildData** child) override;

private:
    std::shared_ptr<const CalcContext> context_;
    ComPtr<ICalcSource> events_;
    WaveformKind kind_;
    std::int32_t channel_;
};

} // namespace Desk
