#pragma once

#include <atomic>
#include <cstddef>

namespace Desk {

// Keeps a read-only file mapping from killing the process when its file is
// cut short: touching a page past the file's new end raises SIGBUS. While a
// range is guarded, a SIGBUS inside it maps zero pages from the faulting
// page to the range's end and raises the range's `cut` flag, so the reader
// goes on over zeros and then reports the failed read. A SIGBUS outside
// every guarded range is passed to the handler that was there before.
class MappingGuard {
public:
    // Guards [begin, begin + size); `cut` must outlive the guard. Without a
    // free slot (64 ranges at once) the guard reports Active() false.
    MappingGuard(const std::byte* begin, std::size_t size, std::atomic<bool>& cut);
    ~MappingGuard();
    MappingGuard(const MappingGuard&) = delete;
    MappingGuard& operator=(const MappingGuard&) = delete;

    bool Active() const { return slot_ >= 0; }

private:
    int slot_ = -1;
};

} // namespace Desk
