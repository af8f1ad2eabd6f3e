#pragma once

#include <cstdint>

#include "host/HostTypes.h"
#include "platform/com/Unknown.h"

// The user's selection in the host's channel display.
class IHostSelection : public IUnknown {
public:
    static constexpr IID iid{0x4E524C01, 0x000C, 0x4000, {0x80, 0, 0, 0, 0, 0, 0, 0x0C}};

    // S_FALSE when nothing is selected.
    virtual HRESULT GetSelection(std::int32_t* channel, Host::Position* start, Host::Position* end) = 0;
    // Selects [start, end) on a channel, showing values within the limits.
    virtual HRESULT SetSelection(std::int32_t channel, Host::Position start, Host::Position end,
                                 double minimumValue, double maximumValue) = 0;

protected:
    ~IHostSelection() = default;
};
