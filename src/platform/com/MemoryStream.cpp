#include "platform/com/MemoryStream.h"

#include <algorithm>
#include <cstring>

MemoryStream::MemoryStream(std::vector<std::uint8_t> bytes, std::size_t capacity)
    : bytes_(std::move(bytes)), capacity_(capacity)
{
}

HRESULT MemoryStream::Read(void* buffer, std::uint32_t size, std::uint32_t* read)
{
    const std::size_t available = position_ < bytes_.size() ? bytes_.size() - position_ : 0;
    const std::size_t n = std::min<std::size_t>(size, available);
    if (n > 0) {
        std::memcpy(buffer, bytes_.data() + position_, n);
    }
    position_ += n;
    if (read) {
        *read = static_cast<std::uint32_t>(n);
    }
    return n == size ? S_OK : S_FALSE;
}

HRESULT MemoryStream::Write(const void* buffer, std::uint32_t size, std::uint32_t* written)
{
    const std::size_t room = position_ < capacity_ ? capacity_ - position_ : 0;
    const std::size_t n = std::min<std::size_t>(size, room);
    if (position_ + n > bytes_.size()) {
        bytes_.resize(position_ + n);
    }
    if (n > 0) {
        std::memcpy(bytes_.data() + position_, buffer, n);
    }
    position_ += n;
    if (written) {
        *written = static_cast<std::uint32_t>(n);
    }
    return n == size ? S_OK : E_FAIL;
}

HRESULT MemoryStream::Seek(std::int64_t offset, SeekOrigin origin, std::uint64_t* newPosition)
{
    std::int64_t base = 0;
    if (origin == SeekOrigin::Current) {
        base = static_cast<std::int64_t>(position_);
    } else if (origin == SeekOrigin::End) {
        base = static_cast<std::int64_t>(bytes_.size());
    }
    const std::int64_t target = base + offset;
    if (target < 0) {
        return E_INVALIDARG;
    }
    position_ = static_cast<std::size_t>(target);
    if (newPosition) {
        *newPosition = position_;
    }
    return S_OK;
}
