#include <gtest/gtest.h>

#include <cmath>

#include "histograms/Figure.h"
#include "histograms/FigureTicks.h"
#include "platform/ui/RecordingDC.h"
#include "platform/ui/Render.h"
#include "platform/ui/TBitmap.h"

using namespace Nerolith;
namespace ui = platform::ui;

namespace {

const ui::COLORREF kColours[] = {ui::RGB(200, 0, 0), ui::RGB(0, 140, 0), ui::RGB(0, 0, 220)};

// Three units' interval histograms of 100 bins of 1 ms, each over its own
// X range.
Figure ThreeUnits()
{
    Figure figure;
    figure.title = VEX::String(u"Spikes: Interspike Interval Histogram View \u2014 demo");
    for (int unit = 0; unit < 3; ++unit) {
        FigurePane pane;
        pane.label = VEX::String::FromUtf8("Unit" + std::to_string(unit + 1));
        pane.colour = kColours[unit];
        pane.binWidth = 0.001;
        for (int bin = 0; bin < 100; ++bin) {
            pane.values.push_back(40.0 * std::exp(-std::pow((bin - 30.0 - 10 * unit) / 12.0, 2)));
        }
        pane.x = {0.0, 0.08 + 0.01 * unit};
        pane.y = {0.0, 45.0};
        pane.xTitle = VEX::String(u"Time (s)");
        pane.yTitle = VEX::String(u"Counts/bin");
        figure.panes.push_back(pane);
    }
    return figure;
}

struct Drawn {
    ui::RecordingDC dc;
    explicit Drawn(ui::TSize size, const FigureOptions& options = {}) : dc(ui::RecordingDC::Device{size, 96, 96})
    {
        DrawFigure(dc, ui::TRect({0, 0}, size), ThreeUnits(), options);
    }
    std::vector<const ui::DrawRecord*> Texts() const { return dc.Find(ui::DrawOp::DrawText); }
};

bool Inside(const ui::TRect& rect, ui::TSize size)
{
    return rect.left >= 0 && rect.top >= 0 && rect.right <= size.cx && rect.bottom <= size.cy && !rect.IsEmpty();
}

} // namespace

TEST(Figure, NiceTicksAreRoundValuesWithTheDecimalsTheStepNeeds)
{
    const FigureTicks ticks = NiceTicks(0.0, 0.09, 5);
    ASSERT_FALSE(ticks.values.empty());
    EXPECT_EQ(ticks.texts.front(), u"0");
    EXPECT_EQ(ticks.texts.back(), u"0.08");
    EXPECT_LE(ticks.values.size(), 5u);
    EXPECT_EQ(NiceTicks(-1.0, 1.0, 3).texts, (std::vector<std::u16string>{u"-1", u"0", u"1"}));
    EXPECT_TRUE(NiceTicks(1.0, 1.0, 5).values.empty()) << "an empty range has no ticks";
    EXPECT_EQ(NiceTicks(0.0, 380.0, 2).texts, (std::vector<std::u16string>{u"0", u"200"}))
        << "two ticks even where the range ends short of a round value";
}

