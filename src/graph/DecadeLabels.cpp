#include "graph/DecadeLabels.h"

#include <cmath>
#include <string>

#include "platform/ui/TDC.h"

namespace DUdido1 {

namespace {

constexpr std::int32_t kTickLength = 4;
constexpr std::int32_t kGap = 2;
// More decades than this in view are a scale dragged far out: left bare.
constexpr double kMostDecades = 40.0;

} // namespace

std::u16string DecadeLabels::DecadeText(std::int32_t exponent)
{
    const auto whole = [](std::int32_t power) {
        return u"1" + std::u16string(static_cast<std::size_t>(power), u'0');
    };
    if (exponent >= 0) {
        return whole(exponent) + u" s";
    }
    if (exponent >= -3) {
        return whole(exponent + 3) + u" ms";
    }
    if (exponent >= -6) {
        return whole(exponent + 6) + u" \u00B5s";
    }
    if (exponent >= -9) {
        return whole(exponent + 9) + u" ns";
    }
    const std::string power = std::to_string(exponent);
    return u"1e" + std::u16string(power.begin(), power.end()) + u" s";
}

void DecadeLabels::Draw(ui::TDC& dc, const PlotFrame& frame)
{
    const auto [left, right] = frame.Domain();
    if (!shown_ || !(right - left < kMostDecades)) {
        return;
    }
    const std::int32_t saved = dc.SaveDC();
    dc.IntersectClipRect(frame.rect);
    dc.SetBkMode(ui::BkMode::Transparent);
    dc.SetTextColor(ui::kBlack);
    dc.SelectObject(ui::TPen(ui::kBlack, 1));
    for (double decade = std::ceil(left); decade <= right; decade += 1.0) {
        const std::int32_t x = frame.PixelX(decade);
        dc.MoveTo(x, frame.rect.top);
        dc.LineTo(x, frame.rect.top + kTickLength);
        dc.TextOut(x + kGap, frame.rect.top + 1, VEX::String(DecadeText(static_cast<std::int32_t>(decade))));
    }
    dc.RestoreDC(saved);
}

} // namespace DUdido1
