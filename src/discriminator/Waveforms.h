#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "graph/PlotDataBase.h"
#include "host/HostTypes.h"

class IHostCalc;
class IHostRecording;

namespace Nerolith {

// One spike's window of samples: the sample at `firstX` ms from the trigger,
// then one every `step` ms. A window clipped at its block's start begins
// later, at its first existing sample.
struct Waveform {
    double firstX = 0.0;
    double step = 0.0;
    std::vector<float> values;
};

// The sample of a waveform nearest a time (ms): its time and value. A time
// halfway between two samples belongs to the later one; none outside the
// window.
struct WaveformSample {
    double x = 0.0;
    float value = 0.0f;
};
std::optional<WaveformSample> NearestSample(const Waveform& waveform, double x);

// The waveforms one plotter draws.
class WaveformSet : public DUdido1::PlotDataBase {
public:
    void SetWaveforms(std::vector<Waveform> waveforms);
    const std::vector<Waveform>& Waveforms() const { return waveforms_; }

private:
    std::vector<Waveform> waveforms_;
};

// Where the spike windows lie: the channel and the window around the
// trigger, in seconds.
struct SpikeWindow {
    std::int32_t channel = 0;
    double pretrigger = 0.0;
    double total = 0.0;

    friend bool operator==(const SpikeWindow&, const SpikeWindow&) = default;
};

// The spike windows of the spikes at `positions`, read from the host's
// channel as every reader of the channel sees it (filtered, when a filter is
// set). A window that cannot be read comes back empty.
std::vector<Waveform> ReadWaveforms(IHostCalc& calc, IHostRecording& recording, const SpikeWindow& window,
                                    const std::vector<Host::Position>& positions);

} // namespace Nerolith
