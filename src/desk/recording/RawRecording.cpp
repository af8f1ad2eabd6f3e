#include "desk/recording/RawRecording.h"

#include <algorithm>
#include <bit>
#include <memory>
#include <span>
#include <vector>

#include "desk/recording/ContentHash.h"
#include "desk/recording/SampleConversion.h"

namespace Desk {
namespace {

// Samples are read with pread a piece at a time and converted while the
// piece is still in the second-level cache: pieces of a fixed number of
// frames, 4 MiB of a 32-channel int16 file, made reading one of its
// channels take 1.7 times as long. A long read needs no long buffer either.
constexpr std::size_t kPieceBytes = std::size_t{256} << 10;

std::string ReadSidecarText(const std::string& path)
{
    const RecordingFile file(path);
    const std::vector<std::byte> bytes = file.ReadStart(file.Size());
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

std::unique_ptr<RecordingFile> OpenDataFile(const RawSidecar& sidecar, const std::string& sidecarPath)
{
    try {
        return std::make_unique<RecordingFile>(sidecar.dataFile);
    } catch (const RecordingError& error) {
        throw RecordingError(sidecarPath + ": the data file " + error.what());
    }
}

} // namespace

RawRecording::RawRecording(const std::string& sidecarPath)
    : RawRecording(sidecarPath, ReadSidecarText(sidecarPath))
{
}

// The data file stays open, so the fingerprint, worked out later, still
// hashes the file opened here even when the path was given to another one.
RawRecording::RawRecording(const std::string& sidecarPath, const std::string& text)
    : sidecarPath_(sidecarPath),
      sidecar_(ParseRawSidecar(text, sidecarPath)),
      data_(OpenDataFile(sidecar_, sidecarPath)),
      fingerprint_([text, data = data_.get()] {
          ContentHash hash;
          hash.Add(text);
          hash.AddFileContents(*data);
          return hash.Fingerprint("raw");
      })
{
    FitRawSidecarToData(sidecar_, data_->Size(), sidecarPath);
    planar_ = PlanarCopy::Find(sidecar_, *data_);
    // Where the copy serves every read, mapping the file, and timing
    // whether to, would be work for nothing: a many-channel run opens the
    // recording once per channel.
    if (!planar_ || !planar_->CopiesEveryChannel()) {
        mapping_ = FileMapping::Map(*data_);
    }
}

std::shared_ptr<const PlanarCopy> RawRecording::CopyChannels(const std::vector<std::int32_t>& channels,
                                                             unsigned threads) const
{
    return PlanarCopy::Make(sidecar_, *data_, channels, threads);
}

std::uint64_t RawRecording::ChannelCopyBytes() const
{
    return sidecar_.channels < 2 ? 0 : PlanarCopy::BytesPerChannel(sidecar_);
}

bool RawRecording::HasChannel(std::int32_t channel) const { return channel >= 0 && channel < ChannelCount(); }

bool RawRecording::HasBlock(std::int32_t block) const { return block >= 0 && block < BlockCount(); }

std::int32_t RawRecording::Ticks(std::int32_t channel, std::int32_t block) const
{
    return HasChannel(channel) && HasBlock(block) ? sidecar_.blocks[block].ticks : 0;
}

double RawRecording::SampleInterval(std::int32_t channel, std::int32_t block) const
{
    return HasChannel(channel) && HasBlock(block) ? 1.0 / sidecar_.sampleRate : 0;
}

double RawRecording::BlockStartTime(std::int32_t block) const
{
    return HasBlock(block) ? sidecar_.blocks[block].startTime : 0;
}

VEX::String RawRecording::ChannelTitle(std::int32_t channel) const
{
    return HasChannel(channel) ? sidecar_.titles[channel] : VEX::String();
}

VEX::String RawRecording::ChannelUnit(std::int32_t channel) const
{
    return HasChannel(channel) ? sidecar_.units[channel] : VEX::String();
}

std::size_t RawRecording::Remaining(std::int32_t channel, std::int32_t block, std::int64_t tick,
                                    std::size_t count) const
{
    const std::int64_t ticks = Ticks(channel, block);
    if (tick < 0 || tick >= ticks) {
        return 0;
    }
    return static_cast<std::size_t>(std::min<std::uint64_t>(count, static_cast<std::uint64_t>(ticks - tick)));
}

std::size_t RawRecording::FrameBytes() const
{
    return static_cast<std::size_t>(sidecar_.channels) * static_cast<std::size_t>(sidecar_.BytesPerSample());
}

std::uint64_t RawRecording::Offset(std::int32_t channel, std::int32_t block, std::int64_t tick) const
{
    return sidecar_.blocks[block].byteOffset + static_cast<std::uint64_t>(tick) * FrameBytes()
        + static_cast<std::uint64_t>(channel) * static_cast<std::uint64_t>(sidecar_.BytesPerSample());
}

// Stored values that pass unchanged, bit for bit.
bool RawRecording::StoredAsRead(std::int32_t channel) const
{
    return sidecar_.type == RawSampleType::Float32 && sidecar_.gain[channel] == 1.0 && sidecar_.offset[channel] == 0.0
        && std::endian::native == std::endian::little;
}

std::size_t RawRecording::Read(std::int32_t channel, std::int32_t block, std::int64_t tick, std::size_t count,
                               float* out) const
{
    const std::size_t total = Remaining(channel, block, tick, count);
    if (total == 0) {
        return 0;
    }
    if (planar_ && planar_->RunAt(channel, block, tick)) {
        ReadCopied(channel, block, tick, total, out);
        return total;
    }
    const std::uint64_t first = Offset(channel, block, tick);
    if (mapping_) {
        Convert(mapping_->Bytes().data() + first, FrameBytes(), total, out, channel, SampleSource::Memory);
        mapping_->ThrowIfCut();
        return total;
    }
    ReadCopying(first, total, out, channel);
    return total;
}

void RawRecording::ReadCopied(std::int32_t channel, std::int32_t block, std::int64_t tick, std::size_t total,
                              float* out) const
{
    const auto sampleBytes = static_cast<std::size_t>(sidecar_.BytesPerSample());
    for (std::size_t done = 0; done < total;) {
        const PlanarCopy::Run run = planar_->RunAt(channel, block, tick + static_cast<std::int64_t>(done)).value();
        const std::size_t count = std::min<std::size_t>(total - done, static_cast<std::size_t>(run.samples));
        Convert(planar_->Bytes().data() + run.offset, sampleBytes, count, out + done, channel, SampleSource::Memory);
        done += count;
    }
}

void RawRecording::ReadCopying(std::uint64_t first, std::size_t total, float* out, std::int32_t channel) const
{
    const std::size_t sampleBytes = static_cast<std::size_t>(sidecar_.BytesPerSample());
    const std::size_t stride = FrameBytes();
    if (StoredAsRead(channel) && stride == sizeof(float)) {
        // A lone channel is one contiguous run of little-endian floats.
        data_->ReadAt(first, std::as_writable_bytes(std::span(out, total)));
        return;
    }
    // One buffer for the whole read, left uninitialised: pread fills it.
    const std::size_t framesPerPiece = std::max<std::size_t>(1, kPieceBytes / stride);
    const std::size_t pieceFrames = std::min(total, framesPerPiece);
    const auto piece = std::make_unique_for_overwrite<std::byte[]>((pieceFrames - 1) * stride + sampleBytes);
    for (std::size_t done = 0; done < total;) {
        const std::size_t frames = std::min(total - done, framesPerPiece);
        data_->ReadAt(first + done * stride, {piece.get(), (frames - 1) * stride + sampleBytes});
        Convert(piece.get(), stride, frames, out + done, channel, SampleSource::Cached);
        done += frames;
    }
}

std::span<const float> RawRecording::Lend(std::int32_t channel, std::int32_t block, std::int64_t tick,
                                          std::size_t count) const
{
    const std::size_t total = Remaining(channel, block, tick, count);
    const std::uint64_t first = total > 0 ? Offset(channel, block, tick) : 0;
    if (!mapping_ || total == 0 || !StoredAsRead(channel) || FrameBytes() != sizeof(float)
        || first % alignof(float) != 0) {
        return {};
    }
    return {reinterpret_cast<const float*>(mapping_->Bytes().data() + first), total};
}

void RawRecording::CheckLent() const
{
    if (mapping_) {
        mapping_->ThrowIfCut();
    }
}

void RawRecording::Convert(const std::byte* sample, std::size_t stride, std::size_t count, float* out,
                           std::int32_t channel, SampleSource source) const
{
    const double gain = sidecar_.gain[channel];
    const double offset = sidecar_.offset[channel];
    if (sidecar_.type == RawSampleType::Float32) {
        ConvertFloat32Samples(sample, stride, count, gain, offset, out, source);
    } else {
        ConvertInt16Samples(sample, stride, count, gain, offset, out, source);
    }
}

} // namespace Desk
