#pragma once

#include <functional>
#include <string>

#include "platform/Export.h"
#include "platform/text/VexString.h"
#include "platform/ui/Geometry.h"
#include "platform/ui/TBitmap.h"

namespace platform::ui {

class TDC;
class TWindow;

// Draws a picture into the given rectangle of a device context.
using PaintFunction = std::function<void(TDC& dc, const TRect& rect)>;

// A window's Paint at its current client size, with its shown child
// windows painted over it (controls are left out).
PLATFORM_API PaintFunction PaintOf(TWindow& window);

// A picture of the given size in pixels (96 per inch). The file variants
// throw VEX::XVEX naming the file when it cannot be written.
PLATFORM_API TBitmap RenderBitmap(const TSize& size, const PaintFunction& paint);
PLATFORM_API std::string RenderPng(const TSize& size, const PaintFunction& paint);
PLATFORM_API std::string RenderSvg(const TSize& size, const PaintFunction& paint,
                                   const VEX::String& title = {});
// One page the size of the picture.
PLATFORM_API std::string RenderPdf(const TSize& size, const PaintFunction& paint,
                                   const VEX::String& title = {});
// `dpi` above 0: the file says it is printed at that many pixels per inch.
PLATFORM_API void SavePng(const VEX::String& path, const TSize& size, const PaintFunction& paint,
                          std::int32_t dpi = 0);
PLATFORM_API void SaveSvg(const VEX::String& path, const TSize& size, const PaintFunction& paint);
PLATFORM_API void SavePdf(const VEX::String& path, const TSize& size, const PaintFunction& paint);

} // namespace platform::ui
