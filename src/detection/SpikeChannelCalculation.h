#pragma once

#include <cstdint>

#include "detection/SpikeChannelCalculationSettings.h"
#include "host/IChannelCalculation.h"
#include "host/IChannelCalculationSettings.h"
#include "host/IHostDocument.h"
#include "platform/com/ComPtr.h"

namespace Nerolith {

// A host channel computed from one unit's spikes: the unit's spike train
// at event time, or its instantaneous frequency.
class SpikeChannelCalculation final : public UnknownImpl<IChannelCalculation, IChannelCalculationSettings> {
public:
    // The text a channel the module analyses is refused with.
    static constexpr const char16_t* kAnalysisChannelRefusal =
        u"A Nerolith channel calculation can't be set on a Nerolith analysis channel";

    // `hostDocument` is the document the calculation belongs to; the host
    // keeps its calculations no longer than the document, so it is not
    // held (holding it would keep the document alive through its own
    // calculations). Handed out with a count of 1.
    explicit SpikeChannelCalculation(IUnknown* hostDocument);

    const SpikeChannelCalculationSettings& Settings() const { return settings_; }
    void SetSettings(const SpikeChannelCalculationSettings& settings) { settings_ = settings; }

    HRESULT ExpressionText(VEX::String* text) override;
    // Refuses the channels the module analyses: their spikes would be
    // computed from the channel they replace.
    HRESULT CheckChannel(std::int32_t channel, VEX::String* message) override;
    HRESULT SaveSettings(IStream* stream) override;
    // A stream that cannot be read leaves the settings as they were.
    HRESULT LoadSettings(IStream* stream) override;
    // Runs the calculation's dialog over the document's units.
    HRESULT EditSettings() override;

private:
    bool IsAnalysisChannel(std::int32_t channel) const;
    ComPtr<IHostDocument> HostDocument() const;

    IUnknown* hostDocument_;
    SpikeChannelCalculationSettings settings_;
};

} // namespace Nerolith
