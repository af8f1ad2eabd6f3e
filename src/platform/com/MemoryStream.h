#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

#include "platform/Export.h"
#include "platform/com/ComPtr.h"
#include "platform/com/Stream.h"

// An IStream over a growable byte buffer. A capacity limit makes writes past
// it come up short, as a full disk would.
class PLATFORM_API MemoryStream final : public UnknownImpl<IStream> {
public:
    explicit MemoryStream(std::vector<std::uint8_t> bytes = {},
                          std::size_t capacity = std::numeric_limits<std::size_t>::max());

    HRESULT Read(void* buffer, std::uint32_t size, std::uint32_t* read) override;
    HRESULT Write(const void* buffer, std::uint32_t size, std::uint32_t* written) override;
    HRESULT Seek(std::int64_t offset, SeekOrigin origin, std::uint64_t* newPosition) override;

    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
    std::size_t Position() const { return position_; }

private:
    std::vector<std::uint8_t> bytes_;
    std::size_t capacity_;
    std::size_t position_ = 0;
};
