#pragma once

// The pixels behind a TBitmap, held by the backend (Backend.h).

#include <cstdint>
#include <memory>
#include <string>

#include "platform/ui/TBitmap.h"

namespace platform::ui {

struct TBitmap::Impl {
    virtual ~Impl() = default;
    virtual std::unique_ptr<Impl> Clone() const = 0;
    virtual std::int32_t Width() const = 0;
    virtual std::int32_t Height() const = 0;
    virtual void Fill(COLORREF color) = 0;
    // Black for a point outside the bitmap.
    virtual COLORREF GetPixel(std::int32_t x, std::int32_t y) const = 0;
    // Within an area that lies inside the bitmap.
    virtual std::int64_t CountPixels(COLORREF color, const TRect& area) const = 0;
    virtual void SetDotsPerInch(std::int32_t dpi) = 0;
    virtual std::string ToPng() const = 0;
};

} // namespace platform::ui