TEST(Figure, EveryTextAndBarStaysInsideSmallAndLargePictures)
{
    // The last: type for print on a small picture, which has to shrink.
    const std::pair<ui::TSize, std::int32_t> cases[] = {
        {{300, 200}, 0}, {{640, 480}, 0}, {{2400, 1800}, 0}, {{600, 400}, 300}};
    for (const auto& [size, dpi] : cases) {
        const Drawn drawn(size, FigureOptions{dpi, false, true});
        const auto texts = drawn.Texts();
        ASSERT_GT(texts.size(), 3u * 4u) << size.cx << "x" << size.cy;
        for (const ui::DrawRecord* text : texts) {
            EXPECT_TRUE(Inside(text->rect, size)) << text->text.ToUtf8() << " at " << size.cx << "x" << size.cy;
        }
        EXPECT_NE(drawn.dc.FindText(u"Spikes: Interspike Interval Histogram View \u2014 demo"), nullptr);
        for (int unit = 0; unit < 3; ++unit) {
            EXPECT_NE(drawn.dc.FindText(VEX::String::FromUtf8("Unit" + std::to_string(unit + 1))), nullptr);
            int bars = 0;
            for (const ui::DrawRecord* fill : drawn.dc.Find(ui::DrawOp::FillRect)) {
                if (fill->fillBrush.color == kColours[unit]) {
                    EXPECT_TRUE(Inside(fill->rect, size));
                    ++bars;
                }
            }
            EXPECT_GT(bars, 40) << "filled bars of unit " << unit + 1 << " at " << size.cx << "x" << size.cy;
        }
        // No text covers another.
        for (std::size_t i = 0; i < texts.size(); ++i) {
            for (std::size_t j = i + 1; j < texts.size(); ++j) {
                EXPECT_FALSE(texts[i]->rect.Touches(texts[j]->rect))
                    << texts[i]->text.ToUtf8() << " / " << texts[j]->text.ToUtf8() << " at " << size.cx << "x"
                    << size.cy;
            }
        }
    }
}

TEST(Figure, FontsAndLinesGrowWithTheSizeAndTheDpi)
{
    const auto tickFont = [](const Drawn& drawn) { return drawn.dc.FindText(u"Counts/bin")->state.font.height; };
    const Drawn small({640, 480});
    const Drawn large({2400, 1800});
    const Drawn print({2400, 1800}, FigureOptions{600, false, true});
    EXPECT_GE(tickFont(large), 3 * tickFont(small));
    EXPECT_GT(tickFont(print), tickFont(large));
    const auto axisWidth = [](const Drawn& drawn) { return drawn.dc.Records().back().state.pen.width; };
    EXPECT_GE(axisWidth(large), 3);
}

TEST(Figure, SharedXGivesEveryPaneTheSameTicks)
{
    const Drawn own({900, 300});
    const Drawn shared({900, 300}, FigureOptions{0, true, true});
    const auto widest = [](const Drawn& drawn, ui::COLORREF colour) {
        std::int32_t right = 0;
        for (const ui::DrawRecord* fill : drawn.dc.Find(ui::DrawOp::FillRect)) {
            if (fill->fillBrush.color == colour) {
                right = std::max(right, fill->rect.right - fill->rect.left);
            }
        }
        return right;
    };
    // Over one X range, equal bins are equally wide in every pane.
    EXPECT_NE(widest(own, kColours[0]), widest(own, kColours[2]));
    EXPECT_EQ(widest(shared, kColours[0]), widest(shared, kColours[2]));
}

TEST(Figure, OutlineBarsLeaveTheirInsideWhite)
{
    const ui::TSize size{640, 480};
    const auto pixels = [&](bool filled) {
        const ui::TBitmap bitmap = ui::RenderBitmap(size, [filled](ui::TDC& dc, const ui::TRect& rect) {
            DrawFigure(dc, rect, ThreeUnits(), FigureOptions{0, false, filled});
        });
        return bitmap.CountPixels(kColours[1]);
    };
    const std::int64_t filled = pixels(true);
    const std::int64_t outline = pixels(false);
    EXPECT_GT(filled, 2000);
    EXPECT_GT(outline, 100);
    EXPECT_LT(outline, filled / 2);
}

TEST(Figure, ABarAboveTheYRangeRaisesTheRangeInsteadOfBeingCut)
{
    Figure figure = ThreeUnits();
    figure.panes.resize(1);
    figure.panes[0].y = {0.0, 10.0};
    ui::RecordingDC dc(ui::RecordingDC::Device{{640, 480}, 96, 96});
    DrawFigure(dc, ui::TRect(0, 0, 640, 480), figure, {});
    EXPECT_NE(dc.FindText(u"40"), nullptr) << "the tallest bar counts 40";
}
