// Drawing many overlaid waveforms, as the spike plot does: one
// multi-polyline call per ~128 points against one LineTo per segment, on an
// off-screen bitmap, and the recording context's own cost.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <span>
#include <vector>

#include "graph/BinPlotData.h"
#include "graph/BinPlotter.h"
#include "graph/Graph2DDrawer.h"
#include "graph/HistogramDrawer.h"
#include "graph/PlotData.h"
#include "graph/PointPlotter.h"
#include "platform/ui/Application.h"
#include "platform/ui/RecordingDC.h"
#include "platform/ui/TMemoryDC.h"

namespace {

using namespace platform::ui;

constexpr int kWaveforms = 1000;
constexpr int kPoints = 40;
constexpr int kWidth = 800;
constexpr int kHeight = 600;

std::vector<TPoint> Waveforms()
{
    std::vector<TPoint> points;
    points.reserve(kWaveforms * kPoints);
    for (int w = 0; w < kWaveforms; ++w) {
        for (int i = 0; i < kPoints; ++i) {
            const double phase = i * 0.3 + w * 0.01;
            const int amplitude = 100 + w % 150;
            points.emplace_back(i * kWidth / kPoints, kHeight / 2 + static_cast<int>(std::sin(phase) * amplitude));
        }
    }
    return points;
}

void DrawPolyPolylines(TDC& dc, const std::vector<TPoint>& points)
{
    constexpr int kPerCall = 3; // three waveforms: about 128 points
    for (int w = 0; w < kWaveforms; w += kPerCall) {
        const int count = std::min(kPerCall, kWaveforms - w);
        const std::vector<std::int32_t> counts(static_cast<std::size_t>(count), kPoints);
        dc.PolyPolyline(std::span(points).subspan(static_cast<std::size_t>(w) * kPoints,
                                                  static_cast<std::size_t>(count) * kPoints),
                        counts);
    }
}

void DrawLineTo(TDC& dc, const std::vector<TPoint>& points)
{
    for (int w = 0; w < kWaveforms; ++w) {
        dc.MoveTo(points[static_cast<std::size_t>(w) * kPoints]);
        for (int i = 1; i < kPoints; ++i) {
            dc.LineTo(points[static_cast<std::size_t>(w) * kPoints + i]);
        }
    }
}

void BM_BitmapPolyPolyline(benchmark::State& state)
{
    const auto points = Waveforms();
    TBitmap bitmap(kWidth, kHeight);
    for (auto _ : state) {
        TMemoryDC dc(bitmap);
        dc.SelectObject(TPen(RGB(255, 0, 0)));
        DrawPolyPolylines(dc, points);
    }
    state.SetItemsProcessed(state.iterations() * kWaveforms);
}
BENCHMARK(BM_BitmapPolyPolyline)->Unit(benchmark::kMillisecond);

void BM_BitmapLineTo(benchmark::State& state)
{
    const auto points = Waveforms();
    TBitmap bitmap(kWidth, kHeight);
    for (auto _ : state) {
        TMemoryDC dc(bitmap);
        dc.SelectObject(TPen(RGB(255, 0, 0)));
        DrawLineTo(dc, points);
    }
    state.SetItemsProcessed(state.iterations() * kWaveforms);
}
BENCHMARK(BM_BitmapLineTo)->Unit(benchmark::kMillisecond);

void BM_RecordingPolyPolyline(benchmark::State& state)
{
    const auto points = Waveforms();
    for (auto _ : state) {
        RecordingDC dc;
        DrawPolyPolylines(dc, points);
        benchmark::DoNotOptimize(dc.Records().size());
    }
    state.SetItemsProcessed(state.iterations() * kWaveforms);
}
BENCHMARK(BM_RecordingPolyPolyline)->Unit(benchmark::kMillisecond);

} // namespace

// The graph library drawing into an image: a histogram of 100,000 bins in
// each plot style, whole (bins of a fraction of a pixel, drawn per pixel
// column) and zoomed in on its first 500 bins (bins over two pixels wide);
// and a 2-D graph of 1,000,000 points as pixels and as symbols.
namespace {
namespace graph_drawing {

namespace ui = platform::ui;
using namespace DUdido1;

constexpr std::int32_t kBins = 100000;
constexpr std::int64_t kPointCount = 1000000;
const ui::TRect kImage(0, 0, 1200, 800);

void FillBins(BinPlotData& data)
{
    std::mt19937 random(11);
    std::poisson_distribution<int> count(40);
    data.SetExtent(0.0, kBins);
    data.SetBinWidth(1.0);
    data.SetBinCount(kBins);
    for (std::int32_t i = 0; i < kBins; ++i) {
        data.SetCount(i, static_cast<float>(count(random)));
    }
}

void DrawInto(ui::TBitmap& bitmap, Graph2DDrawer& drawer)
{
    ui::TMemoryDC dc(bitmap);
    drawer.Draw(dc, kImage);
}

// Arguments: the plot style, and how many bins the plot shows.
void BM_DrawHistogram100kBins(benchmark::State& state)
{
    ui::EnsureApplication();
    BinPlotData data;
    FillBins(data);
    HistogramDrawer drawer;
    auto* plotter = new BinPlotter;
    plotter->SetStyle(static_cast<std::int32_t>(state.range(0)));
    plotter->SetPlotData(&data);
    drawer.AddPlotter(plotter, true);
    drawer.SetDomain(0.0, static_cast<double>(state.range(1)));
    drawer.SetRange(0.0, 100.0);
    ui::TBitmap bitmap(kImage.Width(), kImage.Height());
    for (auto _ : state) {
        DrawInto(bitmap, drawer);
    }
    state.SetItemsProcessed(state.iterations() * kBins);
}
BENCHMARK(BM_DrawHistogram100kBins)
    ->ArgNames({"style", "shown"})
    ->ArgsProduct({{kStyleBar, kStyleFilledBar, kStyleStep, kStyleLine, kStyleDot, kStyleFunction}, {kBins, 500}})
    ->Unit(benchmark::kMillisecond);

// Argument: the symbol size in points (0: single pixels).
void BM_Draw2DGraph1MPoints(benchmark::State& state)
{
    ui::EnsureApplication();
    std::mt19937 random(13);
    std::normal_distribution<double> around(0.0, 1.0);
    std::vector<double> xs(kPointCount);
    std::vector<double> ys(kPointCount);
    for (std::int64_t i = 0; i < kPointCount; ++i) {
        xs[static_cast<std::size_t>(i)] = around(random);
        ys[static_cast<std::size_t>(i)] = around(random);
    }
    VectorPlotData points;
    points.SetPoints(std::move(xs), std::move(ys));
    Graph2DDrawer drawer;
    auto* plotter = new PointPlotter;
    plotter->SetSymbolSize(static_cast<std::int32_t>(state.range(0)));
    plotter->SetPlotData(&points);
    drawer.AddPlotter(plotter, true);
    drawer.SetDomain(-4.0, 4.0);
    drawer.SetRange(-4.0, 4.0);
    ui::TBitmap bitmap(kImage.Width(), kImage.Height());
    for (auto _ : state) {
        DrawInto(bitmap, drawer);
    }
    state.SetItemsProcessed(state.iterations() * kPointCount);
}
BENCHMARK(BM_Draw2DGraph1MPoints)->ArgName("symbol")->Arg(0)->Arg(2)->Unit(benchmark::kMillisecond);

} // namespace graph_drawing
} // namespace
