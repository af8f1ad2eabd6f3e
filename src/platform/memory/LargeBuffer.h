#pragma once

#include <cstddef>

#include "platform/Export.h"

namespace platform {

// Uninitialised memory for a buffer of hundreds of kilobytes that is filled
// and read over and over, in huge pages where the system gives them. Setting
// up a 4 KiB page costs far more on some virtual machines than filling it
// (one fault per page, tens of microseconds each): a half-megabyte buffer
// in 4 KiB pages cost a fifth of a short run. One 2 MiB page is set up at
// once. Smaller buffers, and systems without huge pages, get ordinary
// memory. Not copyable; moving hands the memory over.
class PLATFORM_API LargeBuffer {
public:
    LargeBuffer() = default;
    // Throws std::bad_alloc when no memory is to be had.
    explicit LargeBuffer(std::size_t bytes);
    ~LargeBuffer();
    LargeBuffer(LargeBuffer&& other) noexcept;
    LargeBuffer& operator=(LargeBuffer&& other) noexcept;
    LargeBuffer(const LargeBuffer&) = delete;
    LargeBuffer& operator=(const LargeBuffer&) = delete;

    void* Data() const { return data_; }
    std::size_t Size() const { return bytes_; }

private:
    void Free();

    void* data_ = nullptr;
    std::size_t bytes_ = 0;
    std::size_t mappedBytes_ = 0; // whole huge pages mapped at data_, or 0 when data_ came from the heap
};

} // namespace platform
