#include "module/AnalysisSettings.h"

#include <algorithm>
#include <cmath>

namespace Nerolith {

void ClearRecord(ChannelAnalysisRecord& record)
{
    record.rangeStart = {0, 0};
    record.rangeEnd = {1, 0};
    record.analyzed = false;
}

bool RangeIsEmpty(const ChannelAnalysisRecord& record) { return record.rangeStart == record.rangeEnd; }

bool NearlyEqual(double a, double b)
{
    if (a == b) {
        return true;
    }
    constexpr double kNegligible = 1e-32;
    const double larger = std::max(std::fabs(a), std::fabs(b));
    if (larger < kNegligible) {
        return true;
    }
    return std::fabs(a - b) / larger < 1e-13;
}

bool RecordIsFinite(const ChannelAnalysisRecord& record)
{
    return std::isfinite(record.detectionThreshold) && std::isfinite(record.pretriggerTime) &&
           std::isfinite(record.totalTriggerTime) && std::isfinite(record.optionValue1) &&
           std::isfinite(record.defaultFitTolerance);
}

bool DetectionSettingsDiffer(const ChannelAnalysisRecord& a, const ChannelAnalysisRecord& b)
{
    return a.channel != b.channel || a.useSelection != b.useSelection ||
           !NearlyEqual(a.detectionThreshold, b.detectionThreshold) || a.signalMode != b.signalMode ||
           !NearlyEqual(a.pretriggerTime, b.pretriggerTime) ||
           !NearlyEqual(a.totalTriggerTime, b.totalTriggerTime) ||
           !NearlyEqual(a.defaultFitTolerance, b.defaultFitTolerance) ||
           a.discriminationMode != b.discriminationMode;
}

ChannelAnalysisRecord& AnalysisSettings::Record(std::int32_t channel)
{
    auto [found, inserted] = channels_.try_emplace(channel);
    if (inserted) {
        found->second.channel = channel;
    }
    return found->second;
}

const ChannelAnalysisRecord* AnalysisSettings::FindRecord(std::int32_t channel) const
{
    const auto found = channels_.find(channel);
    return found == channels_.end() ? nullptr : &found->second;
}

bool AnalysisSettings::GetRange(std::int32_t channel, Host::Position& start, Host::Position& end) const
{
    const ChannelAnalysisRecord* record = FindRecord(channel);
    if (record == nullptr) {
        return false;
    }
    start = record->rangeStart;
    end = record->rangeEnd;
    return record->analyzed;
}

bool AnalysisSettings::IsAnalyzedOnline(std::int32_t channel) const
{
    const ChannelAnalysisRecord* record = FindRecord(channel);
    return analyzeWhileSampling && record != nullptr && record->analyzed;
}

void AnalysisSettings::SetRecord(const ChannelAnalysisRecord& record) { channels_[record.channel] = record; }

std::vector<std::int32_t> AnalysisSettings::ChannelKeys() const
{
    std::vector<std::int32_t> keys;
    keys.reserve(channels_.size());
    for (const auto& entry : channels_) {
        keys.push_back(entry.first);
    }
    return keys;
}

bool AnalysisSettings::AnyAnalyzed() const
{
    return std::ranges::any_of(channels_, [](const auto& entry) { return entry.second.analyzed; });
}

} // namespace Nerolith
