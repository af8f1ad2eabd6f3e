#pragma once

#include <climits>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#include "detection/UnitRecord.h"

namespace Nerolith {

// A class of spikes of one channel. Its number is what spikes of the unit
// carry; numbers are unique within a store and never change.
class SpikeUnit {
public:
    static constexpr std::int32_t kNoSource1 = INT_MIN;
    static constexpr std::int32_t kNoSource2 = static_cast<std::int32_t>(0xC0000000u);

    virtual ~SpikeUnit() = default;

    // Whether the spike belongs to the unit; `distance` says how well it
    // fits (0 for a contour). `window` is the spike's window as the detector
    // saw it (negated for negative spikes, signal mode 1).
    virtual bool Test(std::span<const float> window, double height, double widthMs, std::int32_t signalMode,
                      double& distance) const = 0;

    std::int32_t Kind() const { return record_.kind; }
    std::int32_t Number() const { return record_.number; }
    std::int32_t Channel() const { return record_.channel; }
    const VEX::String& Name() const { return record_.name; }
    std::uint32_t Colour() const { return record_.colour; }
    double FitTolerance() const { return record_.fitTolerance; }
    const std::vector<double>& Widths() const { return record_.widths; }
    const std::vector<double>& Heights() const { return record_.heights; }
    // What the document keeps of the unit.
    const UnitRecord& Record() const { return record_; }

    void SetProperties(const VEX::String& name, std::uint32_t colour, double fitTolerance);
    void SetContour(std::vector<double> widths, std::vector<double> heights);

    // The host's identifiers of the unit's event source.
    bool HasSource() const { return sourceId1_ != kNoSource1; }
    std::int32_t SourceId1() const { return sourceId1_; }
    std::int32_t SourceId2() const { return sourceId2_; }
    void SetSource(std::int32_t id1, std::int32_t id2);
    void ClearSource() { SetSource(kNoSource1, kNoSource2); }

protected:
    SpikeUnit(UnitKind kind, UnitRecord record) : record_(std::move(record)) { record_.kind = kind; }

private:
    UnitRecord record_;
    std::int32_t sourceId1_ = kNoSource1;
    std::int32_t sourceId2_ = kNoSource2;
};

} // namespace Nerolith
