#include "desk/recording/EdfDiscontinuousRecording.h"

#include <algorithm>
#include <cstdio>
#include <limits>

#include "desk/recording/AnnotationEvents.h"
#include "desk/recording/ContentHash.h"
#include "desk/recording/EdfTal.h"

namespace Desk {
namespace {

std::string Seconds(std::int64_t units)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.7g s", static_cast<double>(units) / kEdfTimeUnitsPerSecond);
    return text;
}

std::int32_t DigitalAt(const std::byte* sample, bool bdf)
{
    const auto byte = [&](int i) { return static_cast<std::uint32_t>(sample[i]); };
    if (bdf) {
        const std::uint32_t raw = byte(0) | byte(1) << 8 | byte(2) << 16;
        return static_cast<std::int32_t>(raw ^ 0x800000u) - 0x800000;
    }
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(byte(0) | byte(1) << 8));
}

} // namespace

EdfDiscontinuousRecording::EdfDiscontinuousRecording(const std::string& path)
    : path_(path),
      file_(path),
      header_(ReadEdfHeader(file_)),
      fingerprint_([this] {
          ContentHash hash;
          hash.AddFileContents(file_);
          return hash.Fingerprint("edf");
      })
{
    for (const EdfSignal& signal : header_.signals) {
        if (!signal.annotations) {
            channels_.push_back(&signal);
        }
    }
    if (channels_.empty()) {
        throw RecordingError(path_ + ": the file has no signals besides annotations");
    }
    if (!header_.plus || channels_.size() == header_.signals.size()) {
        throw RecordingError(path_ + ": no annotation signal to take the data record start times from");
    }
    ReadRecordTimes();
}

// Takes each record's start from the first TAL of the first annotation
// signal, groups contiguous records into blocks and gathers the annotations.
void EdfDiscontinuousRecording::ReadRecordTimes()
{
    const auto timeKeeper = std::find_if(header_.signals.begin(), header_.signals.end(),
                                         [](const EdfSignal& signal) { return signal.annotations; });
    std::vector<TimedAnnotation> annotations;
    std::int64_t firstStart = 0;
    std::int64_t previousStart = 0;
    std::vector<std::byte> recordBytes(static_cast<std::size_t>(header_.recordBytes));
    for (std::int64_t record = 0; record < header_.records; ++record) {
        const std::string where = path_ + ": data record " + std::to_string(record + 1);
        file_.ReadAt(header_.RecordOffset(record), recordBytes);
        const std::byte* base = recordBytes.data();
        std::int64_t start = 0;
        for (auto signal = timeKeeper; signal != header_.signals.end(); ++signal) {
            if (!signal->annotations) {
                continue;
            }
            const std::size_t bytes = static_cast<std::size_t>(signal->samplesPerRecord) * header_.BytesPerSample();
            std::vector<EdfTal> tals = ParseTals({base + signal->offsetInRecord, bytes}, where);
            const bool keepsTime = signal == timeKeeper;
            if (keepsTime && (tals.empty() || tals[0].texts.empty() || !tals[0].texts[0].empty())) {
                throw RecordingError(where + ": it does not begin with a time-keeping annotation");
            }
            if (keepsTime) {
                start = tals[0].onset;
                tals[0].texts.erase(tals[0].texts.begin());
            }
            for (EdfTal& tal : tals) {
                for (std::string& text : tal.texts) {
                    annotations.push_back({tal.onset, std::move(text)});
                }
            }
        }
        if (record == 0) {
            firstStart = start;
        } else if (start < previousStart + header_.recordDuration) {
            throw RecordingError(where + ": it starts at " + Seconds(start - firstStart)
                                 + ", before the data record ahead of it ends");
        }
        if (record == 0 || start != previousStart + header_.recordDuration) {
            blocks_.push_back({record, 0, start - firstStart});
        }
        ++blocks_.back().records;
        previousStart = start;
    }
    std::vector<BlockSpan> spans;
    for (const Block& block : blocks_) {
        for (const EdfSignal* channel : channels_) {
            if (block.records * channel->samplesPerRecord > std::numeric_limits<std::int32_t>::max()) {
                throw RecordingError(path_ + ": block " + std::to_string(spans.size() + 1)
                                     + " has more samples than one block can hold");
            }
        }
        spans.push_back({block.start, block.records * header_.recordDuration,
                         static_cast<std::int32_t>(block.records * channels_[0]->samplesPerRecord)});
    }
    for (TimedAnnotation& annotation : annotations) {
        annotation.onset -= firstStart;
    }
    events_ = EventsFromAnnotations(annotations, spans);
}

