#pragma once

#include <algorithm>
#include <cstdint>

namespace platform::ui {

// A pixel position; y grows downwards as on every screen and page.
struct TPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;

    constexpr TPoint() = default;
    constexpr TPoint(std::int32_t px, std::int32_t py) : x(px), y(py) {}

    constexpr TPoint OffsetBy(std::int32_t dx, std::int32_t dy) const { return {x + dx, y + dy}; }
    friend constexpr bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
    std::int32_t cx = 0;
    std::int32_t cy = 0;

    constexpr TSize() = default;
    constexpr TSize(std::int32_t width, std::int32_t height) : cx(width), cy(height) {}

    friend constexpr bool operator==(const TSize&, const TSize&) = default;
};

// A rectangle whose right and bottom edges are exclusive: it covers the
// pixels left <= x < right, top <= y < bottom.
struct TRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    constexpr TRect() = default;
    constexpr TRect(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b)
        : left(l), top(t), right(r), bottom(b)
    {
    }
    constexpr TRect(const TPoint& origin, const TSize& size)
        : left(origin.x), top(origin.y), right(origin.x + size.cx), bottom(origin.y + size.cy)
    {
    }

    constexpr std::int32_t Width() const { return right - left; }
    constexpr std::int32_t Height() const { return bottom - top; }
    constexpr TSize Size() const { return {Width(), Height()}; }
    constexpr TPoint TopLeft() const { return {left, top}; }
    constexpr TPoint BottomRight() const { return {right, bottom}; }
    // True when the rectangle covers no pixel.
    constexpr bool IsEmpty() const { return right <= left || bottom <= top; }

    constexpr bool Contains(const TPoint& p) const
    {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    // True when both cover at least one pixel in common.
    constexpr bool Touches(const TRect& other) const { return !(*this & other).IsEmpty(); }

    constexpr TRect OffsetBy(std::int32_t dx, std::int32_t dy) const
    {
        return {left + dx, top + dy, right + dx, bottom + dy};
    }
    constexpr TRect InflatedBy(std::int32_t dx, std::int32_t dy) const
    {
        return {left - dx, top - dy, right + dx, bottom + dy};
    }
    // Left <= right and top <= bottom.
    constexpr TRect Normalized() const
    {
        return {std::min(left, right), std::min(top, bottom), std::max(left, right),
                std::max(top, bottom)};
    }

    // The intersection; empty rectangles come out as (0, 0, 0, 0).
    friend constexpr TRect operator&(const TRect& a, const TRect& b)
    {
        const TRect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                      std::min(a.bottom, b.bottom)};
        return r.IsEmpty() ? TRect{} : r;
    }
    friend constexpr bool operator==(const TRect&, const TRect&) = default;
};

} // namespace platform::ui
