#include "histograms/Figure.h"

#include <algorithm>
#include <cmath>

#include "graph/BinLines.h"
#include "histograms/FigureTicks.h"
#include "platform/ui/TDC.h"

namespace Nerolith {

namespace ui = platform::ui;

namespace {

constexpr double kWideness = 2.5;     // the width:height a pane is laid out for
constexpr std::int32_t kSmallestFont = 5;
constexpr std::int32_t kSmallestPlotWidth = 24;
constexpr std::int32_t kSmallestPlotHeight = 16;

// Sizes in pixels at one scale: 1 is a 640x480 picture at 96 pixels per inch.
struct Style {
    ui::TFont tick;
    ui::TFont label;
    ui::TFont title;
    std::int32_t line = 1;
    std::int32_t margin = 6;
    std::int32_t gap = 2;
    std::int32_t tickLength = 4;

    explicit Style(double scale)
        : tick(u"DejaVu Sans", std::max(kSmallestFont, static_cast<std::int32_t>(std::lround(12 * scale)))),
          label(u"DejaVu Sans", std::max(kSmallestFont, static_cast<std::int32_t>(std::lround(13 * scale))),
                ui::FW_BOLD),
          title(u"DejaVu Sans", std::max(kSmallestFont, static_cast<std::int32_t>(std::lround(15 * scale))),
                ui::FW_BOLD),
          line(std::max(1, static_cast<std::int32_t>(std::lround(scale)))),
          margin(std::max(2, static_cast<std::int32_t>(std::lround(6 * scale)))),
          gap(std::max(1, static_cast<std::int32_t>(std::lround(2 * scale)))),
          tickLength(std::max(2, static_cast<std::int32_t>(std::lround(4 * scale))))
    {
    }
};

ui::TSize Extent(ui::TDC& dc, const ui::TFont& font, const VEX::String& text)
{
    const ui::TFont before = dc.SelectObject(font);
    const ui::TSize size = dc.GetTextExtent(text);
    dc.SelectObject(before);
    return size;
}

std::int32_t Round(double value)
{
    return static_cast<std::int32_t>(std::lround(value));
}

// Maps an axis range onto a span of pixels.
struct AxisMap {
    double minimum = 0.0;
    double maximum = 1.0;
    std::int32_t from = 0; // pixel of the minimum
    std::int32_t to = 1;   // pixel of the maximum

