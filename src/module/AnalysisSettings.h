#pragma once

#include <cstdint>
#include <map>
#include <utility>
#include <vector>

#include "host/ISpikeDocInterface.h"

namespace Nerolith {

// The analysis settings of one channel; the scripting interface hands out
// the same record.
using ChannelAnalysisRecord = Host::ChannelAnalysisRecord;

// Puts a record back to "not analysed": the range covers one tick of block 0.
void ClearRecord(ChannelAnalysisRecord& record);
bool RangeIsEmpty(const ChannelAnalysisRecord& record);
// Whether the detection settings differ in a way that needs a new analysis
// (channel, data source, threshold, polarity, window, fit tolerance,
// measurement).
bool DetectionSettingsDiffer(const ChannelAnalysisRecord& a, const ChannelAnalysisRecord& b);
// Doubles compare equal when identical, both negligible, or within a
// relative 1e-13 of each other.
bool NearlyEqual(double a, double b);
// Whether every number of the record is finite; no other record is stored.
bool RecordIsFinite(const ChannelAnalysisRecord& record);

// The document-wide settings and one record per channel that was set up.
class AnalysisSettings {
public:
    bool showSpikeMarkers = true;
    bool analyzeWhileSampling = false;
    std::int32_t sourceChannel = 0;

    // The scatter plot's visible extents (widths in ms, heights in channel
    // units), kept while the document is open; not written with the
    // settings.
    std::pair<double, double> scatterWidthExtent{0.0, 10.0};
    std::pair<double, double> scatterHeightExtent{0.0, 1.0};

    // The channel's record; a channel without one gets the defaults.
    ChannelAnalysisRecord& Record(std::int32_t channel);
    ChannelAnalysisRecord& SourceRecord() { return Record(sourceChannel); }
    const ChannelAnalysisRecord* FindRecord(std::int32_t channel) const;

    // The record's analysed flag, and its range copied out; false when the
    // channel has no record.
    bool GetRange(std::int32_t channel, Host::Position& start, Host::Position& end) const;
    bool IsAnalyzedOnline(std::int32_t channel) const;
    // Stores a copy under the record's channel.
    void SetRecord(const ChannelAnalysisRecord& record);
    std::vector<std::int32_t> ChannelKeys() const;
    bool AnyAnalyzed() const;
    const std::map<std::int32_t, ChannelAnalysisRecord>& Channels() const { return channels_; }

private:
    std::map<std::int32_t, ChannelAnalysisRecord> channels_;
};

} // namespace Nerolith
