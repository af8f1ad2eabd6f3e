#pragma once

#include <cstddef>
#include <optional>

#include "detection/SpikeEvent.h"
#include "host/IClassRegistrar.h"
#include "host/IEventDrawClass.h"

namespace Nerolith {

class SpikeDoc;

// "Spike: height = h unit, width = w ms", then ", Spike n" when the spike is
// in the store (n from 1) and ", Unit u" when it has a unit (u from 1).
VEX::String SpikeMarkerHint(const SpikeEvent& spike, const VEX::String& unitText,
                            std::optional<std::size_t> storeIndex);

// Draws spikes as event markers on the host's channels and gives their hint
// texts. The document hands its own instance to the host with its markers;
// the registered one knows no document and leaves out the unit text and
// the spike's number.
class SpikeEventDrawClass final : public UnknownImpl<IEventDrawClass> {
public:
    explicit SpikeEventDrawClass(SpikeDoc* doc = nullptr) : doc_(doc) {}

    HRESULT Name(VEX::String* name) override;
    HRESULT HintText(const void* event, std::int32_t eventSize, std::int32_t channel, std::int32_t block,
                     VEX::String* text) override;

    // The document is going away; hints no longer ask it.
    void Detach() { doc_ = nullptr; }

private:
    SpikeDoc* doc_;
};

// Class 9 of the registration: the module-wide drawing class.
Host::ClassRegistration SpikeEventDrawClassRegistration();

} // namespace Nerolith
