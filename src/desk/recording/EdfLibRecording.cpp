#include "desk/recording/EdfLibRecording.h"

#include <algorithm>
#include <array>
#include <limits>
#include <string_view>

#include "desk/recording/AnnotationEvents.h"
#include "desk/recording/ContentHash.h"
#include "desk/recording/EdfTal.h"
#include "desk/recording/RecordingFile.h"

namespace Desk {
namespace {

// EDFlib pads labels and units with spaces.
VEX::String Trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return VEX::String::FromAnsi(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

std::string FingerprintOf(const RecordingFile& file)
{
    ContentHash hash;
    hash.AddFileContents(file);
    return hash.Fingerprint("edf");
}

} // namespace

std::unique_ptr<Recording> EdfLibRecording::Open(const std::string& path)
{
    bool discontinuous = false;
    auto file = std::make_unique<EdfLibFile>(path, discontinuous);
    if (discontinuous) {
        return nullptr;
    }
    return std::unique_ptr<Recording>(new EdfLibRecording(path, std::move(file)));
}

EdfLibRecording::EdfLibRecording(const std::string& path, std::unique_ptr<EdfLibFile> file)
    : path_(path), file_(std::move(file)), bytes_(path), fingerprint_([this] { return FingerprintOf(bytes_); })
{
    const edf_hdr_struct& header = file_->Header();
    if (header.edfsignals < 1) {
        throw RecordingError(path_ + ": the file has no signals besides annotations");
    }
    if (header.datarecord_duration <= 0) {
        throw RecordingError(path_ + ": the data record duration is not a positive number of seconds");
    }
    for (int i = 0; i < header.edfsignals; ++i) {
        const edf_param_struct& signal = header.signalparam[i];
        if (signal.smp_in_file > std::numeric_limits<std::int32_t>::max()) {
            throw RecordingError(path_ + ": signal \"" + Trimmed(signal.label).ToUtf8()
                                 + "\" has more samples than one block can hold");
        }
        const double interval = static_cast<double>(header.datarecord_duration) / kEdfTimeUnitsPerSecond
            / signal.smp_in_datarecord;
        channels_.push_back({Trimmed(signal.label), Trimmed(signal.physdimension),
                             static_cast<std::int32_t>(signal.smp_in_file), interval});
    }
    std::vector<TimedAnnotation> annotations;
    for (const edf_annotation_struct& annotation : file_->Annotations()) {
        annotations.push_back({annotation.onset, annotation.annotation});
    }
    const BlockSpan whole{0, header.file_duration, channels_[0].ticks};
    events_ = EventsFromAnnotations(annotations, {whole});
}

bool EdfLibRecording::Has(std::int32_t channel, std::int32_t block) const
{
    return block == 0 && channel >= 0 && channel < ChannelCount();
}

std::int32_t EdfLibRecording::Ticks(std::int32_t channel, std::int32_t block) const
{
    return Has(channel, block) ? channels_[channel].ticks : 0;
}

double EdfLibRecording::SampleInterval(std::int32_t channel, std::int32_t block) const
{
    return Has(channel, block) ? channels_[channel].interval : 0;
}

VEX::String EdfLibRecording::ChannelTitle(std::int32_t channel) const
{
    return Has(channel, 0) ? channels_[channel].title : VEX::String();
}

VEX::String EdfLibRecording::ChannelUnit(std::int32_t channel) const
{
    return Has(channel, 0) ? channels_[channel].unit : VEX::String();
}

std::size_t EdfLibRecording::Read(std::int32_t channel, std::int32_t block, std::int64_t tick, std::size_t count,
                                  float* out) const
{
    const std::int64_t ticks = Ticks(channel, block);
    if (tick < 0 || tick >= ticks) {
        return 0;
    }
    const auto total = static_cast<std::size_t>(std::min<std::uint64_t>(count, static_cast<std::uint64_t>(ticks - tick)));
    std::array<double, 4096> buffer{};
    std::size_t done = 0;
    while (done < total) {
        const std::size_t chunk = std::min(total - done, buffer.size());
        const std::size_t read = file_->ReadPhysical(channel, tick + static_cast<std::int64_t>(done), chunk, buffer.data());
        std::transform(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(read), out + done,
                       [](double value) { return static_cast<float>(value); });
        done += read;
        if (read < chunk) {
            break;
        }
    }
    return done;
}

} // namespace Desk
