#pragma once

#include "platform/com/Unknown.h"

// A channel calculation whose settings the user can change in its own
// dialog; the host asks a calculation for it. Kept apart from
// IChannelCalculation so that calculations built without a dialog keep
// working unchanged.
class IChannelCalculationSettings : public IUnknown {
public:
    static constexpr IID iid{0x4E524C01, 0x0031, 0x4000, {0x80, 0, 0, 0, 0, 0, 0, 0x31}};

    // Runs the dialog: S_OK when the settings changed, S_FALSE when the
    // user cancelled. The host applies the calculation to its channel
    // again after S_OK.
    virtual HRESULT EditSettings() = 0;

protected:
    ~IChannelCalculationSettings() = default;
};
