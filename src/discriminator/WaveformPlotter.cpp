#include "discriminator/WaveformPlotter.h"

#include <vector>

#include "discriminator/Waveforms.h"
#include "graph/PlotFrame.h"
#include "platform/ui/TDC.h"

namespace Nerolith {
namespace {

namespace ui = platform::ui;

constexpr std::size_t kBatchPoints = 128;

// Polylines gathered for one PolyPolyline call.
class PolylineBatch {
public:
    explicit PolylineBatch(ui::TDC& dc) : dc_(dc) {}
    ~PolylineBatch() { Flush(); }

    void Add(const Waveform& waveform, const DUdido1::PlotFrame& frame)
    {
        std::int32_t count = 0;
        for (std::size_t k = 0; k < waveform.values.size(); ++k) {
            const ui::TPoint p{frame.PixelX(waveform.firstX + static_cast<double>(k) * waveform.step),
                               frame.PixelY(waveform.values[k])};
            if (count == 0 || p != points_.back()) {
                points_.push_back(p);
                ++count;
            }
        }
        if (count == 1) {
            points_.push_back(points_.back());
            ++count;
        }
        if (count > 0) {
            counts_.push_back(count);
        }
        if (points_.size() > kBatchPoints) {
            Flush();
        }
    }

private:
    void Flush()
    {
        if (!counts_.empty()) {
            dc_.PolyPolyline(points_, counts_);
        }
        points_.clear();
        counts_.clear();
    }

    ui::TDC& dc_;
    std::vector<ui::TPoint> points_;
    std::vector<std::int32_t> counts_;
};

} // namespace

void WaveformPlotter::Draw(ui::TDC& dc, const DUdido1::PlotFrame& frame)
{
    const auto* data = dynamic_cast<const WaveformSet*>(Data());
    if (data == nullptr) {
        return;
    }
    const std::int32_t saved = dc.SaveDC();
    dc.IntersectClipRect(frame.rect);
    dc.SelectObject(ui::TPen(Colour(), PenWidth()));
    {
        PolylineBatch batch(dc);
        for (const Waveform& waveform : data->Waveforms()) {
            batch.Add(waveform, frame);
        }
    }
    dc.RestoreDC(saved);
}

} // namespace Nerolith
