#pragma once

#include <climits>
#include <cstdint>

#include "host/ICalcSource.h"
#include "platform/com/ComPtr.h"

namespace EEH2 {

// Ticks [start, end) of one record that an algorithm scans; an end of
// INT_MAX stands for the record's end.
struct TickRange {
    std::int32_t start = 0;
    std::int32_t end = INT_MAX;

    bool Empty() const { return start >= end; }
};

// What every algorithm of the framework is given: its sample source, the
// limits of the scanned range and, per record, the seconds per tick.
class ParamsBase {
public:
    virtual ~ParamsBase() = default;

    void SetSource(ICalcSource* source) { source_ = ComPtr<ICalcSource>(source); }
    ICalcSource* Source() const { return source_.Get(); }

    // The four limits in parameter order. On the start side a record of -1
    // means the first record and a tick of -1 the record's first tick. On
    // the end side a record of -1 leaves the range open to the end of every
    // record (the last record is not known here, so an end tick alone limits
    // nothing) and a tick of -1 means the record's end.
    void SetLimits(double startRecord, double startTick, double endRecord, double endTick);
    TickRange RangeOf(std::int32_t record) const;

    // Per record: remembers it and asks the source for its sample interval.
    virtual HRESULT Prepare(std::int32_t record);

    double SampleInterval() const { return sampleInterval_; }
    std::int32_t CurrentRecord() const { return currentRecord_; }

    // A parameter value as int32: truncated, clamped into the int32 range,
    // and `fallback` when it is not a number.
    static std::int32_t ToInt32(double value, std::int32_t fallback);

private:
    std::int32_t limitStartTick_ = -1;
    std::int32_t limitStartRecord_ = -1;
    std::int32_t limitEndTick_ = -1;
    std::int32_t limitEndRecord_ = -1;
    double sampleInterval_ = 0.0;
    std::int32_t currentRecord_ = 0;
    ComPtr<ICalcSource> source_;
};

} // namespace EEH2
