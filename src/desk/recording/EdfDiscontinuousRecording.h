#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "desk/recording/EdfHeader.h"
#include "desk/recording/LazyFingerprint.h"
#include "desk/recording/Recording.h"
#include "desk/recording/RecordingFile.h"

namespace Desk {

// An EDF+D or BDF+D file, read directly since EDFlib refuses discontinuous
// files. Each run of data records whose time-keeping annotations follow on
// without a gap is one block; block start times count from the first data
// record's time stamp. The file stays open; samples are converted on
// demand: physical = (digital - digmin) * (physmax - physmin) / (digmax - digmin) + physmin.
class EdfDiscontinuousRecording final : public Recording {
public:
    explicit EdfDiscontinuousRecording(const std::string& path);

    std::string Source() const override { return path_; }
    std::string Fingerprint() const override { return fingerprint_.Value(); }
    std::int32_t ChannelCount() const override { return static_cast<std::int32_t>(channels_.size()); }
    std::int32_t BlockCount() const override { return static_cast<std::int32_t>(blocks_.size()); }
    std::int32_t Ticks(std::int32_t channel, std::int32_t block) const override;
    double SampleInterval(std::int32_t channel, std::int32_t block) const override;
    double BlockStartTime(std::int32_t block) const override;
    VEX::String ChannelTitle(std::int32_t channel) const override;
    VEX::String ChannelUnit(std::int32_t channel) const override;
    std::size_t Read(std::int32_t channel, std::int32_t block, std::int64_t tick, std::size_t count,
                     float* out) const override;
    const std::vector<RecordedEvents>& Events() const override { return events_; }

private:
    struct Block {
        std::int64_t firstRecord = 0;
        std::int64_t records = 0;
        std::int64_t start = 0; // 100 ns units from the first record
    };

    void ReadRecordTimes();
    bool HasChannel(std::int32_t channel) const;
    bool HasBlock(std::int32_t block) const;

    std::string path_;
    RecordingFile file_;
    EdfHeader header_;
    std::vector<const EdfSignal*> channels_;
    std::vector<Block> blocks_;
    std::vector<RecordedEvents> events_;
    LazyFingerprint fingerprint_;
};

} // namespace Desk
