#include "shell/NexWriter.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace Nerolith {
namespace {

constexpr std::int32_t kNeuronType = 0;
constexpr std::int32_t kEventType = 1;
constexpr std::int32_t kFormatVersion = 100;
constexpr std::size_t kNameSize = 64;
constexpr std::size_t kCommentSize = 256;
constexpr const char* kComment = "Exported from Wavedesk";
constexpr const char16_t* kBlockStartsName = u"Block start times";

// Little-endian writes into a buffer that already has its final size.
class ByteWriter {
public:
    explicit ByteWriter(std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}

    void Seek(std::size_t offset) { offset_ = offset; }
    std::size_t Offset() const { return offset_; }

    void Int32(std::int32_t value)
    {
        const auto word = static_cast<std::uint32_t>(value);
        for (int shift = 0; shift < 32; shift += 8) {
            bytes_[offset_++] = static_cast<std::uint8_t>(word >> shift);
        }
    }
    void Double(double value)
    {
        std::uint64_t word = 0;
        std::memcpy(&word, &value, sizeof word);
        for (int shift = 0; shift < 64; shift += 8) {
            bytes_[offset_++] = static_cast<std::uint8_t>(word >> shift);
        }
    }
    // Copies at most `size` bytes and leaves the rest of the field zero; a
    // text that fills the field has no terminator.
    void Text(const std::string& text, std::size_t size)
    {
        std::copy_n(text.begin(), std::min(text.size(), size), bytes_.begin() + offset_);
        offset_ += size;
    }
    void Skip(std::size_t size) { offset_ += size; }

private:
    std::vector<std::uint8_t>& bytes_;
    std::size_t offset_ = 0;
};

struct Variable {
    std::int32_t type = kNeuronType;
    std::string name;
    std::int32_t dataOffset = 0;
    std::int32_t count = 0;
};

struct Extent {
    std::int32_t begin = INT_MAX;
    std::int32_t end = 0;
};

// Ticks from the start of the recording, truncated, or none when the
// quotient does not fit the format's 32-bit field.
std::optional<std::int32_t> TicksFromStart(double seconds, double interval)
{
    const double ticks = std::trunc(seconds / interval);
    if (!(ticks >= static_cast<double>(INT_MIN) && ticks <= static_cast<double>(INT_MAX))) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(ticks);
}

class NexEncoder {
public:
    explicit NexEncoder(const NexInput& input) : input_(input) {}

    HRESULT Encode(std::vector<std::uint8_t>& bytes)
    {
        if (!(input_.sampleInterval > 0.0) || !std::isfinite(input_.sampleInterval)) {
            return E_INVALIDARG;
        }
        std::vector<std::int32_t> data;
        std::vector<Variable> variables;
        for (const NexInput::Unit& unit : input_.units) {
            Variable variable{kNeuronType, unit.name.ToAnsi(), DataOffset(data), 0};
            if (!AppendUnitTimes(unit.number, data, variable.count)) {
                return E_INVALIDARG;
            }
            variables.push_back(variable);
        }
        Variable blockStarts{kEventType, VEX::String(kBlockStartsName).ToAnsi(), DataOffset(data), 0};
        if (!AppendBlockStarts(data, blockStarts.count) || !ExtendToRecordingEnd()) {
            return E_INVALIDARG;
        }
        variables.push_back(blockStarts);
        Lay(variables, data, bytes);
        return S_OK;
    }

private:
    std::int32_t DataOffset(const std::vector<std::int32_t>& data) const
    {
        const std::size_t headers = kNexFileHeaderSize + kNexVariableHeaderSize * (input_.units.size() + 1);
        return static_cast<std::int32_t>(headers + data.size() * sizeof(std::int32_t));
    }

    // The start of a block, asked of the host once per run of spikes in it.
    bool BlockStart(std::int32_t block, std::int32_t& current, double& start) const
    {
        if (block == current) {
            return true;
        }
        const std::optional<double> seconds = input_.blockStartTime ? input_.blockStartTime(block) : std::nullopt;
        if (!seconds) {
            return false;
        }
        current = block;
        start = *seconds;
        return true;
    }

