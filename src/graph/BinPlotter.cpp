#include "graph/BinPlotter.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <stdexcept>
#include <vector>

#include "graph/BinPlotData.h"
#include "graph/ClipSegment.h"
#include "platform/ui/TDC.h"

namespace DUdido1 {

namespace {

// Where one bin lands: edges clamped to the plot (left may sit one pixel
// left of it, where the clip hides it), centre, and the count's row, raw
// and clamped into the plot's rows.
struct BinPixels {
    std::int32_t left = 0;
    std::int32_t right = 0;
    std::int32_t centre = 0;
    std::int32_t top = 0;
    std::int32_t rawTop = 0;
    std::int32_t rawCentre = 0;
    bool beyondRight = false;
    bool beforeLeft = false;
    bool inExtent = false;
};

class BinLayout {
public:
    BinLayout(const PlotFrame& frame, const BinSeries& bins, double width, std::optional<double> base)
        : frame_(frame), bins_(bins), width_(width), range_(frame.Range()),
          bottom_(std::max(frame.rect.bottom - 2, frame.rect.top)),
          baseline_(base ? std::clamp(frame.PixelY(*base), frame.rect.top, bottom_) : bottom_)
    {
    }

    std::size_t Count() const { return bins_.counts.size(); }
    std::int32_t Baseline() const { return baseline_; }
    const ui::TRect& Rect() const { return frame_.rect; }
    // The bin's width in pixels.
    double PixelWidth() const { return width_ * frame_.x.factor; }

    BinPixels At(std::size_t i) const
    {
        const ui::TRect& r = frame_.rect;
        const double edge = bins_.first + static_cast<double>(i) * width_;
        const std::int32_t rawLeft = frame_.PixelX(edge);
        const std::int32_t rawRight = frame_.PixelX(edge + width_);
        const double count = bins_.counts[i];
        BinPixels p;
        p.beyondRight = rawLeft >= r.right;
        p.beforeLeft = rawRight <= r.left;
        p.left = std::max(rawLeft, r.left - 1);
        p.right = std::min(std::max(rawRight, p.left + 1), r.right);
        p.centre = Mean(p.left, p.right);
        p.rawCentre = Mean(rawLeft, std::max(rawRight, rawLeft + 1));
        p.rawTop = frame_.PixelY(count);
        p.top = std::clamp(p.rawTop, r.top, bottom_);
        p.inExtent = count >= range_.first && count <= range_.second;
        return p;
    }

private:
    static std::int32_t Mean(std::int32_t a, std::int32_t b)
    {
        return static_cast<std::int32_t>((static_cast<std::int64_t>(a) + b) / 2);
    }

