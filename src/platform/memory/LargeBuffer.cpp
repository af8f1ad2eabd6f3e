#include "platform/memory/LargeBuffer.h"

#include <cstdint>
#include <mutex>
#include <new>
#include <utility>
#include <vector>

#include <sys/mman.h>

#include "platform/memory/HugePages.h"

namespace platform {
namespace {

// Below this, the few 4 KiB pages cost less than clearing a huge page.
constexpr std::size_t kWorthAHugePage = std::size_t{256} << 10;

// Mappings given back, kept for the next buffer of the same size: a process
// that analyses channel after channel would otherwise set up its buffers'
// huge pages again for each. A process forked meanwhile finds a kept
// mapping empty: writing to pages shared with its parent would copy them
// 4 KiB at a time, dearer than a fresh huge page.
struct SpareMapping {
    void* mapping = nullptr;
    std::size_t bytes = 0;
};
constexpr std::size_t kSparesKept = 4;

std::mutex& SparesLock()
{
    static std::mutex lock;
    return lock;
}

std::vector<SpareMapping>& Spares()
{
    static std::vector<SpareMapping> spares;
    return spares;
}

void* TakeSpare(std::size_t bytes)
{
    const std::lock_guard guard(SparesLock());
    auto& spares = Spares();
    for (auto spare = spares.begin(); spare != spares.end(); ++spare) {
        if (spare->bytes == bytes) {
            void* mapping = spare->mapping;
            spares.erase(spare);
            ::madvise(mapping, bytes, MADV_KEEPONFORK);
            return mapping;
        }
    }
    return nullptr;
}

void GiveBack(void* mapping, std::size_t bytes)
{
    {
        const std::lock_guard guard(SparesLock());
        if (Spares().size() < kSparesKept && ::madvise(mapping, bytes, MADV_WIPEONFORK) == 0) {
            Spares().push_back({mapping, bytes});
            return;
        }
    }
    UnmapHugePages(mapping, bytes);
}

} // namespace

LargeBuffer::LargeBuffer(std::size_t bytes) : bytes_(bytes)
{
    // No size near the top of the address space survives rounding up.
    if (bytes > SIZE_MAX / 2) {
        throw std::bad_alloc();
    }
    if (bytes >= kWorthAHugePage) {
        const std::size_t whole = WholeHugePages(bytes);
        void* mapping = TakeSpare(whole);
        if (mapping == nullptr) {
            mapping = MapHugePages(bytes);
        }
        if (mapping != nullptr) {
            data_ = mapping;
            mappedBytes_ = whole;
            return;
        }
    }
    data_ = ::operator new(bytes == 0 ? 1 : bytes);
}

LargeBuffer::~LargeBuffer() { Free(); }

LargeBuffer::LargeBuffer(LargeBuffer&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), bytes_(std::exchange(other.bytes_, 0)),
      mappedBytes_(std::exchange(other.mappedBytes_, 0))
{
}

LargeBuffer& LargeBuffer::operator=(LargeBuffer&& other) noexcept
{
    if (this != &other) {
        Free();
        data_ = std::exchange(other.data_, nullptr);
        bytes_ = std::exchange(other.bytes_, 0);
        mappedBytes_ = std::exchange(other.mappedBytes_, 0);
    }
    return *this;
}

void LargeBuffer::Free()
{
    if (mappedBytes_ > 0) {
        GiveBack(data_, mappedBytes_);
    } else if (data_ != nullptr) {
        ::operator delete(data_);
    }
    data_ = nullptr;
    bytes_ = mappedBytes_ = 0;
}

} // namespace platform
