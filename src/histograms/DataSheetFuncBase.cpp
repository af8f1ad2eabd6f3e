#include "histograms/DataSheetFuncBase.h"

namespace Nerolith {

HRESULT DataSheetFuncBase::Name(VEX::String* name)
{
    if (name == nullptr) {
        return E_POINTER;
    }
    *name = ItemName();
    return S_OK;
}

HRESULT DataSheetFuncBase::Units(VEX::String* units)
{
    if (units == nullptr) {
        return E_POINTER;
    }
    *units = ItemUnits();
    return S_OK;
}

HRESULT ChanValueFunc::Value(std::int32_t channel, Host::Variant* value)
{
    if (value == nullptr) {
        return E_POINTER;
    }
    *value = {};
    if (!recording_) {
        return E_FAIL;
    }
    if (channel < 0 || channel >= recording_->ChannelCount()) {
        return E_INVALIDARG;
    }
    *value = ChannelValue(channel);
    return S_OK;
}

} // namespace Nerolith