    bool AppendUnitTimes(std::int32_t number, std::vector<std::int32_t>& data, std::int32_t& count)
    {
        const double dt = input_.sampleInterval;
        std::int32_t current = INT_MAX;
        double start = 0.0;
        for (const NexInput::Spike& spike : input_.spikes) {
            if (spike.unit != number) {
                continue;
            }
            if (!BlockStart(spike.position.block, current, start)) {
                return false;
            }
            const std::optional<std::int32_t> time = TicksFromStart(spike.position.tick * dt + start, dt);
            if (!time) {
                return false;
            }
            data.push_back(*time);
            ++count;
            Extend(*time);
        }
        return true;
    }

    bool AppendBlockStarts(std::vector<std::int32_t>& data, std::int32_t& count)
    {
        for (std::int32_t block = 0; block < input_.blockCount; ++block) {
            const std::optional<double> seconds = input_.blockStartTime ? input_.blockStartTime(block) : std::nullopt;
            const std::optional<std::int32_t> time =
                seconds ? TicksFromStart(*seconds, input_.sampleInterval) : std::nullopt;
            if (!time) {
                return false;
            }
            data.push_back(*time);
            ++count;
            Extend(*time);
        }
        return true;
    }

    bool ExtendToRecordingEnd()
    {
        if (input_.blockCount == 0) {
            return true;
        }
        const std::optional<std::int32_t> end = TicksFromStart(input_.recordingEnd, input_.sampleInterval);
        if (!end) {
            return false;
        }
        Extend(*end);
        return true;
    }

    void Extend(std::int32_t time)
    {
        extent_.begin = std::min(extent_.begin, time);
        extent_.end = std::max(extent_.end, time);
    }

    void Lay(const std::vector<Variable>& variables, const std::vector<std::int32_t>& data,
             std::vector<std::uint8_t>& bytes) const
    {
        const std::size_t dataStart = kNexFileHeaderSize + kNexVariableHeaderSize * variables.size();
        bytes.assign(dataStart + data.size() * sizeof(std::int32_t), 0);
        ByteWriter out(bytes);
        out.Text("NEX1", 4);
        out.Int32(kFormatVersion);
        out.Text(kComment, kCommentSize);
        out.Double(1.0 / input_.sampleInterval);
        // An export with neither blocks nor spikes spans nothing.
        out.Int32(extent_.begin <= extent_.end ? extent_.begin : 0);
        out.Int32(extent_.end);
        out.Int32(static_cast<std::int32_t>(variables.size()));
        for (std::size_t i = 0; i < variables.size(); ++i) {
            out.Seek(kNexFileHeaderSize + kNexVariableHeaderSize * i);
            out.Int32(variables[i].type);
            out.Int32(kFormatVersion);
            out.Text(variables[i].name, kNameSize);
            out.Int32(variables[i].dataOffset);
            out.Int32(variables[i].count);
        }
        out.Seek(dataStart);
        for (std::int32_t time : data) {
            out.Int32(time);
        }
    }

    const NexInput& input_;
    Extent extent_;
};

bool WriteAll(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool closed = std::fclose(file) == 0;
    return written && closed;
}

} // namespace

void SetRecordingExtent(NexInput& input, IHostRecording& recording, std::int32_t channel)
{
    input.blockCount = recording.BlockCount();
    const std::int32_t last = input.blockCount - 1;
    double start = 0.0;
    double interval = 0.0;
    std::int32_t ticks = 0;
    if (last >= 0 && Succeeded(recording.BlockStartTime(last, &start)) &&
        Succeeded(recording.SampleInterval(channel, last, &interval)) &&
        Succeeded(recording.ChannelTicks(channel, last, &ticks))) {
        input.recordingEnd = start + ticks * interval;
    }
}

HRESULT EncodeNex(const NexInput& input, std::vector<std::uint8_t>& bytes)
{
    return NexEncoder(input).Encode(bytes);
}

HRESULT WriteNex(const NexInput& input, const std::string& path)
{
    std::vector<std::uint8_t> bytes;
    if (const HRESULT hr = EncodeNex(input, bytes); Failed(hr)) {
        return hr;
    }
    const std::filesystem::path target(path);
    std::filesystem::path partial = target;
    partial += ".part";
    std::error_code error;
    if (!WriteAll(partial, bytes)) {
        std::filesystem::remove(partial, error);
        return E_FAIL;
    }
    std::filesystem::rename(partial, target, error);
    if (error) {
        std::filesystem::remove(partial, error);
        return E_FAIL;
    }
    return S_OK;
}

} // namespace Nerolith