bool EdfDiscontinuousRecording::HasChannel(std::int32_t channel) const
{
    return channel >= 0 && channel < ChannelCount();
}

bool EdfDiscontinuousRecording::HasBlock(std::int32_t block) const { return block >= 0 && block < BlockCount(); }

std::int32_t EdfDiscontinuousRecording::Ticks(std::int32_t channel, std::int32_t block) const
{
    if (!HasChannel(channel) || !HasBlock(block)) {
        return 0;
    }
    return static_cast<std::int32_t>(blocks_[block].records * channels_[channel]->samplesPerRecord);
}

double EdfDiscontinuousRecording::SampleInterval(std::int32_t channel, std::int32_t block) const
{
    if (!HasChannel(channel) || !HasBlock(block)) {
        return 0;
    }
    return static_cast<double>(header_.recordDuration) / kEdfTimeUnitsPerSecond / channels_[channel]->samplesPerRecord;
}

double EdfDiscontinuousRecording::BlockStartTime(std::int32_t block) const
{
    return HasBlock(block) ? static_cast<double>(blocks_[block].start) / kEdfTimeUnitsPerSecond : 0;
}

VEX::String EdfDiscontinuousRecording::ChannelTitle(std::int32_t channel) const
{
    return HasChannel(channel) ? VEX::String::FromAnsi(channels_[channel]->label) : VEX::String();
}

VEX::String EdfDiscontinuousRecording::ChannelUnit(std::int32_t channel) const
{
    return HasChannel(channel) ? VEX::String::FromAnsi(channels_[channel]->unit) : VEX::String();
}

std::size_t EdfDiscontinuousRecording::Read(std::int32_t channel, std::int32_t block, std::int64_t tick,
                                            std::size_t count, float* out) const
{
    const std::int64_t ticks = Ticks(channel, block);
    if (tick < 0 || tick >= ticks) {
        return 0;
    }
    const EdfSignal& signal = *channels_[channel];
    const std::int64_t perRecord = signal.samplesPerRecord;
    const auto total = static_cast<std::size_t>(std::min<std::uint64_t>(count, static_cast<std::uint64_t>(ticks - tick)));
    const int bytesPerSample = header_.BytesPerSample();
    const double scale = (signal.physicalMax - signal.physicalMin)
        / (static_cast<double>(signal.digitalMax) - static_cast<double>(signal.digitalMin));
    std::vector<std::byte> run;
    std::size_t done = 0;
    while (done < total) {
        const std::int64_t at = tick + static_cast<std::int64_t>(done);
        const std::int64_t record = blocks_[block].firstRecord + at / perRecord;
        const std::int64_t first = at % perRecord;
        const std::size_t samples = std::min<std::size_t>(total - done, static_cast<std::size_t>(perRecord - first));
        run.resize(samples * bytesPerSample);
        file_.ReadAt(header_.RecordOffset(record) + signal.offsetInRecord + static_cast<std::uint64_t>(first) * bytesPerSample,
                     run);
        const std::byte* sample = run.data();
        for (std::size_t i = 0; i < samples; ++i, sample += bytesPerSample) {
            const double digital = DigitalAt(sample, header_.bdf);
            out[done + i] = static_cast<float>((digital - signal.digitalMin) * scale + signal.physicalMin);
        }
        done += samples;
    }
    return done;
}

} // namespace Desk
