// Redrawing the chart of a one-hour 20 kHz channel: at full zoom-out and at
// one second per screen (goal: under 16 ms, one frame at 60 Hz). The
// channel's summary pyramid is built once, as the chart builds it on open.

#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include <cmath>
#include <cstdint>
#include <memory>

#include "desk/recording/Recording.h"
#include "desk/window/ChartPainter.h"
#include "platform/ui/Application.h"

namespace {

constexpr double kRate = 20000.0;
constexpr std::int32_t kTicks = 3600 * 20000;
constexpr int kWidth = 1200;
constexpr int kHeight = 300;

// An hour of noise with spikes, made as it is read: no 288 MB in memory.
class HourRecording final : public Desk::Recording {
public:
    std::string Source() const override { return "hour"; }
    std::string Fingerprint() const override { return "hour"; }
    std::int32_t ChannelCount() const override { return 1; }
    std::int32_t BlockCount() const override { return 1; }
    std::int32_t Ticks(std::int32_t, std::int32_t) const override { return kTicks; }
    double SampleInterval(std::int32_t, std::int32_t) const override { return 1.0 / kRate; }
    double BlockStartTime(std::int32_t) const override { return 0.0; }
    VEX::String ChannelTitle(std::int32_t) const override { return u"Hour"; }
    VEX::String ChannelUnit(std::int32_t) const override { return u"mV"; }
    std::size_t Read(std::int32_t channel, std::int32_t block, std::int64_t tick, std::size_t count,
                     float* out) const override
    {
        if (channel != 0 || block != 0 || tick < 0 || tick >= kTicks) {
            return 0;
        }
        count = std::min<std::size_t>(count, static_cast<std::size_t>(kTicks - tick));
        for (std::size_t i = 0; i < count; ++i) {
            auto state = static_cast<std::uint32_t>(tick + static_cast<std::int64_t>(i)) * 2654435761U;
            state ^= state >> 15;
            const float noise = static_cast<float>(state & 0xFFFF) / 65536.0F - 0.5F;
            out[i] = noise * 0.1F + ((tick + static_cast<std::int64_t>(i)) % 4000 < 10 ? 1.0F : 0.0F);
        }
        return count;
    }
    const std::vector<Desk::RecordedEvents>& Events() const override { return events_; }

private:
    std::vector<Desk::RecordedEvents> events_;
};

const Desk::ChartPainter& Chart()
{
    static const HourRecording recording;
    static const Desk::ChartPainter painter(recording);
    return painter;
}

void Redraw(benchmark::State& state, double start, double span)
{
    platform::ui::EnsureApplication();
    const Desk::ChartPainter& chart = Chart();
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    const std::vector<std::pair<double, double>> extents{{-0.2, 1.1}};
    for (auto _ : state) {
        QPainter painter(&image);
        chart.Draw(painter, image.rect(), start, span, extents, {});
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_ChartHourFullZoomOut(benchmark::State& state) { Redraw(state, 0.0, Chart().Duration()); }
void BM_ChartHourOneSecond(benchmark::State& state) { Redraw(state, 1800.0, 1.0); }

BENCHMARK(BM_ChartHourFullZoomOut)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChartHourOneSecond)->Unit(benchmark::kMillisecond);

} // namespace
