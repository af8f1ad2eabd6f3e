#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "desk/recording/EdfLibFile.h"
#include "desk/recording/LazyFingerprint.h"
#include "desk/recording/RecordingFile.h"
#include "desk/recording/Recording.h"

namespace Desk {

// An EDF, EDF+C, BDF or BDF+C file read through EDFlib: one block starting
// at 0 s, one channel per signal (annotation signals excluded), each with
// its own sample rate. EDF+ annotations become event sources (see
// EventsFromAnnotations); their onsets count from the first data record,
// as EDFlib gives them.
class EdfLibRecording final : public Recording {
public:
    // nullptr when the file is EDF+D or BDF+D, which EDFlib refuses;
    // throws RecordingError for anything else it cannot read.
    static std::unique_ptr<Recording> Open(const std::string& path);

    std::string Source() const override { return path_; }
    std::string Fingerprint() const override { return fingerprint_.Value(); }
    std::int32_t ChannelCount() const override { return static_cast<std::int32_t>(channels_.size()); }
    std::int32_t BlockCount() const override { return 1; }
    std::int32_t Ticks(std::int32_t channel, std::int32_t block) const override;
    double SampleInterval(std::int32_t channel, std::int32_t block) const override;
    double BlockStartTime(std::int32_t) const override { return 0; }
    VEX::String ChannelTitle(std::int32_t channel) const override;
    VEX::String ChannelUnit(std::int32_t channel) const override;
    std::size_t Read(std::int32_t channel, std::int32_t block, std::int64_t tick, std::size_t count,
                     float* out) const override;
    const std::vector<RecordedEvents>& Events() const override { return events_; }

private:
    struct Channel {
        VEX::String title;
        VEX::String unit;
        std::int32_t ticks = 0;
        double interval = 0;
    };

    EdfLibRecording(const std::string& path, std::unique_ptr<EdfLibFile> file);
    bool Has(std::int32_t channel, std::int32_t block) const;

    std::string path_;
    std::unique_ptr<EdfLibFile> file_;
    std::vector<Channel> channels_;
    std::vector<RecordedEvents> events_;
    // Open from the start, so that the fingerprint hashes the file read.
    RecordingFile bytes_;
    LazyFingerprint fingerprint_;
};

} // namespace Desk