    const PlotFrame& frame_;
    const BinSeries& bins_;
    double width_;
    std::pair<double, double> range_;
    std::int32_t bottom_;
    std::int32_t baseline_;
};

// Lines gathered into one PolyPolyline call: a histogram of many bins is
// then one drawing call, not thousands.
class LineBatch {
public:
    void Segment(ui::TPoint from, ui::TPoint to)
    {
        points_.push_back(from);
        points_.push_back(to);
        counts_.push_back(2);
    }
    // A vertical line from the baseline up to and including the top row;
    // nothing when the top is not above the baseline.
    void Upright(std::int32_t x, std::int32_t baseline, std::int32_t top)
    {
        if (top < baseline) {
            Segment({x, baseline}, {x, top - 1});
        }
    }
    // The edge between two bars (tops a and b) standing on or hanging from
    // the baseline: up to the taller, down to the deeper.
    void Edge(std::int32_t x, std::int32_t baseline, std::int32_t a, std::int32_t b)
    {
        Upright(x, baseline, std::min(a, b));
        if (std::max(a, b) > baseline) {
            Segment({x, baseline}, {x, std::max(a, b) + 1});
        }
    }
    // Continues the current run when it ends where the segment starts.
    void Joined(ui::TPoint from, ui::TPoint to)
    {
        if (!counts_.empty() && points_.back() == from) {
            points_.push_back(to);
            ++counts_.back();
        } else {
            Segment(from, to);
        }
    }
    void Draw(ui::TDC& dc) const
    {
        if (!counts_.empty()) {
            dc.PolyPolyline(points_, counts_);
        }
    }

private:
    std::vector<ui::TPoint> points_;
    std::vector<std::int32_t> counts_;
};

void DrawBars(ui::TDC& dc, const BinLayout& layout, bool filled, const ui::TBrush& fill)
{
    LineBatch lines;
    const std::int32_t baseline = layout.Baseline();
    std::int32_t previousTop = baseline;
    for (std::size_t i = 0; i < layout.Count(); ++i) {
        const BinPixels p = layout.At(i);
        if (p.beyondRight) {
            break;
        }
        if (!p.beforeLeft) {
            if (filled && p.top + 1 <= baseline) {
                dc.FillRect(ui::TRect(p.left + 1, p.top + 1, p.right, baseline + 1), fill);
            } else if (filled && p.top > baseline) {
                dc.FillRect(ui::TRect(p.left + 1, baseline, p.right, p.top), fill);
            }
            // Adjacent bars share the edge between them.
            lines.Edge(p.left, baseline, previousTop, p.top);
            if (p.inExtent) {
                lines.Segment({p.left, p.top}, {p.right, p.top});
            }
        }
        previousTop = p.top;
    }
    lines.Draw(dc);
}

void DrawColumnEnvelope(ui::TDC& dc, const BinLayout& layout)
{
    LineBatch lines;
    const std::int32_t baseline = layout.Baseline();
    const ui::TRect& r = layout.Rect();
    std::int32_t column = r.left - 1;
    std::int32_t highest = baseline;
    for (std::size_t i = 0; i < layout.Count(); ++i) {
        const BinPixels p = layout.At(i);
        if (p.beyondRight) {
            break;
        }
        if (p.left < r.left) {
            continue;
        }
        if (p.left != column) {
            if (column >= r.left) {
                lines.Upright(column, baseline, highest);
            }
            column = p.left;
            highest = p.top;
        } else {
            highest = std::min(highest, p.top);
        }
    }
    if (column >= r.left && column < r.right) {
        lines.Upright(column, baseline, highest);
    }
    lines.Draw(dc);
}

// Thin: bins within one pixel column get no vertical joins between them.
void DrawSteps(ui::TDC& dc, const BinLayout& layout, bool thin)
{
    LineBatch lines;
    const std::int32_t startRow = layout.Rect().bottom - 1;
    std::int32_t previousTop = startRow;
    std::int32_t previousLeft = layout.Rect().left - 2;
    BinPixels last;
    bool any = false;
    for (std::size_t i = 0; i < layout.Count(); ++i) {
        const BinPixels p = layout.At(i);
        if (p.beyondRight) {
            break;
        }
        if (p.beforeLeft) {
            continue;
        }
        if (!thin || p.left != previousLeft) {
            lines.Joined({p.left, previousTop}, {p.left, p.top});
        }
        lines.Joined({p.left, p.top}, {p.right, p.top});
        previousTop = p.top;
        previousLeft = p.left;
        last = p;
        any = true;
    }
    if (any) {
        lines.Joined({last.right, last.top}, {last.right, startRow});
    }
    lines.Draw(dc);
}

void DrawNeedles(ui::TDC& dc, const BinLayout& layout)
{
    LineBatch lines;
    for (std::size_t i = 0; i < layout.Count(); ++i) {
        const BinPixels p = layout.At(i);
        if (p.beyondRight) {
            break;
        }
        if (!p.beforeLeft) {
            lines.Edge(p.centre, layout.Baseline(), p.top, p.top);
        }
    }
    lines.Draw(dc);
}

void AddMarker(LineBatch& lines, ui::TPoint c, const ui::TSize& half)
{
    const std::int32_t hx = half.cx;
    const std::int32_t hy = half.cy;
    lines.Segment({c.x - hx, c.y + hy}, {c.x + hx + 1, c.y - hy - 1});
    lines.Segment({c.x - hx, c.y - hy}, {c.x + hx + 1, c.y + hy + 1});
}

void DrawMarkers(ui::TDC& dc, const BinLayout& layout, const ui::TSize& half)
{
    LineBatch lines;
    for (std::size_t i = 0; i < layout.Count(); ++i) {
        const BinPixels p = layout.At(i);
        if (p.beyondRight) {
            break;
        }
        if (layout.Rect().Contains({p.centre, p.rawTop})) {
            AddMarker(lines, {p.centre, p.rawTop}, half);
        }
    }
    lines.Draw(dc);
}

ui::TPoint Rounded(double x, double y)
{
    return {static_cast<std::int32_t>(std::lround(x)), static_cast<std::int32_t>(std::lround(y))};
}

void DrawFunction(ui::TDC& dc, const BinLayout& layout, const ui::TSize& half)
{
    const ui::TRect& r = layout.Rect();
    const ClipBox box{static_cast<double>(r.left), static_cast<double>(r.top),
                      static_cast<double>(r.right - 1), static_cast<double>(r.bottom - 1)};
    LineBatch curve;
    LineBatch markers;
    bool havePrevious = false;
    double previousX = 0.0;
    double previousY = 0.0;
    for (std::size_t i = 0; i < layout.Count(); ++i) {
        const BinPixels p = layout.At(i);
        if (p.beyondRight) {
            break;
        }
        const double x = p.rawCentre;
        const double y = p.rawTop;
        if (havePrevious) {
            Segment segment{previousX, previousY, x, y};
            if (ClipSegment(segment, box)) {
                curve.Joined(Rounded(segment.x0, segment.y0), Rounded(segment.x1, segment.y1));
            }
        }
        if (r.Contains({p.rawCentre, p.rawTop})) {
            AddMarker(markers, {p.rawCentre, p.rawTop}, half);
        }
        previousX = x;
        previousY = y;
        havePrevious = true;
    }
    curve.Draw(dc);
    markers.Draw(dc);
}

std::int32_t HalfMarker(std::int32_t dotsPerInch)
{
    const auto n = static_cast<std::int32_t>(2.0 * dotsPerInch / 72.0);
    return std::max(n, 2) / 2;
}

} // namespace

BinPlotter::BinPlotter()
{
    SetColour(ui::RGB(0, 0, 160));
    SetFillColour(ui::RGB(160, 160, 255));
}

bool BinPlotter::SetStyle(std::int32_t style)
{
    if (style < kStyleBar || style > kStyleFunction) {
        return false;
    }
    if (style != style_) {
        style_ = style;
        RequestRedraw();
    }
    return true;
}

void BinPlotter::SetBinWidth(double width)
{
    if (!(width > 0.0) || !std::isfinite(width)) {
        throw std::invalid_argument("Broken bin size");
    }
    if (width != binWidth_) {
        binWidth_ = width;
        RequestRedraw();
    }
}

void BinPlotter::SetBaseValue(std::optional<double> value)
{
    if (value != baseValue_) {
        baseValue_ = value;
        RequestRedraw();
    }
}

void BinPlotter::SetPlotData(PlotDataBase* data, bool owned)
{
    if (data && !dynamic_cast<BinPlotData*>(data)) {
        throw std::invalid_argument("Wrong data format");
    }
    Plotter::SetPlotData(data, owned);
}

BinPlotData* BinPlotter::BinData() const
{
    return static_cast<BinPlotData*>(Data());
}

ui::TSize BinPlotter::MarkerHalfSize(const ui::TDC& dc)
{
    return {HalfMarker(dc.GetDeviceCaps(ui::DeviceCap::LogPixelsX)),
            HalfMarker(dc.GetDeviceCaps(ui::DeviceCap::LogPixelsY))};
}

void BinPlotter::Draw(ui::TDC& dc, const PlotFrame& frame)
{
    const BinPlotData* data = BinData();
    if (!data) {
        return;
    }
    const BinSeries bins = data->Bins();
    const double width = bins.width > 0.0 && std::isfinite(bins.width) ? bins.width : binWidth_;
    if (bins.counts.empty()) {
        return;
    }
    const BinLayout layout(frame, bins, width, baseValue_);
    const ui::TSize half = MarkerHalfSize(dc);
    const bool narrow = layout.PixelWidth() <= 1.0;
    const ui::TBrush fill(FillColour());

    const std::int32_t saved = dc.SaveDC();
    dc.SelectObject(ui::TPen(Colour(), 1));
    dc.SelectObject(fill);
    dc.IntersectClipRect(frame.rect);
    switch (style_) {
    case kStyleBar:
    case kStyleFilledBar:
        if (narrow) {
            DrawColumnEnvelope(dc, layout);
        } else {
            DrawBars(dc, layout, style_ == kStyleFilledBar, fill);
        }
        break;
    case kStyleStep:
        DrawSteps(dc, layout, narrow);
        break;
    case kStyleLine:
        if (narrow) {
            DrawColumnEnvelope(dc, layout);
        } else {
            DrawNeedles(dc, layout);
        }
        break;
    case kStyleDot:
        DrawMarkers(dc, layout, half);
        break;
    default:
        DrawFunction(dc, layout, half);
        break;
    }
    dc.RestoreDC(saved);
}

} // namespace DUdido1
