#include "platform/ui/RecordingDC.h"

#include "platform/ui/Application.h"
#include "platform/ui/Backend.h"

namespace platform::ui {

RecordingDC::RecordingDC() = default;

RecordingDC::RecordingDC(const Device& device) : device_(device) {}

std::vector<std::pair<TPoint, TPoint>> RecordingDC::Segments(COLORREF penColor) const
{
    std::vector<std::pair<TPoint, TPoint>> segments;
    const auto addRun = [&segments](const TPoint* first, std::size_t count, bool closed) {
        for (std::size_t i = 1; i < count; ++i) {
            segments.emplace_back(first[i - 1], first[i]);
        }
        if (closed && count > 2) {
            segments.emplace_back(first[count - 1], first[0]);
        }
    };
    for (const DrawRecord& record : records_) {
        if (record.state.pen.style == PenStyle::Null || record.state.pen.color != penColor) {
            continue;
        }
        switch (record.op) {
        case DrawOp::Line:
        case DrawOp::Polyline:
            addRun(record.points.data(), record.points.size(), false);
            break;
        case DrawOp::Polygon:
            addRun(record.points.data(), record.points.size(), true);
            break;
        case DrawOp::PolyPolyline: {
            std::size_t first = 0;
            for (const std::int32_t count : record.counts) {
                addRun(record.points.data() + first, static_cast<std::size_t>(count), false);
                first += static_cast<std::size_t>(count);
            }
            break;
        }
        default:
            break;
        }
    }
    return segments;
}

std::vector<const DrawRecord*> RecordingDC::Find(DrawOp op) const
{
    std::vector<const DrawRecord*> found;
    for (const DrawRecord& record : records_) {
        if (record.op == op) {
            found.push_back(&record);
        }
    }
    return found;
}

const DrawRecord* RecordingDC::FindText(const VEX::String& text) const
{
    for (const DrawRecord& record : records_) {
        const bool isText = record.op == DrawOp::TextOut || record.op == DrawOp::DrawText;
        if (isText && record.text.View().find(text.View()) != std::u16string_view::npos) {
            return &record;
        }
    }
    return nullptr;
}

DrawRecord& RecordingDC::Add(DrawOp op)
{
    DrawRecord& record = records_.emplace_back();
    record.op = op;
    record.state = State();
    return record;
}

void RecordingDC::DrawLine(const TPoint& from, const TPoint& to)
{
    Add(DrawOp::Line).points = {from, to};
}

void RecordingDC::DrawPolyline(std::span<const TPoint> points)
{
    Add(DrawOp::Polyline).points.assign(points.begin(), points.end());
}

void RecordingDC::DrawPolyPolyline(std::span<const TPoint> points, std::span<const std::int32_t> counts)
{
    DrawRecord& record = Add(DrawOp::PolyPolyline);
    record.points.assign(points.begin(), points.end());
    record.counts.assign(counts.begin(), counts.end());
}

void RecordingDC::DrawPolygon(std::span<const TPoint> points)
{
    Add(DrawOp::Polygon).points.assign(points.begin(), points.end());
}

void RecordingDC::DrawRectangle(const TRect& rect)
{
    Add(DrawOp::Rectangle).rect = rect;
}

void RecordingDC::DrawEllipse(const TRect& rect)
{
    Add(DrawOp::Ellipse).rect = rect;
}

void RecordingDC::DrawFillRect(const TRect& rect, const TBrush& brush)
{
    DrawRecord& record = Add(DrawOp::FillRect);
    record.rect = rect;
    record.fillBrush = brush;
}

void RecordingDC::DrawPixel(const TPoint& p, COLORREF color)
{
    DrawRecord& record = Add(DrawOp::Pixel);
    record.points = {p};
    record.color = color;
}

void RecordingDC::DrawTextAt(const TPoint& p, const VEX::String& text)
{
    DrawRecord& record = Add(DrawOp::TextOut);
    record.points = {p};
    record.rect = TRect(p, MeasureText(text));
    record.text = text;
}

void RecordingDC::DrawTextIn(const VEX::String& text, const TRect& rect, std::uint32_t format)
{
    DrawRecord& record = Add(DrawOp::DrawText);
    record.rect = rect;
    record.text = text;
    record.format = format;
}

void RecordingDC::DrawBitmap(const TRect& dest, const TBitmap&, const TPoint& srcOrigin)
{
    DrawRecord& record = Add(DrawOp::BitBlt);
    record.rect = dest;
    record.points = {srcOrigin};
}

TSize RecordingDC::MeasureText(const VEX::String& text) const
{
    EnsureApplication();
    return TheBackend().MeasureText(State().font, text);
}

std::int32_t RecordingDC::DeviceCaps(DeviceCap cap) const
{
    constexpr double kMmPerInch = 25.4;
    switch (cap) {
    case DeviceCap::HorzRes:
        return device_.size.cx;
    case DeviceCap::VertRes:
        return device_.size.cy;
    case DeviceCap::HorzSize:
        return static_cast<std::int32_t>(device_.size.cx * kMmPerInch / device_.dpiX);
    case DeviceCap::VertSize:
        return static_cast<std::int32_t>(device_.size.cy * kMmPerInch / device_.dpiY);
    case DeviceCap::LogPixelsX:
        return device_.dpiX;
    case DeviceCap::LogPixelsY:
        return device_.dpiY;
    }
    return 0;
}

} // namespace platform::ui
