#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/Export.h"
#include "platform/text/VexString.h"
#include "platform/ui/Color.h"
#include "platform/ui/Geometry.h"

namespace platform::ui {

// An off-screen picture of 32-bit pixels, white when made. Draw on it with a
// TMemoryDC; copy it to a window with TDC::BitBlt.
class PLATFORM_API TBitmap {
public:
    TBitmap();
    TBitmap(std::int32_t width, std::int32_t height);
    TBitmap(const TBitmap& other);
    TBitmap& operator=(const TBitmap& other);
    TBitmap(TBitmap&&) noexcept;
    TBitmap& operator=(TBitmap&&) noexcept;
    ~TBitmap();

    std::int32_t Width() const;
    std::int32_t Height() const;
    TSize Size() const { return {Width(), Height()}; }
    bool IsNull() const { return Width() <= 0 || Height() <= 0; }

    void Fill(COLORREF color);
    // Black for a point outside the bitmap.
    COLORREF GetPixel(std::int32_t x, std::int32_t y) const;
    // How many pixels have exactly this colour (optionally within a rectangle).
    std::int64_t CountPixels(COLORREF color) const;
    std::int64_t CountPixels(COLORREF color, const TRect& within) const;

    // The pixels per inch the picture says it is printed at (PNG's pHYs).
    void SetDotsPerInch(std::int32_t dpi);
    std::string ToPng() const;
    // Throws VEX::XVEX naming the file when it cannot be written.
    void SavePng(const VEX::String& path) const;
    // Throws VEX::XVEX when the bytes are not a picture.
    static TBitmap FromPng(std::string_view bytes);

    struct Impl;
    Impl& GetImpl() const { return *impl_; }

private:
    std::unique_ptr<Impl> impl_;
};

} // namespace platform::ui
