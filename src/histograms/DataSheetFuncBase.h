#pragma once

#include <cstdint>

#include "host/IDataSheetFunction.h"
#include "host/IHostRecording.h"
#include "platform/com/ComPtr.h"

namespace Nerolith {

// A Data Sheet function instance in a column: answers the host's requests
// for its name and units text. Made with one reference, for the host.
class DataSheetFuncBase : public UnknownImpl<IDataSheetFunction> {
public:
    HRESULT Name(VEX::String* name) override;
    HRESULT Units(VEX::String* units) override;

protected:
    DataSheetFuncBase() : UnknownImpl(1) {}

    virtual VEX::String ItemName() const = 0;
    virtual VEX::String ItemUnits() const = 0;
};

// A Data Sheet function whose value belongs to one channel of the host
// document. A channel the recording does not have is refused with
// E_INVALIDARG, so subclasses see only channels that exist.
class ChanValueFunc : public DataSheetFuncBase {
public:
    HRESULT Value(std::int32_t channel, Host::Variant* value) override;

protected:
    explicit ChanValueFunc(IHostRecording* recording) : recording_(recording) {}

    IHostRecording* Recording() const { return recording_.Get(); }
    virtual Host::Variant ChannelValue(std::int32_t channel) = 0;

private:
    ComPtr<IHostRecording> recording_;
};

} // namespace Nerolith
