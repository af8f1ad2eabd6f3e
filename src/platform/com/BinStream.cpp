#include "platform/com/BinStream.h"

#include <array>
#include <bit>
#include <limits>
#include <string>
#include <vector>

#include "platform/error/XVEX.h"

namespace VEX {
namespace {

constexpr std::uint32_t kStringMarker = 0x80000001u;
constexpr std::uint32_t kUtf16MarkerBit = 0x80000000u;
constexpr std::uint32_t kHeaderMask = 0xFF00FFFFu;
constexpr std::uint32_t kHeaderPattern = 0x5500AAAAu;
constexpr std::uint32_t kLongestByteCountString = 64000;

template <typename T>
std::array<std::uint8_t, sizeof(T)> LittleEndian(T value)
{
    std::array<std::uint8_t, sizeof(T)> bytes{};
    for (std::size_t i = 0; i < sizeof(T); ++i) {
        bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
    return bytes;
}

template <typename T>
T FromLittleEndian(const std::array<std::uint8_t, sizeof(T)>& bytes)
{
    T value = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i) {
        value |= static_cast<T>(bytes[i]) << (8 * i);
    }
    return value;
}

} // namespace

BinOStream::BinOStream(IStream* stream)
    : stream_(stream), state_(stream ? BinStreamState::Good : BinStreamState::NoBuffer)
{
    WriteUInt32(kBinStreamHeader);
}

void BinOStream::Release()
{
    stream_.Reset();
    state_ = BinStreamState::NoBuffer;
}

void BinOStream::WriteBytes(const void* bytes, std::uint32_t size)
{
    if (!Good()) {
        return;
    }
    std::uint32_t written = 0;
    const HRESULT hr = stream_->Write(bytes, size, &written);
    if (Failed(hr) || written != size) {
        state_ = BinStreamState::Failed;
    }
}

void BinOStream::WriteUInt32(std::uint32_t value)
{
    const auto bytes = LittleEndian(value);
    WriteBytes(bytes.data(), bytes.size());
}

void BinOStream::WriteInt32(std::int32_t value)
{
    WriteUInt32(static_cast<std::uint32_t>(value));
}

void BinOStream::WriteDouble(double value)
{
    const auto bytes = LittleEndian(std::bit_cast<std::uint64_t>(value));
    WriteBytes(bytes.data(), bytes.size());
}

void BinOStream::WriteBool(bool value)
{
    WriteUInt32(value ? 1u : 0u);
}

void BinOStream::WriteString(const String& value)
{
    const auto length = static_cast<std::uint32_t>(value.Length());
    WriteUInt32(kStringMarker);
    WriteUInt32(length);
    WriteUInt32(0u - length);
    std::vector<std::uint8_t> units;
    units.reserve(std::size_t{length} * 2);
    for (const char16_t unit : value.View()) {
        const auto bytes = LittleEndian(static_cast<std::uint16_t>(unit));
        units.insert(units.end(), bytes.begin(), bytes.end());
    }
    if (!units.empty()) {
        WriteBytes(units.data(), static_cast<std::uint32_t>(units.size()));
    }
}

BinIStream::BinIStream(IStream* stream)
    : stream_(stream), state_(BinStreamState::NoBuffer)
{
    if (stream_ && Locate()) {
        state_ = BinStreamState::Good;
        ReadHeader();
    }
}

// Finds where reading starts and where the stream ends, so that lengths can
// be checked against what the stream actually holds.
bool BinIStream::Locate()
{
    std::uint64_t start = 0;
    std::uint64_t end = 0;
    if (Failed(stream_->Seek(0, SeekOrigin::Current, &start)) ||
        Failed(stream_->Seek(0, SeekOrigin::End, &end)) ||
        Failed(stream_->Seek(static_cast<std::int64_t>(start), SeekOrigin::Begin, nullptr))) {
        return false;
    }
    position_ = start;
    end_ = end;
    return true;
}

void BinIStream::ReadHeader()
{
    const std::uint64_t start = position_;
    std::uint32_t word = 0;
    ReadUInt32(word);
    if (Good() && (word & kHeaderMask) == kHeaderPattern) {
        format_ = (word >> 16) & 0xFFu;
        return;
    }
    // No header: the first word is data of a format-1 stream.
    format_ = 1;
    state_ = BinStreamState::Good;
    position_ = start;
    if (Failed(stream_->Seek(static_cast<std::int64_t>(start), SeekOrigin::Begin, nullptr))) {
        Fail();
    }
}

void BinIStream::Release()
{
    stream_.Reset();
    state_ = BinStreamState::NoBuffer;
}

std::uint64_t BinIStream::BytesLeft() const
{
    return position_ < end_ ? end_ - position_ : 0;
}

bool BinIStream::CanHold(std::uint64_t count, std::uint64_t bytesPerItem) const
{
    return bytesPerItem == 0 || count <= BytesLeft() / bytesPerItem;
}

bool BinIStream::ReadBytes(void* bytes, std::uint32_t size)
{
    if (!Good()) {
        return false;
    }
    std::uint32_t read = 0;
    const HRESULT hr = stream_->Read(bytes, size, &read);
    position_ += read;
    if (Failed(hr) || read != size) {
        Fail();
        return false;
    }
    return true;
}

void BinIStream::ReadUInt32(std::uint32_t& value)
{
    std::array<std::uint8_t, 4> bytes{};
    value = ReadBytes(bytes.data(), 4) ? FromLittleEndian<std::uint32_t>(bytes) : 0;
}

void BinIStream::ReadInt32(std::int32_t& value)
{
    std::array<std::uint8_t, 4> bytes{};
    if (ReadBytes(bytes.data(), 4)) {
        value = static_cast<std::int32_t>(FromLittleEndian<std::uint32_t>(bytes));
    }
}

void BinIStream::ReadDouble(double& value)
{
    std::array<std::uint8_t, 8> bytes{};
    if (ReadBytes(bytes.data(), 8)) {
        value = std::bit_cast<double>(FromLittleEndian<std::uint64_t>(bytes));
    }
}

void BinIStream::ReadBool(bool& value)
{
    std::uint32_t word = 0;
    ReadUInt32(word);
    value = word != 0;
}

void BinIStream::ReadCount(std::uint32_t& count, std::uint32_t bytesPerItem)
{
    ReadUInt32(count);
    if (!CanHold(count, bytesPerItem)) {
        Fail();
        count = 0;
    }
}

void BinIStream::ReadString(String& value)
{
    value = String();
    if (!Good()) {
        return;
    }
    value = format_ < kFirstUtf16Format ? ReadByteCountString() : ReadCurrentString();
}

String BinIStream::ReadCurrentString()
{
    std::uint32_t marker = 0;
    std::uint32_t length = 0;
    std::uint32_t check = 0;
    ReadUInt32(marker);
    ReadUInt32(length);
    ReadUInt32(check);
    if (!Good()) {
        return String();
    }
    if (length + check != 0) {
        Fail();
        throw XVEX("Malformed string in stream: its check word does not match its length.");
    }
    return (marker & kUtf16MarkerBit) != 0 ? ReadUtf16(length) : ReadAnsi(length);
}

String BinIStream::ReadByteCountString()
{
    std::uint32_t length = 0;
    ReadUInt32(length);
    if (length > kLongestByteCountString) {
        Fail();
        throw XVEX("Malformed string in stream: longer than 64000 bytes.");
    }
    return ReadAnsi(length);
}

String BinIStream::ReadAnsi(std::uint32_t length)
{
    if (!CanHold(length, 1)) {
        Fail();
        return String();
    }
    std::string bytes(length, '\0');
    if (length > 0 && !ReadBytes(bytes.data(), length)) {
        return String();
    }
    return String::FromAnsi(bytes);
}

String BinIStream::ReadUtf16(std::uint32_t length)
{
    if (!CanHold(length, 2) || length > std::numeric_limits<std::uint32_t>::max() / 2) {
        Fail();
        return String();
    }
    std::vector<std::uint8_t> bytes(std::size_t{length} * 2);
    if (length > 0 && !ReadBytes(bytes.data(), static_cast<std::uint32_t>(bytes.size()))) {
        return String();
    }
    std::u16string text(length, u'\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        text[i] = static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    }
    return String(std::move(text));
}

} // namespace VEX
