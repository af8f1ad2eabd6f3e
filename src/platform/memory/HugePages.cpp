#include "platform/memory/HugePages.h"

#include <cstdint>

#include <sys/mman.h>

namespace platform {

std::size_t WholeHugePages(std::size_t bytes) { return (bytes + kHugePageBytes - 1) / kHugePageBytes * kHugePageBytes; }

void* MapHugePages(std::size_t bytes)
{
    // No size near the top of the address space survives rounding up.
    if (bytes == 0 || bytes > SIZE_MAX / 2) {
        return nullptr;
    }
    const std::size_t whole = WholeHugePages(bytes);
    // A huge page more than needed, so that an aligned run fits; the
    // unaligned ends go back at once.
    void* mapping = ::mmap(nullptr, whole + kHugePageBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapping == MAP_FAILED) {
        return nullptr;
    }
    auto* start = static_cast<std::byte*>(mapping);
    const std::size_t head = (kHugePageBytes - reinterpret_cast<std::uintptr_t>(start) % kHugePageBytes) % kHugePageBytes;
    if (head > 0) {
        ::munmap(start, head);
    }
    ::munmap(start + head + whole, kHugePageBytes - head);
    ::madvise(start + head, whole, MADV_HUGEPAGE);
    return start + head;
}

void UnmapHugePages(void* memory, std::size_t bytes)
{
    if (memory != nullptr) {
        ::munmap(memory, WholeHugePages(bytes));
    }
}

} // namespace platform
