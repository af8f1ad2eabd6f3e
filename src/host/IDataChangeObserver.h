#pragma once

#include "host/HostTypes.h"
#include "platform/com/Unknown.h"
#include "platform/text/VexString.h"

// Told before and after the host changes recorded data; may refuse.
class IDataChangeObserver : public IUnknown {
public:
    static constexpr IID iid{0x4E524C01, 0x0015, 0x4000, {0x80, 0, 0, 0, 0, 0, 0, 0x15}};

    // E_FAIL with the reason in *error refuses the change.
    virtual HRESULT BeforeDataChange(Host::Position position, VEX::String* error) = 0;
    virtual HRESULT AfterDataChange(Host::Position position) = 0;

protected:
    ~IDataChangeObserver() = default;
};
