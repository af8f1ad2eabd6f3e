#include "platform/ui/Render.h"

#include "platform/error/XVEX.h"
#include "platform/ui/Application.h"
#include "platform/ui/Backend.h"
#include "platform/ui/TMemoryDC.h"
#include "platform/ui/TWindow.h"
#include "platform/ui/WriteFile.h"

namespace platform::ui {

namespace {

void Paint(TPainterDC& dc, const TSize& size, const PaintFunction& paint)
{
    paint(dc, TRect(TPoint(0, 0), size));
}

void WriteWholeFile(const VEX::String& path, const std::string& bytes)
{
    if (!WriteFile(path, bytes)) {
        throw VEX::XVEX("Cannot write the file \"" + path.ToUtf8() + "\".");
    }
}

void RequirePicture(const TSize& size)
{
    if (size.cx <= 0 || size.cy <= 0) {
        throw VEX::XVEX("A picture needs a width and a height of at least one pixel.");
    }
}

// Paints a window, then its shown child windows over it where they sit.
void PaintTree(TWindow& window, TDC& dc, const TRect& rect)
{
    const std::int32_t saved = dc.SaveDC();
    const TPoint origin = dc.State().viewportOrg;
    dc.IntersectClipRect(rect);
    dc.SetViewportOrg(origin.OffsetBy(rect.left, rect.top));
    window.PaintTo(dc);
    for (TWindow* child : window.GetImpl().children) {
        if (child->GetImpl().peer->IsShownChild()) {
            PaintTree(*child, dc, child->GetWindowRect());
        }
    }
    dc.RestoreDC(saved);
}

} // namespace

PaintFunction PaintOf(TWindow& window)
{
    return [&window](TDC& dc, const TRect& rect) { PaintTree(window, dc, rect); };
}

TBitmap RenderBitmap(const TSize& size, const PaintFunction& paint)
{
    EnsureApplication();
    RequirePicture(size);
    TBitmap bitmap(size.cx, size.cy);
    {
        TMemoryDC dc(bitmap);
        Paint(dc, size, paint);
    }
    return bitmap;
}

std::string RenderPng(const TSize& size, const PaintFunction& paint)
{
    return RenderBitmap(size, paint).ToPng();
}

std::string RenderSvg(const TSize& size, const PaintFunction& paint, const VEX::String& title)
{
    EnsureApplication();
    RequirePicture(size);
    return TheBackend().RenderSvg(size, paint, title);
}

std::string RenderPdf(const TSize& size, const PaintFunction& paint, const VEX::String& title)
{
    EnsureApplication();
    RequirePicture(size);
    return TheBackend().RenderPdf(size, paint, title);
}

void SavePng(const VEX::String& path, const TSize& size, const PaintFunction& paint, std::int32_t dpi)
{
    TBitmap bitmap = RenderBitmap(size, paint);
    if (dpi > 0) {
        bitmap.SetDotsPerInch(dpi);
    }
    WriteWholeFile(path, bitmap.ToPng());
}

void SaveSvg(const VEX::String& path, const TSize& size, const PaintFunction& paint)
{
    WriteWholeFile(path, RenderSvg(size, paint));
}

void SavePdf(const VEX::String& path, const TSize& size, const PaintFunction& paint)
{
    WriteWholeFile(path, RenderPdf(size, paint));
}

} // namespace platform::ui
