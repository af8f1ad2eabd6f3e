#include "platform/ui/TBitmap.h"

#include "platform/error/XVEX.h"
#include "platform/ui/Backend.h"
#include "platform/ui/BitmapImpl.h"
#include "platform/ui/WriteFile.h"

namespace platform::ui {

TBitmap::TBitmap() : impl_(TheBackend().MakeBitmap(0, 0)) {}

TBitmap::TBitmap(std::int32_t width, std::int32_t height) : impl_(TheBackend().MakeBitmap(width, height)) {}

TBitmap::TBitmap(const TBitmap& other) : impl_(other.impl_->Clone()) {}

TBitmap& TBitmap::operator=(const TBitmap& other)
{
    if (this != &other) {
        impl_ = other.impl_->Clone();
    }
    return *this;
}

// A bitmap exists only once the backend is loaded, so the moved-from empty
// one costs no loading.
TBitmap::TBitmap(TBitmap&& other) noexcept : impl_(TheBackend().MakeBitmap(0, 0))
{
    std::swap(impl_, other.impl_);
}

TBitmap& TBitmap::operator=(TBitmap&& other) noexcept
{
    std::swap(impl_, other.impl_);
    return *this;
}

TBitmap::~TBitmap() = default;

std::int32_t TBitmap::Width() const
{
    return impl_->Width();
}

std::int32_t TBitmap::Height() const
{
    return impl_->Height();
}

void TBitmap::Fill(COLORREF color)
{
    impl_->Fill(color);
}

COLORREF TBitmap::GetPixel(std::int32_t x, std::int32_t y) const
{
    return impl_->GetPixel(x, y);
}

std::int64_t TBitmap::CountPixels(COLORREF color) const
{
    return CountPixels(color, TRect(0, 0, Width(), Height()));
}

std::int64_t TBitmap::CountPixels(COLORREF color, const TRect& within) const
{
    return impl_->CountPixels(color, within & TRect(0, 0, Width(), Height()));
}

void TBitmap::SetDotsPerInch(std::int32_t dpi)
{
    impl_->SetDotsPerInch(dpi);
}

std::string TBitmap::ToPng() const
{
    return impl_->ToPng();
}

void TBitmap::SavePng(const VEX::String& path) const
{
    if (!WriteFile(path, ToPng())) {
        throw VEX::XVEX("Cannot write the picture file \"" + path.ToUtf8() + "\".");
    }
}

TBitmap TBitmap::FromPng(std::string_view bytes)
{
    TBitmap bitmap;
    bitmap.impl_ = TheBackend().BitmapFromPng(bytes);
    return bitmap;
}

} // namespace platform::ui
