#pragma once

#include <cstdint>
#include <utility>

#include "platform/text/VexString.h"
#include "platform/ui/Color.h"

namespace platform::ui {

enum class PenStyle : std::uint8_t {
    Solid,
    // Three pixels on, three off, as a thin dotted pen is drawn on screen.
    Dot,
    Dash,
    Null,
};

// A pen. Width 0 and 1 both mean one device pixel, whatever the resolution.
struct TPen {
    PenStyle style = PenStyle::Solid;
    std::int32_t width = 0;
    COLORREF color = kBlack;

    TPen() = default;
    TPen(COLORREF c, std::int32_t w = 0, PenStyle s = PenStyle::Solid) : style(s), width(w), color(c) {}

    friend bool operator==(const TPen&, const TPen&) = default;
};

enum class BrushStyle : std::uint8_t { Solid, Null };

struct TBrush {
    BrushStyle style = BrushStyle::Solid;
    COLORREF color = kWhite;

    TBrush() = default;
    explicit TBrush(COLORREF c) : color(c) {}

    // The stock brushes the graph windows fill with.
    static TBrush White() { return TBrush(kWhite); }
    static TBrush LightGray() { return TBrush(kLightGray); }
    static TBrush Null()
    {
        TBrush b;
        b.style = BrushStyle::Null;
        return b;
    }

    friend bool operator==(const TBrush&, const TBrush&) = default;
};

inline constexpr std::int32_t FW_NORMAL = 400;
inline constexpr std::int32_t FW_BOLD = 700;

// A font by family, character height in device pixels and weight (100..900).
// Text runs at the escapement angle, in tenths of a degree counter-clockwise
// (900: upwards, as on a vertical axis).
struct TFont {
    VEX::String family = u"DejaVu Sans";
    std::int32_t height = 13;
    std::int32_t weight = FW_NORMAL;
    bool italic = false;
    std::int32_t escapement = 0;

    TFont() = default;
    TFont(VEX::String f, std::int32_t h, std::int32_t w = FW_NORMAL, bool i = false)
        : family(std::move(f)), height(h), weight(w), italic(i)
    {
    }

    friend bool operator==(const TFont&, const TFont&) = default;
};

} // namespace platform::ui
