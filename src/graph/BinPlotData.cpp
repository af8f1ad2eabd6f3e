#include "graph/BinPlotData.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace DUdido1 {

void BinPlotData::SetExtent(double minimum, double maximum)
{
    if (!(maximum > minimum) || (minimum == minimum_ && maximum == maximum_)) {
        return;
    }
    minimum_ = minimum;
    maximum_ = maximum;
    Changed();
}

void BinPlotData::SetBinWidth(double width)
{
    if (!(width > 0.0) || !std::isfinite(width)) {
        throw std::invalid_argument("Broken bin size");
    }
    if (width != binWidth_) {
        binWidth_ = width;
        Changed();
    }
}

void BinPlotData::SetBinCount(std::int32_t count)
{
    if (count < 0) {
        throw std::invalid_argument("Negative bin count");
    }
    if (count != BinCount()) {
        counts_.resize(static_cast<std::size_t>(count), 0.0f);
        Changed();
    }
}

void BinPlotData::ClearCounts()
{
    std::fill(counts_.begin(), counts_.end(), 0.0f);
    Changed();
}

float BinPlotData::Count(std::int32_t bin) const
{
    return bin >= 0 && bin < BinCount() ? counts_[static_cast<std::size_t>(bin)] : 0.0f;
}

bool BinPlotData::SetCount(std::int32_t bin, float count)
{
    if (bin < 0 || bin >= BinCount()) {
        return false;
    }
    float& slot = counts_[static_cast<std::size_t>(bin)];
    if (slot != count) {
        slot = count;
        Changed();
    }
    return true;
}

BinSeries BinPlotData::Bins() const
{
    return {minimum_, binWidth_, counts_};
}

void BinPlotData::Changed()
{
    changed_ = true;
    NotifyPlotters();
}

} // namespace DUdido1
