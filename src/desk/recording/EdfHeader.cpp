#include "desk/recording/EdfHeader.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string_view>

#include "desk/recording/EdfTal.h"
#include "desk/recording/Recording.h"
#include "desk/recording/RecordingFile.h"

namespace Desk {
namespace {

constexpr std::size_t kFixedBytes = 256;
constexpr std::size_t kBytesPerSignal = 256;
constexpr std::int64_t kMaxSignals = 4096;
static_assert(kEdfMaxHeaderBytes == 256 + 256 * kMaxSignals);

std::string_view Trim(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Reads the fixed-width ASCII fields of the header, each checked before use.
class HeaderFields {
public:
    HeaderFields(std::span<const std::byte> file, const std::string& fileName)
        : text_(reinterpret_cast<const char*>(file.data()), file.size()), fileName_(fileName)
    {
    }

    [[noreturn]] void Fail(const std::string& fault) const { throw RecordingError(fileName_ + ": " + fault); }

    std::string_view Raw(std::size_t offset, std::size_t width) const { return text_.substr(offset, width); }
    std::string Text(std::size_t offset, std::size_t width) const { return std::string(Trim(Raw(offset, width))); }

    std::int64_t Integer(std::size_t offset, std::size_t width, const std::string& name) const
    {
        const std::string_view field = Trim(Raw(offset, width));
        std::int64_t value = 0;
        const std::string_view digits = !field.empty() && field[0] == '+' ? field.substr(1) : field;
        const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
        if (field.empty() || error != std::errc() || end != digits.data() + digits.size()) {
            Fail(name + " is not a whole number (" + QuotedEdfText(Raw(offset, width)) + ")");
        }
        return value;
    }

    double Number(std::size_t offset, std::size_t width, const std::string& name) const
    {
        const std::string_view field = Trim(Raw(offset, width));
        double value = 0;
        const std::string_view digits = !field.empty() && field[0] == '+' ? field.substr(1) : field;
        const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
        if (field.empty() || error != std::errc() || end != digits.data() + digits.size() || !std::isfinite(value)) {
            Fail(name + " is not a number (" + QuotedEdfText(Raw(offset, width)) + ")");
        }
        return value;
    }

private:
    std::string_view text_;
    const std::string& fileName_;
};

void ReadKind(const HeaderFields& fields, EdfHeader& header)
{
    const std::string_view version = fields.Raw(0, 8);
    header.bdf = version == "\xff" "BIOSEMI";
    if (!header.bdf && Trim(version) != "0") {
        fields.Fail("not an EDF or BDF file (the version field is " + QuotedEdfText(version) + ")");
    }
    const std::string_view reserved = fields.Raw(192, 44);
    const std::string_view plusTag = header.bdf ? "BDF+" : "EDF+";
    header.plus = reserved.starts_with(plusTag);
    header.discontinuous = header.plus && reserved.substr(4, 1) == "D";
    if (header.plus && reserved.substr(4, 1) != "C" && !header.discontinuous) {
        fields.Fail("unknown file type " + QuotedEdfText(Trim(reserved)));
    }
}

void ReadRecordLayout(const HeaderFields& fields, EdfHeader& header, std::uint64_t fileSize)
{
    const std::int64_t signals = fields.Integer(252, 4, "the number of signals");
    if (signals < 1 || signals > kMaxSignals) {
        fields.Fail("the number of signals is " + std::to_string(signals) + "; it must be between 1 and "
                    + std::to_string(kMaxSignals));
    }
    header.signals.resize(static_cast<std::size_t>(signals));
    const std::int64_t headerBytes = fields.Integer(184, 8, "the header size");
    const auto expected = static_cast<std::int64_t>(kFixedBytes + kBytesPerSignal * header.signals.size());
    if (headerBytes != expected) {
        fields.Fail("the header size is " + std::to_string(headerBytes) + " bytes, but " + std::to_string(signals)
                    + " signals need " + std::to_string(expected));
    }
    header.headerBytes = static_cast<std::uint64_t>(headerBytes);
    if (fileSize < header.headerBytes) {
        fields.Fail("the file ends inside its header (" + std::to_string(fileSize) + " of "
                    + std::to_string(headerBytes) + " bytes)");
    }
    header.records = fields.Integer(236, 8, "the number of data records");
    if (header.records < 1) {
        fields.Fail("the number of data records is " + std::to_string(header.records)
                    + (header.records == -1 ? " (the recording was never finished)" : ""));
    }
    const auto duration = ParseEdfTime(Trim(fields.Raw(244, 8)));
    if (!duration || *duration <= 0) {
        fields.Fail("the data record duration " + QuotedEdfText(fields.Raw(244, 8)) + " is not a positive number of seconds");
    }
    header.recordDuration = *duration;
}

void ReadSignal(const HeaderFields& fields, const EdfHeader& header, std::size_t index, EdfSignal& signal)
{
    const std::size_t count = header.signals.size();
    const auto at = [&](std::size_t fieldStart, std::size_t width) { return kFixedBytes + fieldStart * count + index * width; };
    signal.label = fields.Text(at(0, 16), 16);
    signal.unit = fields.Text(at(96, 8), 8);
    const std::string name = "signal " + std::to_string(index + 1) + " (" + QuotedEdfText(signal.label) + ")";
    signal.annotations = header.plus && signal.label == (header.bdf ? "BDF Annotations" : "EDF Annotations");
    signal.physicalMin = fields.Number(at(104, 8), 8, name + ": the physical minimum");
    signal.physicalMax = fields.Number(at(112, 8), 8, name + ": the physical maximum");
    const std::int64_t digitalMin = fields.Integer(at(120, 8), 8, name + ": the digital minimum");
    const std::int64_t digitalMax = fields.Integer(at(128, 8), 8, name + ": the digital maximum");
    const std::int64_t samples = fields.Integer(at(216, 8), 8, name + ": the number of samples per data record");
    const std::int64_t limit = header.bdf ? 8388607 : 32767;
    if (digitalMin < -limit - 1 || digitalMax > limit || digitalMin >= digitalMax) {
        fields.Fail(name + ": the digital range " + std::to_string(digitalMin) + " to " + std::to_string(digitalMax)
                    + " is empty or outside " + std::to_string(-limit - 1) + " to " + std::to_string(limit));
    }
    if (!signal.annotations && signal.physicalMin == signal.physicalMax) {
        fields.Fail(name + ": the physical minimum equals the physical maximum");
    }
    if (samples < 1 || samples > std::numeric_limits<std::int32_t>::max()) {
        fields.Fail(name + ": the number of samples per data record is " + std::to_string(samples));
    }
    signal.digitalMin = static_cast<std::int32_t>(digitalMin);
    signal.digitalMax = static_cast<std::int32_t>(digitalMax);
    signal.samplesPerRecord = static_cast<std::int32_t>(samples);
}

// The data records must fill the file exactly: a header that claims more
// records than the file holds, or fewer, is lying about one or the other.
void CheckFileSize(const HeaderFields& fields, const EdfHeader& header, std::uint64_t fileSize)
{
    std::uint64_t dataBytes = 0;
    const bool overflow = __builtin_mul_overflow(header.recordBytes, static_cast<std::uint64_t>(header.records), &dataBytes)
        || __builtin_add_overflow(dataBytes, header.headerBytes, &dataBytes);
    if (overflow || dataBytes != fileSize) {
        fields.Fail("the header describes " + std::to_string(header.records) + " data records of "
                    + std::to_string(header.recordBytes) + " bytes, but the file holds "
                    + std::to_string(fileSize - header.headerBytes) + " bytes of data records");
    }
}

} // namespace

EdfHeader ParseEdfHeader(std::span<const std::byte> start, std::uint64_t fileSize, const std::string& fileName)
{
    const HeaderFields fields(start, fileName);
    if (start.size() < kFixedBytes) {
        fields.Fail("too short for an EDF or BDF header (" + std::to_string(start.size()) + " bytes)");
    }
    EdfHeader header;
    ReadKind(fields, header);
    ReadRecordLayout(fields, header, std::min<std::uint64_t>(fileSize, start.size()));
    for (std::size_t i = 0; i < header.signals.size(); ++i) {
        EdfSignal& signal = header.signals[i];
        ReadSignal(fields, header, i, signal);
        signal.offsetInRecord = header.recordBytes;
        header.recordBytes += static_cast<std::uint64_t>(signal.samplesPerRecord) * header.BytesPerSample();
    }
    CheckFileSize(fields, header, fileSize);
    return header;
}

EdfHeader ReadEdfHeader(const RecordingFile& file)
{
    return ParseEdfHeader(file.ReadStart(kEdfMaxHeaderBytes), file.Size(), file.Path().string());
}

} // namespace Desk
