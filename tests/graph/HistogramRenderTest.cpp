#include <gtest/gtest.h>

#include <cmath>

#include "FakeAxisScale.h"
#include "graph/BinPlotData.h"
#include "graph/BinPlotter.h"
#include "graph/HistogramWindow.h"
#include "platform/ui/Render.h"
#include "platform/ui/TBitmap.h"

namespace {

using namespace graphtest;
using namespace DUdido1;

constexpr ui::COLORREF kInk = ui::RGB(200, 0, 0);
constexpr ui::COLORREF kFill = ui::RGB(255, 200, 200);
constexpr ui::TSize kSize{320, 240};

// A histogram window of 40 bins in a bell, drawn as filled bars.
class HistogramRenderTest : public ::testing::Test {
protected:
    HistogramRenderTest()
    {
        window.Create();
        window.MoveWindow(0, 0, kSize.cx, kSize.cy);
        data.SetExtent(0.0, 40.0);
        data.SetBinWidth(1.0);
        data.SetBinCount(40);
        for (std::int32_t i = 0; i < 40; ++i) {
            data.SetCount(i, static_cast<float>(90.0 * std::exp(-(i - 20) * (i - 20) / 60.0)));
        }
        plotter->SetColour(kInk);
        plotter->SetFillColour(kFill);
        plotter->SetStyle(kStyleFilledBar);
        plotter->SetPlotData(&data);
        window.AddPlotter(plotter, true);
        window.SetDomain(0.0, 40.0);
        window.SetRange(0.0, 100.0);
        for (const GraphAxis axis : {GraphAxis::Horizontal, GraphAxis::Vertical}) {
            dynamic_cast<FakeAxisScale&>(*window.Scale(axis)).ticks = {0, 40, 80, 120, 160};
        }
    }
    ui::PaintFunction Picture()
    {
        return [this](ui::TDC& dc, const ui::TRect& rect) { window.DrawPicture(dc, rect); };
    }

    FakeScaleFactory scales;
    HistogramWindow window{nullptr};
    BinPlotData data;
    BinPlotter* plotter = new BinPlotter;
};

TEST_F(HistogramRenderTest, ThePngShowsTheBarsInsideThePlotOnly)
{
    const ui::TBitmap picture = ui::TBitmap::FromPng(ui::RenderPng(kSize, Picture()));
    const ui::TRect plot = window.CurrentFrame().rect;
    const std::int64_t ink = picture.CountPixels(kInk);
    EXPECT_GT(ink, 200);
    EXPECT_EQ(picture.CountPixels(kInk, plot), ink);
    EXPECT_GT(picture.CountPixels(kFill, plot), 20 * 40);
    EXPECT_GT(picture.CountPixels(GraphDisplayInfo{}.gridColour, plot), 0) << "the grid behind the bars";
    EXPECT_EQ(picture.GetPixel(plot.left + 1, plot.top + 1), ui::kWhite);

    // The window's own painting, through its off-screen bitmap, shows the
    // same plot.
    const ui::TBitmap painted = ui::RenderBitmap(kSize, ui::PaintOf(window));
    EXPECT_EQ(painted.CountPixels(kInk), ink);
}

TEST_F(HistogramRenderTest, SvgAndPdfPicturesAreWritten)
{
    const std::string svg = ui::RenderSvg(kSize, Picture(), u"Histogram");
    EXPECT_NE(svg.find("<svg"), std::string::npos);
    EXPECT_NE(svg.find("#c80000"), std::string::npos) << "the bars' outline colour";
    EXPECT_NE(svg.find("#ffc8c8"), std::string::npos) << "the bars' fill colour";

    const std::string pdf = ui::RenderPdf(kSize, Picture(), u"Histogram");
    EXPECT_EQ(pdf.rfind("%PDF-", 0), 0u);
    EXPECT_GT(pdf.size(), 1000u);
}

} // namespace
