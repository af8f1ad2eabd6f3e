#pragma once

#include <cstdint>

#include "platform/Export.h"
#include "platform/com/ComPtr.h"
#include "platform/com/Stream.h"
#include "platform/text/VexString.h"

namespace VEX {

// The encoding of everything the module stores in a host document:
// little-endian words, IEEE doubles, booleans as words, length-checked
// UTF-16 strings, behind a header word that carries the binary format.

enum class BinStreamState : std::uint32_t { Good = 0, Failed = 2, NoBuffer = 4 };

inline constexpr std::uint32_t kBinStreamHeader = 0x5514AAAAu;
inline constexpr std::uint32_t kBinFormatWritten = 20;
// Streams older than this hold strings as a byte count and ANSI bytes.
inline constexpr std::uint32_t kFirstUtf16Format = 10;

// Writes values to a host stream. Once a write comes up short every later
// write does nothing. The host stream stays the caller's.
class PLATFORM_API BinOStream {
public:
    // Writes the header word; a null stream gives the state NoBuffer.
    explicit BinOStream(IStream* stream);
    BinOStream(const BinOStream&) = delete;
    BinOStream& operator=(const BinOStream&) = delete;

    BinStreamState State() const { return state_; }
    bool Good() const { return state_ == BinStreamState::Good; }
    // Ends the use of the host stream.
    void Release();

    void WriteInt32(std::int32_t value);
    void WriteUInt32(std::uint32_t value);
    void WriteDouble(double value);
    void WriteBool(bool value);
    void WriteString(const String& value);

private:
    void WriteBytes(const void* bytes, std::uint32_t size);

    ComPtr<IStream> stream_;
    BinStreamState state_;
};

// Reads values from a host stream. Once a read comes up short the stream is
// failed and every later read does nothing: counts (uint32) and flags read
// as 0, strings as empty, int32 and double values keep what they held.
// Malformed strings raise XVEX. The stream must be able to seek: the reader
// steps back over a missing header and bounds every length by the bytes
// left, so a corrupted count never makes it allocate more than the stream
// holds.
class PLATFORM_API BinIStream {
public:
    // Reads and interprets the header; a null or unseekable stream gives the
    // state NoBuffer.
    explicit BinIStream(IStream* stream);
    BinIStream(const BinIStream&) = delete;
    BinIStream& operator=(const BinIStream&) = delete;

    BinStreamState State() const { return state_; }
    bool Good() const { return state_ == BinStreamState::Good; }
    // The binary format from the header; 1 for a stream without one.
    std::uint32_t Format() const { return format_; }
    void Release();

    void ReadInt32(std::int32_t& value);
    void ReadUInt32(std::uint32_t& value);
    void ReadDouble(double& value);
    void ReadBool(bool& value);
    void ReadString(String& value);

    // Reads the count of a list whose items take at least `bytesPerItem`
    // bytes each. A count the rest of the stream could not hold fails the
    // stream and reads as 0.
    void ReadCount(std::uint32_t& count, std::uint32_t bytesPerItem);
    // Whether `count` items of `bytesPerItem` bytes fit in what is left.
    bool CanHold(std::uint64_t count, std::uint64_t bytesPerItem) const;
    std::uint64_t BytesLeft() const;

private:
    bool Locate();
    void ReadHeader();
    bool ReadBytes(void* bytes, std::uint32_t size);
    String ReadCurrentString();
    String ReadByteCountString();
    String ReadAnsi(std::uint32_t length);
    String ReadUtf16(std::uint32_t length);
    void Fail() { state_ = BinStreamState::Failed; }

    ComPtr<IStream> stream_;
    BinStreamState state_;
    std::uint32_t format_ = 1;
    std::uint64_t position_ = 0;
    std::uint64_t end_ = 0;
};

} // namespace VEX
