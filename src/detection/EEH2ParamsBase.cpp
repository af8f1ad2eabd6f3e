#include "detection/EEH2ParamsBase.h"

#include <cmath>

namespace EEH2 {

std::int32_t ParamsBase::ToInt32(double value, std::int32_t fallback)
{
    if (std::isnan(value)) {
        return fallback;
    }
    if (value >= static_cast<double>(INT_MAX)) {
        return INT_MAX;
    }
    if (value <= static_cast<double>(INT_MIN)) {
        return INT_MIN;
    }
    return static_cast<std::int32_t>(value);
}

void ParamsBase::SetLimits(double startRecord, double startTick, double endRecord, double endTick)
{
    limitStartRecord_ = ToInt32(startRecord, -1);
    limitStartTick_ = ToInt32(startTick, -1);
    limitEndRecord_ = ToInt32(endRecord, -1);
    limitEndTick_ = ToInt32(endTick, -1);
}

TickRange ParamsBase::RangeOf(std::int32_t record) const
{
    const std::int32_t startRecord = limitStartRecord_ < 0 ? 0 : limitStartRecord_;
    const bool endBounded = limitEndRecord_ >= 0;
    if (record < startRecord || (endBounded && record > limitEndRecord_)) {
        return {0, 0};
    }
    TickRange range;
    if (record == startRecord && limitStartTick_ >= 0) {
        range.start = limitStartTick_;
    }
    if (endBounded && record == limitEndRecord_ && limitEndTick_ >= 0) {
        range.end = limitEndTick_;
    }
    return range;
}

HRESULT ParamsBase::Prepare(std::int32_t record)
{
    if (!source_) {
        return E_FAIL;
    }
    double interval = 0.0;
    const HRESULT hr = source_->SampleInterval(record, &interval);
    if (Failed(hr)) {
        return hr;
    }
    if (!(interval > 0.0) || !std::isfinite(interval)) {
        return E_FAIL;
    }
    currentRecord_ = record;
    sampleInterval_ = interval;
    return S_OK;
}

} // namespace EEH2