    std::int32_t operator()(double value) const
    {
        const double clamped = std::clamp(value, minimum, maximum);
        return Round(from + (clamped - minimum) / (maximum - minimum) * (to - from));
    }
};

std::pair<double, double> Usable(std::pair<double, double> range)
{
    if (!(range.second > range.first) || !std::isfinite(range.first) || !std::isfinite(range.second)) {
        return {range.first, range.first + 1.0};
    }
    return range;
}

// Where one pane's parts go inside its cell.
struct PaneLayout {
    ui::TRect cell;
    std::pair<double, double> x;
    std::pair<double, double> y;
    ui::TRect plot;
    FigureTicks xTicks;
    FigureTicks yTicks;
    std::int32_t textHeight = 0;
    std::int32_t headerHeight = 0;
};

// The widest of the ticks' texts.
std::int32_t WidestTick(ui::TDC& dc, const Style& style, const FigureTicks& ticks)
{
    std::int32_t widest = 0;
    for (const std::u16string& text : ticks.texts) {
        widest = std::max(widest, Extent(dc, style.tick, VEX::String(text)).cx);
    }
    return widest;
}

// From the X axis down to its tick texts: below the ticks, and below the
// lowest Y tick text, which is centred on the axis.
std::int32_t XLabelOffset(const Style& style, std::int32_t textHeight)
{
    return std::max(style.tickLength, (textHeight + 1) / 2) + style.gap;
}

// The pane's Y range, raised to its highest bar and line in the X range: a
// figure clips no bar.
std::pair<double, double> FigureY(const FigurePane& pane, std::pair<double, double> x)
{
    std::pair<double, double> y = Usable(pane.y);
    const auto raise = [&](const std::vector<double>& values) {
        for (std::size_t i = 0; i < values.size(); ++i) {
            const double start = pane.firstBin + static_cast<double>(i) * pane.binWidth;
            if (start + pane.binWidth > x.first && start < x.second && std::isfinite(values[i])) {
                y.second = std::max(y.second, values[i]);
            }
        }
    };
    raise(pane.values);
    for (const FigureLine& line : pane.lines) {
        raise(line.values);
    }
    return y;
}

bool Lay(ui::TDC& dc, const Style& style, const FigurePane& pane, std::pair<double, double> x, PaneLayout& layout)
{
    const std::pair<double, double> y = FigureY(pane, x);
    const ui::TRect& cell = layout.cell;
    layout.textHeight = Extent(dc, style.tick, u"0").cy;
    layout.headerHeight = Extent(dc, style.label, u"Ag").cy;
    // Room above the plot for the header and half the top tick's text.
    const std::int32_t top = cell.top + style.margin + layout.headerHeight + style.gap + layout.textHeight / 2;
    const std::int32_t bottom = cell.bottom - style.margin - (pane.xTitle.Empty() ? 0 : layout.textHeight + style.gap) -
                                layout.textHeight - XLabelOffset(style, layout.textHeight);
    layout.x = x;
    layout.y = y;
    layout.yTicks = NiceTicks(y.first, y.second, std::max(2, 2 * (bottom - top) / (3 * layout.textHeight)));
    const std::int32_t left = cell.left + style.margin + WidestTick(dc, style, layout.yTicks) + style.gap +
                              style.tickLength;
    // Fewer ticks until their texts keep a gap of a text's height.
    const std::int32_t span = cell.right - style.margin - left;
    for (int most = std::max(2, span / std::max(layout.textHeight, 1)); most >= 2; --most) {
        layout.xTicks = NiceTicks(x.first, x.second, most);
        const std::int32_t widest = WidestTick(dc, style, layout.xTicks);
        const std::int32_t right = cell.right - style.margin - (widest + 1) / 2;
        const std::int32_t spacing =
            layout.xTicks.values.size() < 2
                ? right - left
                : Round((right - left) * (layout.xTicks.values[1] - layout.xTicks.values[0]) / (x.second - x.first));
        layout.plot = ui::TRect(left, top, right, bottom);
        if (spacing >= widest + layout.textHeight || most == 2) {
            break;
        }
    }
    // Two Y tick texts apart at the least.
    return layout.plot.Width() >= kSmallestPlotWidth &&
           layout.plot.Height() >= std::max(kSmallestPlotHeight, 2 * layout.textHeight);
}

// Text drawn with its box's corner placed by `format` (DT_ bits), the box
// kept inside `bounds`.
void PlaceText(ui::TDC& dc, const ui::TFont& font, const VEX::String& text, ui::TPoint anchor, std::uint32_t format,
               const ui::TRect& bounds)
{
    dc.SelectObject(font);
    const ui::TSize size = dc.GetTextExtent(text);
    std::int32_t left = anchor.x;
    if (format & ui::DT_CENTER) {
        left -= size.cx / 2;
    } else if (format & ui::DT_RIGHT) {
        left -= size.cx;
    }
    std::int32_t top = anchor.y;
    if (format & ui::DT_VCENTER) {
        top -= size.cy / 2;
    } else if (format & ui::DT_BOTTOM) {
        top -= size.cy;
    }
    left = std::clamp(left, bounds.left, std::max(bounds.left, bounds.right - size.cx));
    top = std::clamp(top, bounds.top, std::max(bounds.top, bounds.bottom - size.cy));
    dc.DrawText(text, ui::TRect(left, top, left + size.cx, top + size.cy),
                ui::DT_LEFT | ui::DT_TOP | ui::DT_SINGLELINE);
}

void DrawBars(ui::TDC& dc, const Style& style, const FigurePane& pane, const AxisMap& mapX, const AxisMap& mapY,
              bool filled)
{
    const ui::TBrush fill(pane.colour);
    dc.SelectObject(ui::TPen(pane.colour, style.line));
    dc.SelectObject(ui::TBrush::Null());
    const std::int32_t base = mapY(std::max(mapY.minimum, 0.0));
    for (std::size_t i = 0; i < pane.values.size(); ++i) {
        const double start = pane.firstBin + static_cast<double>(i) * pane.binWidth;
        const double end = start + pane.binWidth;
        if (end <= mapX.minimum || start >= mapX.maximum || !(pane.values[i] > mapY.minimum)) {
            continue;
        }
        const std::int32_t left = mapX(start);
        const std::int32_t right = std::max(mapX(end), left + 1);
        // A negative value (a correlation coefficient) hangs below zero.
        const bool below = pane.values[i] < 0.0;
        const std::int32_t top = below ? base : std::min(mapY(pane.values[i]), base - 1);
        const std::int32_t bottom = below ? std::max(mapY(pane.values[i]), base + 1) : base;
        if (filled) {
            dc.FillRect(ui::TRect(left, top, right, bottom), fill);
        } else {
            dc.Rectangle(left, top, right + 1, bottom + 1);
        }
    }
}

// Light grey behind the bars, over the whole height of the plot.
void DrawShade(ui::TDC& dc, const FigurePane& pane, const PaneLayout& layout, const AxisMap& mapX)
{
    if (!pane.shadedX || !(pane.shadedX->second > mapX.minimum) || !(pane.shadedX->first < mapX.maximum)) {
        return;
    }
    const std::int32_t left = mapX(pane.shadedX->first);
    const std::int32_t right = std::max(mapX(pane.shadedX->second), left + 1);
    dc.FillRect(ui::TRect(left, layout.plot.top, right, layout.plot.bottom), ui::TBrush(ui::RGB(0xDD, 0xDD, 0xDD)));
}

// The band's lines over the bars, within the X range.
void DrawLines(ui::TDC& dc, const Style& style, const FigurePane& pane, const AxisMap& mapX, const AxisMap& mapY)
{
    const auto toPixel = [&mapX, &mapY](double x, double y) { return ui::TPoint(mapX(x), mapY(y)); };
    for (const FigureLine& line : pane.lines) {
        dc.SelectObject(ui::TPen(ui::kBlack, style.line, line.dashed ? ui::PenStyle::Dash : ui::PenStyle::Solid));
        DUdido1::DrawBinPolylines(dc, line.values, pane.firstBin, pane.binWidth, {mapX.minimum, mapX.maximum},
                                  toPixel);
    }
}

void DrawAxes(ui::TDC& dc, const Style& style, const PaneLayout& layout, const AxisMap& mapX, const AxisMap& mapY)
{
    const ui::TRect& plot = layout.plot;
    dc.SelectObject(ui::TPen(ui::kBlack, style.line));
    dc.MoveTo(plot.left, plot.top);
    dc.LineTo(plot.left, plot.bottom);
    dc.LineTo(plot.right, plot.bottom);
    const ui::TRect inside(layout.cell.left + style.margin, layout.cell.top, layout.cell.right - style.margin,
                           layout.cell.bottom);
    for (std::size_t i = 0; i < layout.yTicks.values.size(); ++i) {
        const std::int32_t y = mapY(layout.yTicks.values[i]);
        dc.MoveTo(plot.left - style.tickLength, y);
        dc.LineTo(plot.left, y);
        PlaceText(dc, style.tick, VEX::String(layout.yTicks.texts[i]),
                  {plot.left - style.tickLength - style.gap, y}, ui::DT_RIGHT | ui::DT_VCENTER, inside);
    }
    for (std::size_t i = 0; i < layout.xTicks.values.size(); ++i) {
        const std::int32_t x = mapX(layout.xTicks.values[i]);
        dc.MoveTo(x, plot.bottom);
        dc.LineTo(x, plot.bottom + style.tickLength);
        PlaceText(dc, style.tick, VEX::String(layout.xTicks.texts[i]),
                  {x, plot.bottom + XLabelOffset(style, layout.textHeight)}, ui::DT_CENTER, inside);
    }
}

void DrawPane(ui::TDC& dc, const Style& style, const FigurePane& pane, const PaneLayout& layout, bool filled)
{
    const ui::TRect& cell = layout.cell;
    const ui::TRect inside(cell.left + style.margin, cell.top + style.margin, cell.right - style.margin,
                           cell.bottom - style.margin);
    const AxisMap mapX{layout.x.first, layout.x.second, layout.plot.left, layout.plot.right};
    const AxisMap mapY{layout.y.first, layout.y.second, layout.plot.bottom, layout.plot.top};
    DrawShade(dc, pane, layout, mapX);
    DrawBars(dc, style, pane, mapX, mapY, filled);
    DrawLines(dc, style, pane, mapX, mapY);
    DrawAxes(dc, style, layout, mapX, mapY);

    dc.SetTextColor(pane.colour);
    PlaceText(dc, style.label, pane.label, inside.TopLeft(), ui::DT_LEFT, inside);
    dc.SetTextColor(ui::kBlack);
    const std::int32_t labelWidth = Extent(dc, style.label, pane.label).cx;
    if (Extent(dc, style.tick, pane.yTitle).cx + labelWidth + 2 * style.margin < inside.Width()) {
        PlaceText(dc, style.tick, pane.yTitle, {inside.right, inside.top + layout.headerHeight},
                  ui::DT_RIGHT | ui::DT_BOTTOM, inside);
    }
    if (!pane.xTitle.Empty()) {
        PlaceText(dc, style.tick, pane.xTitle, {(layout.plot.left + layout.plot.right) / 2, inside.bottom},
                  ui::DT_CENTER | ui::DT_BOTTOM, inside);
    }
}

// The columns that bring the panes' shape nearest the one they are laid out for.
std::int32_t Columns(std::size_t panes, const ui::TSize& area)
{
    std::int32_t best = 1;
    double bestDistance = HUGE_VAL;
    const auto count = static_cast<std::int32_t>(panes);
    for (std::int32_t columns = 1; columns <= count; ++columns) {
        const std::int32_t rows = (count + columns - 1) / columns;
        const double shape = (static_cast<double>(area.cx) / columns) / (static_cast<double>(area.cy) / rows);
        const double distance = std::fabs(std::log(shape / kWideness));
        if (distance < bestDistance) {
            best = columns;
            bestDistance = distance;
        }
    }
    return best;
}

std::pair<double, double> SharedX(const Figure& figure)
{
    std::pair<double, double> x = Usable(figure.panes.front().x);
    for (const FigurePane& pane : figure.panes) {
        x = {std::min(x.first, pane.x.first), std::max(x.second, pane.x.second)};
    }
    return Usable(x);
}

// The title's font, smaller until the title fits the width.
ui::TFont TitleFont(ui::TDC& dc, const Style& style, const VEX::String& title, std::int32_t width)
{
    ui::TFont font = style.title;
    while (font.height > kSmallestFont && Extent(dc, font, title).cx > width) {
        --font.height;
    }
    return font;
}

struct Laid {
    std::vector<PaneLayout> panes;
    std::int32_t titleHeight = 0;
    ui::TFont titleFont;
};

bool LayAll(ui::TDC& dc, const Style& style, const ui::TRect& rect, const Figure& figure, const FigureOptions& options,
            Laid& laid)
{
    laid.titleFont = TitleFont(dc, style, figure.title, rect.Width() - 2 * style.margin);
    laid.titleHeight = figure.title.Empty() ? 0 : style.margin + Extent(dc, laid.titleFont, figure.title).cy;
    const ui::TRect area(rect.left, rect.top + laid.titleHeight, rect.right, rect.bottom);
    const std::int32_t columns = Columns(figure.panes.size(), area.Size());
    const auto count = static_cast<std::int32_t>(figure.panes.size());
    const std::int32_t rows = (count + columns - 1) / columns;
    laid.panes.assign(figure.panes.size(), {});
    bool fits = true;
    for (std::int32_t i = 0; i < count; ++i) {
        const std::int32_t column = i % columns;
        const std::int32_t row = i / columns;
        PaneLayout& layout = laid.panes[static_cast<std::size_t>(i)];
        layout.cell = ui::TRect(area.left + area.Width() * column / columns, area.top + area.Height() * row / rows,
                                area.left + area.Width() * (column + 1) / columns,
                                area.top + area.Height() * (row + 1) / rows);
        const FigurePane& pane = figure.panes[static_cast<std::size_t>(i)];
        fits = Lay(dc, style, pane, options.sharedX ? SharedX(figure) : Usable(pane.x), layout) && fits;
    }
    return fits;
}

} // namespace

void DrawFigure(ui::TDC& dc, const ui::TRect& rect, const Figure& figure, const FigureOptions& options)
{
    const std::int32_t saved = dc.SaveDC();
    dc.FillRect(rect, ui::TBrush::White());
    dc.SetBkMode(ui::BkMode::Transparent);
    const double bySize = std::min(rect.Width() / 640.0, rect.Height() / 480.0);
    double scale = options.dpi > 0 ? options.dpi / 96.0 : std::max(bySize, 0.6);
    Laid laid;
    // Smaller type and thinner lines until the plots have room.
    while (!LayAll(dc, Style(scale), rect, figure, options, laid) && scale > 0.2) {
        scale *= 0.85;
    }
    const Style style(scale);
    if (!figure.title.Empty()) {
        dc.SetTextColor(ui::kBlack);
        PlaceText(dc, laid.titleFont, figure.title, {(rect.left + rect.right) / 2, rect.top + style.margin},
                  ui::DT_CENTER, rect);
    }
    for (std::size_t i = 0; i < figure.panes.size(); ++i) {
        DrawPane(dc, style, figure.panes[i], laid.panes[i], options.filledBars);
    }
    dc.RestoreDC(saved);
}

} // namespace Nerolith
