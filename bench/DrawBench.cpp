// Drawing many overlaid waveforms, as the spike plot does: one
// multi-polyline call per ~128 points against one LineTo per segment, on an
// off-screen bitmap, and the recording context's own cost.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <span>
#include <vector>

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
            points.emplace_back(i * kWidth / kPoints, kHeight / 2 + static_cast<int>(std::sin(phase) * (100 + w % 150)));
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
