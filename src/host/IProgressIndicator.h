#pragma once

#include <cstdint>

#include "platform/com/Unknown.h"
#include "platform/text/VexString.h"

// A progress indicator the user can cancel.
class IProgressIndicator : public IUnknown {
public:
    static constexpr IID iid{0x4E524C01, 0x000D, 0x4000, {0x80, 0, 0, 0, 0, 0, 0, 0x0D}};

    virtual HRESULT SetText(const VEX::String& text) = 0;
    // Shows 0..100; returns non-zero when the user has cancelled.
    virtual std::int32_t SetPercent(std::int32_t percent) = 0;

protected:
    ~IProgressIndicator() = default;
};
