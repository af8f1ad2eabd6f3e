#pragma once

#include "host/IChannelCalculation.h"
#include "module/ClassObject.h"

namespace Nerolith {

// The class through which the host creates spike channel calculations; a
// static class object of the module.
class SpikeChannelCalculationClass final : public UnknownImpl<IChannelCalculationClass>, public ClassObject {
public:
    SpikeChannelCalculationClass();

    HRESULT Name(VEX::String* name) override;
    HRESULT Create(IUnknown* hostDocument, IChannelCalculation** calculation) override;

    Host::ClassRegistration Registration() override;
};

// The module's one instance, on the class object list.
SpikeChannelCalculationClass& SpikeChannelCalculationClassObject();

} // namespace Nerolith
