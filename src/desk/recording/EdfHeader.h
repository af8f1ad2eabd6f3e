#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace Desk {

struct EdfSignal {
    std::string label; // trimmed
    std::string unit;  // physical dimension, trimmed
    double physicalMin = 0;
    double physicalMax = 0;
    std::int32_t digitalMin = 0;
    std::int32_t digitalMax = 0;
    std::int32_t samplesPerRecord = 0;
    std::uint64_t offsetInRecord = 0; // bytes from the start of a data record
    bool annotations = false;         // an "EDF Annotations" / "BDF Annotations" signal
};

// The header of an EDF, EDF+, BDF or BDF+ file, checked against itself and
// against the file size, so that every data record it describes lies
// within the file.
struct EdfHeader {
    bool bdf = false;           // 24-bit samples
    bool plus = false;          // EDF+ / BDF+
    bool discontinuous = false; // EDF+D / BDF+D
    std::uint64_t headerBytes = 0;
    std::int64_t records = 0;
    std::int64_t recordDuration = 0; // 100 ns units
    std::uint64_t recordBytes = 0;
    std::vector<EdfSignal> signals;

    int BytesPerSample() const { return bdf ? 3 : 2; }
    std::uint64_t RecordOffset(std::int64_t record) const
    {
        return headerBytes + static_cast<std::uint64_t>(record) * recordBytes;
    }
};

class RecordingFile;

// The longest header this reader takes: 4096 signals.
inline constexpr std::uint64_t kEdfMaxHeaderBytes = 256 + 256 * 4096;

// Parses the header at the start of a file of `fileSize` bytes; `start`
// holds the file's first min(fileSize, kEdfMaxHeaderBytes) bytes. Throws
// RecordingError naming `fileName` and the faulty field.
EdfHeader ParseEdfHeader(std::span<const std::byte> start, std::uint64_t fileSize, const std::string& fileName);
// Reads and parses the header of `file`.
EdfHeader ReadEdfHeader(const RecordingFile& file);

} // namespace Desk
