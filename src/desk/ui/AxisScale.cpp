#include "desk/ui/AxisScale.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "platform/ui/TDC.h"

namespace Desk::ui {

using platform::ui::AxisOrientation;
using platform::ui::IDragScaleObserver;
using platform::ui::TDC;
using platform::ui::TPoint;
using platform::ui::TRect;

namespace {

constexpr std::int32_t kHorizontalSpacing = 50;
constexpr std::int32_t kVerticalSpacing = 30;
constexpr std::int32_t kHorizontalMargin = 30;
constexpr std::int32_t kVerticalMargin = 8;
constexpr std::int32_t kTickLength = 5;
constexpr std::int32_t kFontHeight = 11;
constexpr std::int32_t kSmallestFontHeight = 7;
constexpr std::int32_t kButtonSize = 14;
// A grab this close to the minimum cannot stretch; it moves the extent.
constexpr std::int32_t kStretchFrom = 4;
constexpr std::int32_t kScreenDpi = 96;

bool IsValidExtent(double minimum, double maximum)
{
    return std::isfinite(minimum) && std::isfinite(maximum) && maximum > minimum;
}

double ScaleOf(const TDC& dc)
{
    return std::max(1.0, static_cast<double>(dc.GetDeviceCaps(platform::ui::DeviceCap::LogPixelsY)) / kScreenDpi);
}

std::int32_t Scaled(std::int32_t pixels, double scale)
{
    return static_cast<std::int32_t>(std::lround(pixels * scale));
}

// The text one character shorter, ending in an ellipsis.
VEX::String ShortenedByOne(const VEX::String& text)
{
    constexpr char16_t kEllipsis = u'\u2026';
    std::u16string shorter = text.Str();
    if (!shorter.empty() && shorter.back() == kEllipsis) {
        shorter.pop_back();
    }
    const bool pair = shorter.size() >= 2 && shorter.back() >= 0xDC00 && shorter.back() <= 0xDFFF;
    shorter.resize(shorter.size() - std::min<std::size_t>(shorter.size(), pair ? 2 : 1));
    return VEX::String(shorter + kEllipsis);
}

} // namespace

AxisScale::AxisScale(platform::ui::TWindow& parent, AxisOrientation orientation)
    : TWindow(&parent), orientation_(orientation),
      limits_(std::numeric_limits<double>::lowest(), std::numeric_limits<double>::max())
{
    AddControl({kAutoScaleButton, platform::ui::ControlKind::Button, u"A", {}});
    SetControlTooltip(kAutoScaleButton, u"Autoscale");
    SetControlFont(platform::ui::TFont(u"DejaVu Sans", 10));
}

AxisScale::~AxisScale() = default;

void AxisScale::Register()
{
    platform::ui::SetAxisScaleFactory([](platform::ui::TWindow& parent, AxisOrientation orientation) {
        return std::make_unique<AxisScale>(parent, orientation);
    });
}

void AxisScale::Attach(IDragScaleObserver* observer)
{
    if (observer != nullptr && std::find(observers_.begin(), observers_.end(), observer) == observers_.end()) {
        observers_.push_back(observer);
    }
}

void AxisScale::Detach(IDragScaleObserver* observer)
{
    std::erase(observers_, observer);
}

bool AxisScale::SetExtent(double minimum, double maximum)
{
    if (!IsValidExtent(minimum, maximum)) {
        return false;
    }
    extent_ = {minimum, maximum};
    Invalidate();
    return true;
}

bool AxisScale::SetDefaultExtent(double minimum, double maximum)
{
    if (!IsValidExtent(minimum, maximum)) {
        return false;
    }
    defaultExtent_ = {minimum, maximum};
    return true;
}

bool AxisScale::SetLimits(double minimum, double maximum)
{
    if (!(maximum > minimum) || std::isnan(minimum) || std::isnan(maximum)) {
        return false;
    }
    limits_ = {minimum, maximum};
    return true;
}

void AxisScale::SetUnitText(const VEX::String& unit)
{
    unit_ = unit;
    Invalidate();
}

void AxisScale::SetTitle(const VEX::String& title)
{
    title_ = title;
    Invalidate();
}

void AxisScale::Show(bool visible)
{
    shown_ = visible;
    TWindow::Show(visible);
}

void AxisScale::PlaceBeside(const TRect& plotRect)
{
    const TRect plot = plotRect.Normalized();
    TRect window;
    if (IsHorizontal()) {
        window = {plot.left - kHorizontalMargin, plot.bottom, plot.right + kHorizontalMargin,
                  plot.bottom + kHorizontalThickness};
        pixelExtent_ = plot.Width();
    } else {
        window = {plot.left - kVerticalThickness, plot.top - kVerticalMargin, plot.left,
                  plot.bottom + kVerticalMargin};
        pixelExtent_ = plot.Height();
    }
    plot_ = plot.OffsetBy(-window.left, -window.top);
    MoveWindow(window);
    PlaceAutoScaleButton();
    Invalidate();
}

std::int32_t AxisScale::Thickness() const
{
    return IsHorizontal() ? kHorizontalThickness : kVerticalThickness;
}

TickLayout AxisScale::Ticks() const
{
    return LayoutTicks(extent_.first, extent_.second, pixelExtent_,
                       IsHorizontal() ? kHorizontalSpacing : kVerticalSpacing, !IsHorizontal());
}

std::vector<std::int32_t> AxisScale::TickPositions() const
{
    return Ticks().offsets;
}

std::int32_t AxisScale::FirstTickOffset() const
{
    const TickLayout ticks = Ticks();
    return ticks.offsets.empty() ? 0 : ticks.offsets.back();
}

double AxisScale::TickStepPixels() const
{
    const TickLayout ticks = Ticks();
    return ticks.offsets.empty() ? 0.0 : -ticks.pixelStep;
}

double AxisScale::TickStep() const
{
    return Ticks().step;
}

VEX::String AxisScale::FormatTick(double value, double step)
{
    char text[64];
    const double magnitude = std::max(std::fabs(value), step);
    if (magnitude >= 1e7 || step < 1e-6) {
        std::snprintf(text, sizeof text, "%g", value);
    } else {
        const int decimals = step >= 1.0 ? 0 : static_cast<int>(std::ceil(-std::log10(step) - 1e-9));
        std::snprintf(text, sizeof text, "%.*f", decimals, value);
    }
    return VEX::String::FromUtf8(text);
}

VEX::String AxisScale::Caption() const
{
    if (title_.Empty()) {
        return unit_;
    }
    return unit_.Empty() ? title_ : title_ + VEX::String(u" (") + unit_ + VEX::String(u")");
}

void AxisScale::Draw(TDC& dc, const TRect& plotRect) const
{
    const std::int32_t saved = dc.SaveDC();
    dc.SelectObject(platform::ui::TPen(platform::ui::kBlack));
    dc.SetBkMode(platform::ui::BkMode::Transparent);
    dc.SetTextColor(platform::ui::kBlack);
    if (IsHorizontal()) {
        DrawHorizontal(dc, plotRect.Normalized());
    } else {
        DrawVertical(dc, plotRect.Normalized());
    }
    dc.RestoreDC(saved);
}

void AxisScale::DrawHorizontal(TDC& dc, const TRect& plot) const
{
    const double scale = ScaleOf(dc);
    dc.SelectObject(platform::ui::TFont(u"DejaVu Sans", Scaled(kFontHeight, scale)));
    const std::int32_t tick = Scaled(kTickLength, scale);
    dc.MoveTo(plot.left, plot.bottom);
    dc.LineTo(plot.right, plot.bottom);
    const TickLayout ticks = LayoutTicks(extent_.first, extent_.second, plot.Width(),
                                         Scaled(kHorizontalSpacing, scale), false);
    std::int32_t labelBottom = plot.bottom + tick + 1;
    for (std::size_t i = 0; i < ticks.offsets.size(); ++i) {
        const std::int32_t x = plot.left + ticks.offsets[i];
        dc.MoveTo(x, plot.bottom);
        dc.LineTo(x, plot.bottom + tick);
        const VEX::String label = FormatTick(ticks.values[i], ticks.step);
        const platform::ui::TSize size = dc.GetTextExtent(label);
        dc.TextOut(x - size.cx / 2, plot.bottom + tick + 1, label);
        labelBottom = plot.bottom + tick + 1 + size.cy;
    }
    const VEX::String caption = Caption();
    if (!caption.Empty()) {
        const platform::ui::TSize size = dc.GetTextExtent(caption);
        dc.TextOut(plot.left + (plot.Width() - size.cx) / 2, labelBottom, caption);
    }
}

void AxisScale::DrawVertical(TDC& dc, const TRect& plot) const
{
    const double scale = ScaleOf(dc);
    platform::ui::TFont font(u"DejaVu Sans", Scaled(kFontHeight, scale));
    dc.SelectObject(font);
    const std::int32_t tick = Scaled(kTickLength, scale);
    dc.MoveTo(plot.left - 1, plot.top);
    dc.LineTo(plot.left - 1, plot.bottom);
    const TickLayout ticks = LayoutTicks(extent_.first, extent_.second, plot.Height(),
                                         Scaled(kVerticalSpacing, scale), true);
    for (std::size_t i = 0; i < ticks.offsets.size(); ++i) {
        const std::int32_t y = plot.top + ticks.offsets[i];
        dc.MoveTo(plot.left - tick, y);
        dc.LineTo(plot.left, y);
        const VEX::String label = FormatTick(ticks.values[i], ticks.step);
        const platform::ui::TSize size = dc.GetTextExtent(label);
        dc.TextOut(plot.left - tick - 2 - size.cx, y - size.cy / 2, label);
    }
    DrawVerticalCaption(dc, font, plot);
}

void AxisScale::DrawVerticalCaption(TDC& dc, platform::ui::TFont font, const TRect& plot) const
{
    VEX::String caption = Caption();
    if (caption.Empty()) {
        return;
    }
    const double scale = ScaleOf(dc);
    // The caption shares its column with the autoscale button at the bottom.
    const std::int32_t top = plot.top - Scaled(kVerticalMargin, scale);
    const std::int32_t bottom = plot.bottom - Scaled(kButtonSize, scale) - 2;
    const std::int32_t room = std::max<std::int32_t>(bottom - top, 0);
    // A long title in a short pane is set smaller, and at the smallest size
    // shortened with an ellipsis, rather than cut off at both ends.
    const std::int32_t smallest = Scaled(kSmallestFontHeight, scale);
    platform::ui::TSize size = dc.GetTextExtent(caption);
    if (size.cx > room) {
        font.height = std::max(smallest, font.height * room / std::max<std::int32_t>(size.cx, 1));
    }
    for (;;) {
        dc.SelectObject(font);
        size = dc.GetTextExtent(caption);
        if (size.cx <= room || font.height <= smallest) {
            break;
        }
        --font.height;
    }
    while (size.cx > room && caption.Length() > 1) {
        caption = ShortenedByOne(caption);
        size = dc.GetTextExtent(caption);
    }
    font.escapement = 900;
    dc.SelectObject(font);
    // Upright text runs upwards from its origin, its cell to the right.
    dc.TextOut(plot.left - Scaled(kVerticalThickness, scale) + 1, (top + bottom + size.cx) / 2, caption);
}

void AxisScale::Paint(TDC& dc, bool, TRect&)
{
    Draw(dc, plot_);
}

void AxisScale::PlaceAutoScaleButton()
{
    const TRect client = GetClientRect();
    const TRect button = IsHorizontal()
                             ? TRect(plot_.right - kButtonSize, client.bottom - kButtonSize - 1, plot_.right,
                                     client.bottom - 1)
                             : TRect(1, plot_.bottom - kButtonSize, 1 + kButtonSize, plot_.bottom);
    MoveControl(kAutoScaleButton, button);
}

std::int32_t AxisScale::OffsetFromMinimum(const TPoint& point) const
{
    return IsHorizontal() ? point.x - plot_.left : plot_.bottom - point.y;
}

std::pair<double, double> AxisScale::DraggedExtent(std::int32_t offset) const
{
    const auto [minimum, maximum] = drag_->startExtent;
    const double unitsPerPixel = (maximum - minimum) / pixelExtent_;
    if (drag_->pan) {
        const double shift = (offset - drag_->startOffset) * unitsPerPixel;
        return WithinLimits({minimum - shift, maximum - shift}, true);
    }
    const double span = (maximum - minimum) * drag_->startOffset / std::max(offset, kStretchFrom);
    return WithinLimits({minimum, minimum + span}, false);
}

std::pair<double, double> AxisScale::WithinLimits(std::pair<double, double> extent, bool keepSpan) const
{
    auto [minimum, maximum] = extent;
    const auto [low, high] = limits_;
    if (keepSpan) {
        const double span = maximum - minimum;
        if (span >= high - low) {
            return limits_;
        }
        const double shift = minimum < low ? low - minimum : (maximum > high ? high - maximum : 0.0);
        minimum += shift;
        maximum += shift;
    } else {
        minimum = std::max(minimum, low);
        maximum = std::min(maximum, high);
    }
    return IsValidExtent(minimum, maximum) ? std::pair(minimum, maximum) : extent_;
}

template <class Call>
void AxisScale::Notify(Call call)
{
    // A copy: an observer may detach itself while being told.
    const std::vector<IDragScaleObserver*> observers = observers_;
    for (IDragScaleObserver* observer : observers) {
        call(*observer);
    }
}

void AxisScale::EvLButtonDown(std::uint32_t modKeys, const TPoint& point)
{
    if (pixelExtent_ < 2) {
        return;
    }
    const std::int32_t offset = OffsetFromMinimum(point);
    drag_ = Drag{offset, extent_, (modKeys & platform::ui::MK_SHIFT) != 0 || offset < kStretchFrom};
    SetCapture();
    Notify([this](IDragScaleObserver& o) { o.OnBeginDrag(*this); });
}

void AxisScale::EvMouseMove(std::uint32_t modKeys, const TPoint& point)
{
    if (!drag_ || (modKeys & platform::ui::MK_LBUTTON) == 0) {
        return;
    }
    const auto dragged = DraggedExtent(OffsetFromMinimum(point));
    if (dragged == extent_) {
        return;
    }
    extent_ = dragged;
    Invalidate();
    Notify([this](IDragScaleObserver& o) { o.OnScalingChanged(*this); });
}

void AxisScale::EvLButtonUp(std::uint32_t, const TPoint&)
{
    if (!drag_) {
        return;
    }
    drag_.reset();
    ReleaseCapture();
    Notify([this](IDragScaleObserver& o) { o.OnEndDrag(*this); });
}

void AxisScale::EvCommand(std::int32_t id, platform::ui::ControlNotify notify)
{
    if (id != kAutoScaleButton || notify != platform::ui::ControlNotify::Clicked) {
        return;
    }
    extent_ = defaultExtent_;
    Invalidate();
    Notify([this](IDragScaleObserver& o) { o.OnAutoScale(*this); });
}

} // namespace Desk::ui
