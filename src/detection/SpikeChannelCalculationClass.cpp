#include "detection/SpikeChannelCalculationClass.h"

#include "detection/SpikeChannelCalculation.h"

namespace Nerolith {
namespace {

constexpr const char16_t* kName = u"Nerolith Spike Channel";
constexpr CLSID kClassId{0x4E524C02, 0x0206, 0x4000, {0x80, 0, 0, 0, 0, 0, 0x02, 0x06}};

SpikeChannelCalculationClass instance;

} // namespace

// The extra reference keeps the static from being deleted by the host's
// Release.
SpikeChannelCalculationClass::SpikeChannelCalculationClass() : UnknownImpl(1) {}

HRESULT SpikeChannelCalculationClass::Name(VEX::String* name)
{
    if (name == nullptr) {
        return E_POINTER;
    }
    *name = kName;
    return S_OK;
}

HRESULT SpikeChannelCalculationClass::Create(IUnknown* hostDocument, IChannelCalculation** calculation)
{
    if (calculation == nullptr) {
        return E_POINTER;
    }
    *calculation = new SpikeChannelCalculation(hostDocument);
    return S_OK;
}

Host::ClassRegistration SpikeChannelCalculationClass::Registration()
{
    Host::ClassRegistration registration;
    registration.role = Host::ClassRole::ChannelCalculation;
    registration.displayName = kName;
    registration.classId = kClassId;
    registration.object = static_cast<IChannelCalculationClass*>(this);
    return registration;
}

SpikeChannelCalculationClass& SpikeChannelCalculationClassObject() { return instance; }

} // namespace Nerolith
